#pragma once

#include <iosfwd>

#include "game/Clock.h"

class Console;

// The whole program on the given streams and console: the world, the colours, the menus
// and the game. This is the one place that decides how the session ends; it returns the
// process's exit status: 0 when the player quits or the input ends, 1 when reading or
// writing failed, which it reports in one line on `errors`.
int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, Console& console,
               Clock clock = systemClock);
