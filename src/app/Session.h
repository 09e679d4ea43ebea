#pragma once

#include <iosfwd>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/SaveFormat.h"
#include "console/Console.h"
#include "game/Clock.h"
#include "game/ZombieScatter.h"

class SaveFiles;

// The game as the program plays it: between the front end's streams and console and the
// world, it records every line the player enters, every key pressed at a key wait and every
// square a zombie lands on, with the screen the game has reached; where the game autosaves,
// it saves that record whenever the game waits for the player. A saved game is first replayed
// silently, and once its record runs out the screen it had reached is shown and play goes on.
class Session {
public:
    struct Autosave {
        SaveFiles& files;
        std::string path;
        // Where the one line goes, should the save fail.
        std::ostream& errors;
        // The game is resumed from this very file, which is then its own from the start.
        bool resumedFromIt = false;
    };

    Session(std::istream& liveIn, std::ostream& liveOut, Console& liveConsole, Clock clock,
            std::optional<Autosave> autosave, std::optional<SaveRecord> saved);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // What the program reads from, writes to and asks of. A game with nothing to save or
    // replay (piped, scripted) reads and writes the front end's streams as they are.
    std::istream& in() { return recorded ? gameIn : frontIn; }
    std::ostream& out() { return recorded ? gameOut : frontOut; }
    Console& console();
    ZombieScatter& scatter();

    // Whether a saved game is still being replayed.
    bool replaying() const;
    // The game is over. Its save is removed when `finished` (the player quit, or the story
    // was told); returns whether a save of it is kept.
    bool end(bool finished);

    // Said on standard error when a game ends with its save kept.
    static const std::string_view kSavedLine;

    // The parts, defined in Session.cpp.
    class State;

private:
    bool recorded;
    std::istream& frontIn;
    std::ostream& frontOut;
    std::unique_ptr<State> state;
    std::istream gameIn;
    std::ostream gameOut;
};
