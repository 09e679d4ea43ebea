#pragma once

#include <iosfwd>

#include "console/Console.h"

// The console of a real process. On a terminal it colours, clears and waits for a key
// with ANSI escape sequences and termios; when output goes to a pipe or a file it does
// nothing at all, so scripted output is exactly the game's text.
//
// Whatever it changes on the terminal is put back when it is destroyed, and also when
// the process is interrupted, hung up on or terminated (see installSignalHandlers).
class TerminalConsole final : public Console {
public:
    // `out` must be the stream that writes to `outputFd`, so that effects and text keep
    // their order.
    TerminalConsole(std::ostream& out, int inputFd, int outputFd);
    ~TerminalConsole() override;

    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;

    // Restores the terminal and ends the process on SIGINT, SIGTERM, SIGHUP and SIGQUIT.
    static void installSignalHandlers();

private:
    std::ostream& out;
    int inputFd;
    bool outputIsTerminal;
    bool inputIsTerminal;
};
