#pragma once

#include <windows.h>

#include <iosfwd>

#include "console/Terminal.h"

// A Windows console: escape sequences for the effects, which a console takes from Windows
// 10 on, and the console's input records for the key wait. What it changes is kept in
// console_state, which must be watching the console already, so that the control handler
// can give it back too. Lines are left to the console's own editing.
class WindowsTerminal final : public Terminal {
public:
    // `shown` is the stream that writes to the console; `keyboard` the console's input.
    WindowsTerminal(std::ostream& shown, HANDLE keyboard) : out(shown), input(keyboard) {}

    void setColours() override;
    void clearScreen() override;
    void readKey(const std::function<void()>& showAgain) override;
    void giveBack() override;
    void sayOnInterrupt(std::string_view line) override;

private:
    std::ostream& out;
    HANDLE input;
};
