#include "platform/windows/WindowsTerminal.h"

#include <ostream>

#include "console/TerminalSequences.h"
#include "platform/windows/ConsoleKeys.h"
#include "platform/windows/ConsoleState.h"

void WindowsTerminal::setColours() {
    // Written straight to the console, where the control handler can reset them too.
    console_state::setColours(kGameColours);
}

void WindowsTerminal::clearScreen() {
    out << kClearScreen;
}

void WindowsTerminal::readKey(const std::function<void()>& /*showAgain*/) {
    // Ctrl-C is a key here when the console takes it as one: it ends the game all the same.
    if (readOneKey(input) == "\x03") {
        console_state::endAsInterrupted();
    }
}

void WindowsTerminal::giveBack() {
    console_state::restore();
}

void WindowsTerminal::sayOnInterrupt(std::string_view line) {
    console_state::sayOnExit(line);
}
