#pragma once

#include <windows.h>

#include <iosfwd>
#include <string_view>

#include "console/Console.h"
#include "console/TerminalPolicy.h"

// The console of a real process. On a Windows console it colours and clears with escape
// sequences, as far as the terminal's policy allows, and waits for
// a key with _getch; lines are left to the console's own editing. When output goes to a
// pipe, a file or NUL it does nothing at all, so scripted output is exactly the game's
// text.
//
// Whatever it changes on the console is put back at the end of the session, when it is
// destroyed, and on Ctrl-C, Ctrl-Break and closing the window (see ConsoleState.h).
class WindowsConsole final : public Console {
public:
    // `out` must be the stream that writes to the console console_state watches, so that
    // effects and text keep their order.
    WindowsConsole(std::ostream& out, const TerminalPolicy& policy);
    ~WindowsConsole() override;

    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;
    void restoreTerminal() override;
    void sayOnInterrupt(std::string_view line) override;

private:
    std::ostream& out;
    TerminalPolicy policy;
};
