#pragma once

#include <functional>
#include <string_view>

#include "console/Console.h"

// What the game's console asks of the terminal it runs on: how each effect is done there (an
// escape sequence, a call to a page, a console's mode). Whether it is asked at all is the
// terminal's policy, which TerminalConsole applies the same way on every front end.
class Terminal {
public:
    virtual ~Terminal() = default;

    // Shows the game's colours (a terminal writes kGameColours), to be reset when the
    // terminal is given back.
    virtual void setColours() = 0;
    // Clears the screen (a terminal writes kClearScreen in line with the text).
    virtual void clearScreen() = 0;
    // Waits for one whole key. `showAgain` draws the wait again where the game was stopped
    // (Ctrl-Z) and continued meanwhile, since the shell has written over it.
    virtual void readKey(const std::function<void()>& showAgain) = 0;
    // Gives the terminal back as the game found it: its colours reset, its modes restored.
    virtual void giveBack() = 0;
    // The line to write on standard error, after giving the terminal back, should a signal
    // end the game; empty for none. A terminal without signals needs none.
    virtual void sayOnInterrupt(std::string_view /*line*/) {}

    // Where the player stands, for a terminal that shows it (a page's map); the others are
    // not told, so their output is not flushed for it.
    virtual bool showsPositions() const { return false; }
    virtual void showPosition(int /*level*/, int /*x*/, int /*y*/, PositionChange /*change*/) {}

protected:
    Terminal() = default;
    Terminal(const Terminal&) = default;
    Terminal& operator=(const Terminal&) = default;
};
