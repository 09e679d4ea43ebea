#pragma once

// One square of the world: x grows east, y south, the level z downward.
struct Position {
    int x;
    int y;
    int z;
};

// The squares that the events, the items or the player name besides the location table,
// written here once for all of them.

// Where the player first wakes up, and where death and the fog bring the player back. The
// Gearbox lies here at the start.
inline constexpr Position kStartSquare{0, 0, 0};
// Where the Berry grows, and grows again once eaten.
inline constexpr Position kBerryBushes{4, -2, 0};
// Inside the temple, where the Statue is to be dropped.
inline constexpr Position kTempleFloor{-4, 7, 0};
// Where the Gearbox fits into the rock.
inline constexpr Position kAltar{5, -6, 0};
