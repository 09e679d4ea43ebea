#pragma once

#include <iosfwd>

#include "console/Console.h"
#include "console/TerminalPolicy.h"

// The console of a real process. On a terminal it colours, clears and waits for a key
// with ANSI escape sequences and termios, as far as the terminal's policy allows; when
// output goes to a pipe or a file it does nothing at all, so scripted output is exactly
// the game's text.
//
// Whatever it changes on the terminal is put back at the end of the session, when it is
// destroyed, and around signals (see TerminalState.h).
class TerminalConsole final : public Console {
public:
    // `out` must be the stream that writes to the terminal, so that effects and text keep
    // their order; terminal_state must be watching `inputFd` and the terminal already.
    TerminalConsole(std::ostream& out, int inputFd, const TerminalPolicy& policy);
    ~TerminalConsole() override;

    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;
    void restoreTerminal() override;
    void sayOnInterrupt(std::string_view line) override;

private:
    std::ostream& out;
    int inputFd;
    TerminalPolicy policy;
};
