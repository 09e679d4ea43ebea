#pragma once

#include <cstdint>
#include <string_view>

// Why the player stands where the console is told: a move goes through a passage from the
// square before; the others put the player down without one.
enum class PositionChange : std::uint8_t { NewGame, Move, Death, ReturnToStart };

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
    // Where the player now stands, for a front end that shows it (a map beside the text).
    // A terminal has nowhere to show it and writes nothing.
    virtual void showPosition(int /*level*/, int /*x*/, int /*y*/, PositionChange /*change*/) {}
    // The line to write on standard error, once the terminal is given back, should the game
    // be ended by a signal (Ctrl-C, SIGTERM, a hang-up); empty for none. A front end whose
    // signals the game never sees needs none.
    virtual void sayOnInterrupt(std::string_view /*line*/) {}
};
