#pragma once

#include <ctime>

// Where the game reads the time: only the zombies' scatter does. A test, a benchmark or a
// replay hands in its own.
using Clock = std::time_t (*)();

// The system's clock, in whole seconds.
std::time_t systemClock();
