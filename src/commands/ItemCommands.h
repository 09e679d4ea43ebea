#pragma once

#include <array>
#include <string_view>

#include "game/World.h"

// An item that the item commands move between the map and the inventory: the word the
// player answers with, the item, and the name it has in the inventory.
struct Carryable {
    std::string_view answer;
    Item World::*item;
    std::string_view inventoryName;
};

// "take key" takes every key on the square; "drop key" asks which one.
inline constexpr std::array kKeysToTake{
    Carryable{"key", &World::houseKey, "House Key"},
    Carryable{"key", &World::templeKey, "Temple Key"},
    Carryable{"key", &World::towerKey, "Tower Key"},
};
inline constexpr std::array kKeysToDrop{
    Carryable{"house", &World::houseKey, "House Key"},
    Carryable{"temple", &World::templeKey, "Temple Key"},
    Carryable{"tower", &World::towerKey, "Tower Key"},
};

// Taken one at a time, tested in this order.
inline constexpr std::array kItemsToTake{
    Carryable{"statue", &World::statue, "Statue"},
    Carryable{"light", &World::light, "Light"},
    Carryable{"sword", &World::sword, "Sword"},
    Carryable{"berry", &World::berry, "Berries"},
};
