#include <ostream>

#include "app/Menus.h"
#include "app/Settings.h"
#include "console/Console.h"
#include "console/Input.h"
#include "console/Io.h"
#include "game/World.h"

namespace {

enum MainChoice { kNewGame = 0, kControls = 1, kOptions = 2, kQuitGame = 3 };

void printMainMenu(std::ostream& out) {
    out << "Welcome to Vellumfall \n         by Quorrin! \n \n" << '\n';
    out << "     0 - New Game" << '\n';
    out << "     1 - Controls" << '\n';
    out << "     2 - Options" << '\n';
    out << "     3 - Quit Game \n" << '\n';
    out << ">>";
}

void showControls(Io& io) {
    io.out << "n,s,e,w,u,d: move around \n"
           << "a: attack \n"
           << "take,drop: pickup and drop items \n"
           << "eat: consume certain items \n"
           << "...and there may be more as well... \n";
    io.console.waitForKey();
}

}  // namespace

void runMainMenu(Io& io, Settings& settings, World& world) {
    for (;;) {
        printMainMenu(io.out);
        const std::optional<int> choice = readMenuChoice(io);
        if (choice == kNewGame) {
            // The game is never left for the menu again.
            for (;;) {
                world.play(settings.debugMode);
            }
        }
        if (choice == kControls) {
            showControls(io);
        } else if (choice == kOptions) {
            runOptionsMenu(io, settings);
        } else if (choice == kQuitGame) {
            return;
        }
        io.console.clearScreen();
    }
}
