#pragma once

#include <ctime>
#include <sstream>
#include <string>
#include <string_view>

#include "console/Io.h"
#include "game/World.h"
#include "support/RecordingConsole.h"

// A fixed clock, so scattered zombies land where a test expects.
std::time_t fixedClock();

// A World on string streams. A test types words, plays turns and reads what was printed.
class GameHarness {
public:
    GameHarness();

    // Queues words for the game to read.
    void type(std::string_view words);
    // Plays one turn where the player stands and returns what it printed.
    std::string playTurn();
    // Types the words, plays one turn and returns what followed its prompt: the
    // command's own answer.
    std::string command(std::string_view words);
    // Plays turns until the typed words run out; returns what they printed.
    std::string playAll();
    // Puts the player on a square without playing a turn.
    void placePlayer(int x, int y, int z);
    // Whatever has been printed since the last call.
    std::string takeOutput();

    std::istringstream in;
    std::ostringstream out;
    RecordingConsole console;
    Io io{in, out, console};
    World world{io, fixedClock};

private:
    std::string pending;
};

// Runs the whole program on `input` and returns everything it printed.
std::string runWholeProgram(std::string_view input, RecordingConsole& console);
