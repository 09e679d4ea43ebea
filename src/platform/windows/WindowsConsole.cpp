#include "platform/windows/WindowsConsole.h"

#include <conio.h>

#include <cstdlib>
#include <ostream>
#include <string_view>

#include "console/TerminalSequences.h"
#include "platform/windows/ConsoleState.h"

namespace {

constexpr int kCtrlC = 3;
// _getch gives an arrow, a function key, Home or End as one of these, then a second code.
constexpr int kExtendedKey = 0x00;
constexpr int kExtendedKeyToo = 0xe0;

bool coloursRefused() {
    const char* noColor = std::getenv("NO_COLOR");
    return noColor != nullptr && *noColor != '\0';
}

void readOneKey() {
    const int key = ::_getch();
    // _getch turns off the console's own Ctrl-C while it waits, so the key arrives here
    // (wine's console sends it to the control handler all the same, which ends alike).
    if (key == kCtrlC) {
        console_state::endAsInterrupted();
    }
    if (key == kExtendedKey || key == kExtendedKeyToo) {
        ::_getch();
    }
}

}  // namespace

WindowsConsole::WindowsConsole(std::ostream& out, HANDLE input, HANDLE output)
    : out(out),
      inputIsConsole(console_state::isConsole(input)),
      outputIsConsole(console_state::isConsole(output)) {
    console_state::watch(input, output);
    if (outputIsConsole) {
        sequences = console_state::enableSequences();
    }
}

WindowsConsole::~WindowsConsole() {
    out.flush();
    console_state::restore();
}

void WindowsConsole::useGameColours() {
    if (!sequences || coloursRefused()) {
        return;
    }
    // Written straight to the console, behind everything the game has printed so far.
    out.flush();
    console_state::setColours(kGameColours);
}

void WindowsConsole::clearScreen() {
    if (sequences) {
        out << kClearScreen;
    }
}

void WindowsConsole::waitForKey() {
    if (!outputIsConsole || !inputIsConsole) {
        return;
    }
    out << kPressAnyKey;
    out.flush();
    readOneKey();
    out << '\n';
}

void WindowsConsole::restoreTerminal() {
    console_state::restore();
}
