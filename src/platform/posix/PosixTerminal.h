#pragma once

#include <iosfwd>

#include "console/Terminal.h"

// A POSIX terminal: ANSI escape sequences for the effects, and termios for the key wait.
// What it changes is kept in terminal_state, which must be watching the terminal already,
// so that a signal handler can give it back too.
class PosixTerminal final : public Terminal {
public:
    // `shown` is the stream that writes to the terminal; `keyboardFd` the terminal's input.
    PosixTerminal(std::ostream& shown, int keyboardFd) : out(shown), inputFd(keyboardFd) {}

    void setColours() override;
    void clearScreen() override;
    void readKey(const std::function<void()>& showAgain) override;
    void giveBack() override;
    void sayOnInterrupt(std::string_view line) override;

private:
    std::ostream& out;
    int inputFd;
};
