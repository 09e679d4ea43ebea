#include "platform/windows/WindowsConsole.h"

#include <conio.h>

#include <ostream>
#include <string>
#include <string_view>

#include "console/TerminalSequences.h"
#include "platform/windows/ConsoleState.h"

namespace {

constexpr int kCtrlC = 3;
// _getch gives an arrow, a function key, Home or End as one of these, then a second code.
constexpr int kExtendedKey = 0x00;
constexpr int kExtendedKeyToo = 0xe0;

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

WindowsConsole::WindowsConsole(std::ostream& out, const TerminalPolicy& policy)
    : out(out), policy(policy) {}

WindowsConsole::~WindowsConsole() {
    out.flush();
    console_state::restore();
}

void WindowsConsole::useGameColours() {
    if (!policy.colours) {
        return;
    }
    // Written straight to the console, behind everything the game has printed so far.
    out.flush();
    console_state::setColours(kGameColours);
}

void WindowsConsole::clearScreen() {
    if (policy.escapes) {
        out << kClearScreen;
    }
}

void WindowsConsole::waitForKey() {
    if (!policy.keyWait) {
        return;
    }
    out << kPressAnyKey;
    out.flush();
    readOneKey();
    out << '\n';
}

void WindowsConsole::sayOnInterrupt(std::string_view line) {
    // Ctrl-C comes while the player reads a prompt or a key wait, in the middle of a line.
    console_state::sayOnExit(line.empty() ? std::string() : '\n' + std::string(line));
}

void WindowsConsole::restoreTerminal() {
    console_state::restore();
}
