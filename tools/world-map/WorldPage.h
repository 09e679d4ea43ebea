#pragma once

#include <string>

#include "WorldFacts.h"

// docs/world.md: how to read the pictures and regenerate them, then each level's picture
// with its events.
std::string worldPage(const WorldFacts& facts);
