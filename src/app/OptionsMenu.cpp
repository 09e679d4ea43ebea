#include <ostream>

#include "app/Menus.h"
#include "app/Settings.h"
#include "console/Console.h"
#include "console/Input.h"
#include "console/Io.h"

namespace {

enum OptionsChoice { kBack = 0, kVolumeUp = 1, kVolumeDown = 2, kToggleDebugMode = 3 };

constexpr int kLoudest = 10;
// Turning the volume down stops one step below zero, at -1.
constexpr int kQuietest = -1;

}  // namespace

void printVolumeBar(std::ostream& out, int volumeLevel) {
    out << "> Volume   |";
    for (int dash = 0; dash <= volumeLevel; ++dash) {
        out << '-';
    }
    out << '|';
    for (int dash = kLoudest; dash > volumeLevel; --dash) {
        out << '-';
    }
    out << '|' << '\n';
}

void runOptionsMenu(Io& io, Settings& settings) {
    bool leaveOptions = false;
    while (!leaveOptions) {
        io.console.clearScreen();
        io.out << "OPTIONS \n 0 - back \n 1 - volume up \n 2- volume down \n 3- Toggle Debug Mode "
                  "\n \n";
        printVolumeBar(io.out, settings.volumeLevel);
        io.out << (settings.debugMode ? "Debug Mode ON" : "Debug Mode OFF") << '\n';

        const std::optional<int> choice = readMenuChoice(io);
        if (choice == kBack) {
            leaveOptions = true;
        } else if (choice == kVolumeUp && settings.volumeLevel < kLoudest) {
            ++settings.volumeLevel;
        } else if (choice == kVolumeDown && settings.volumeLevel > kQuietest) {
            --settings.volumeLevel;
        } else if (choice == kToggleDebugMode) {
            settings.debugMode = !settings.debugMode;
        }
    }
}
