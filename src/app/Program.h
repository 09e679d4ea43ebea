#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "app/SaveFormat.h"
#include "app/Session.h"
#include "game/Clock.h"

class Console;

// What a program plays with besides its streams and console.
struct ProgramOptions {
    Clock clock = systemClock;
    // Where the game is saved after every line; nothing where it is not (piped, a test).
    std::optional<Session::Autosave> autosave;
    // The saved game to resume, and its name for the player.
    std::optional<SaveRecord> resume;
    std::string resumeName;
};

// The whole program on the given streams and console: the world, the colours, the menus
// and the game. This is the one place that decides how the session ends; it returns the
// process's exit status: 0 when the player quits or the input ends, 1 when reading or
// writing failed or a saved game would not replay, which it reports in one line on `errors`.
int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, Console& console,
               ProgramOptions options);
int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, Console& console,
               Clock clock = systemClock);
