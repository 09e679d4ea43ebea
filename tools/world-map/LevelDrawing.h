#pragma once

#include <string>

#include "WorldFacts.h"

// One level of the world as a standalone SVG picture: every row's squares, its ways out as
// arrows, its event named, the start marked, and a legend.
std::string drawLevel(int level, const WorldFacts& facts);

// "level_0.svg", "level_-1.svg", ...
std::string levelFileName(int level);
