#pragma once

#include <iosfwd>

#include "console/Terminal.h"

class HostKeyboard;

// The terminal of a host that only moves bytes (Node): the effects are the escape sequences
// every terminal takes, and keys are read from the host's keyboard in raw mode. The host is
// told what to write if it must give the terminal back itself (a signal).
class HostTerminal final : public Terminal {
public:
    // `shown` is the stream the host writes to the terminal.
    HostTerminal(std::ostream& shown, HostKeyboard& keys) : out(shown), keyboard(keys) {}

    void setColours() override;
    void clearScreen() override;
    void readKey(const std::function<void()>& showAgain) override;
    void giveBack() override;
    void sayOnInterrupt(std::string_view line) override;

private:
    std::ostream& out;
    HostKeyboard& keyboard;
    bool coloured = false;
};
