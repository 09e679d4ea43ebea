#pragma once

// The terminal effects the game asks for. The game never talks to the terminal itself:
// it hands these requests to whichever console it was given, so a test can watch them
// and a pipe can ignore them.
class Console {
public:
    virtual ~Console() = default;

    // Bright green text on black, once at start-up.
    virtual void useGameColours() = 0;
    virtual void clearScreen() = 0;
    // "Press any key to continue . . . " and one key press, where there is a player to press it.
    virtual void waitForKey() = 0;
    // The session is over: whatever was changed on the terminal is put back.
    virtual void restoreTerminal() = 0;
};
