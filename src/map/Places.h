#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <string_view>

// An inclusive range of x or y values.
struct Span {
    int first;
    int last;
    constexpr bool contains(int value) const { return first <= value && value <= last; }
};
inline constexpr Span kEverywhere{INT_MIN, INT_MAX};

// The directions a place opens, as bits.
struct Exits {
    std::uint8_t bits = 0;

    static constexpr std::uint8_t kNorth = 1;
    static constexpr std::uint8_t kEast = 2;
    static constexpr std::uint8_t kWest = 4;
    static constexpr std::uint8_t kSouth = 8;
    static constexpr std::uint8_t kUp = 16;
    static constexpr std::uint8_t kDown = 32;

    constexpr bool north() const { return (bits & kNorth) != 0; }
    constexpr bool east() const { return (bits & kEast) != 0; }
    constexpr bool west() const { return (bits & kWest) != 0; }
    constexpr bool south() const { return (bits & kSouth) != 0; }
    constexpr bool up() const { return (bits & kUp) != 0; }
    constexpr bool down() const { return (bits & kDown) != 0; }
    friend constexpr bool operator==(Exits, Exits) = default;
};

// One step through each direction: x grows east, y south, the level downward.
struct Way {
    std::uint8_t bit;
    char letter;
    int dx;
    int dy;
    int dz;
};
inline constexpr std::array<Way, 6> kWays{{{Exits::kNorth, 'N', 0, -1, 0},
                                           {Exits::kEast, 'E', 1, 0, 0},
                                           {Exits::kWest, 'W', -1, 0, 0},
                                           {Exits::kSouth, 'S', 0, 1, 0},
                                           {Exits::kUp, 'U', 0, 0, -1},
                                           {Exits::kDown, 'D', 0, 0, 1}}};

// Exits written the way the map is read: exits("NEWS"), exits("SD"), exits("").
consteval Exits exits(std::string_view letters) {
    Exits result;
    for (const char letter : letters) {
        switch (letter) {
            case 'N': result.bits |= Exits::kNorth; break;
            case 'E': result.bits |= Exits::kEast; break;
            case 'W': result.bits |= Exits::kWest; break;
            case 'S': result.bits |= Exits::kSouth; break;
            case 'U': result.bits |= Exits::kUp; break;
            case 'D': result.bits |= Exits::kDown; break;
            default: throw "exits: unknown direction letter";
        }
    }
    return result;
}

// What a place does besides describing itself. Each runs right after the description,
// decides the directions its row leaves open to it, and is one function of the World
// (src/map/Events.cpp).
enum class Event : std::uint8_t {
    None,
    HouseDoor,
    TempleDoor,
    TowerEntrance,
    OldSword,
    Temple,
    DarkBuilding,
    DarkForest,
    DarkForestByVines,
    VineCoveredBuilding,
    ClockTowerGroundFloor,
    GolemFloor,
    HealingPlace,
    Forge,
    Altar,
    StoneDoor,
    AbandonedBuilding,
    SealedDoor,
    Meteor,
    Finale,
};

// One row of the map: a level, a column of x values, a range of y values, what the player
// reads there, the directions it always opens, and its event.
struct Place {
    int level;
    Span x;
    Span y;
    std::string_view description;
    Exits open;
    Event event;

    constexpr bool covers(int px, int py, int pz) const {
        return level == pz && x.contains(px) && y.contains(py);
    }
    // Every x or every y of its level, as the clock tower's upper floors are.
    constexpr bool isUnbounded() const {
        return x.first == INT_MIN || x.last == INT_MAX || y.first == INT_MIN || y.last == INT_MAX;
    }
};

// Every place of the world, in map order: by level, then by column, then north to south.
std::span<const Place> allPlaces();

// The row of the given position, or nullptr where the map has none.
const Place* findPlace(int x, int y, int z);
