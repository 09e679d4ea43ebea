#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "map/Places.h"

// What the drawing needs to know of the world beyond single rows, read from the game itself.

struct Square {
    int x;
    int y;
    int level;
    friend bool operator<(const Square& a, const Square& b) {
        return std::tie(a.level, a.x, a.y) < std::tie(b.level, b.x, b.y);
    }
};

struct WorldFacts {
    // Where a new game puts the player.
    Square start{};
    // Every level that has a row, in the order the table first names it.
    std::vector<int> levels;
    // Every square with a row that the start reaches through the ways out, the ones that
    // events open included.
    std::set<Square> reached;
};

WorldFacts gatherWorldFacts();

// The row's place in the table, counted from 0, as "#12".
std::string rowLabel(const Place& place);

// "the surface", "below ground", "2 levels up", ...
std::string levelName(int level);
