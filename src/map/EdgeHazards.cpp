#include <array>
#include <string_view>

#include "console/Console.h"
#include "console/Io.h"
#include "game/World.h"

namespace {

// What waits beyond the edges of the map, where no place has a row. Each is tested on
// its own, in this order, so a corner beyond two edges gets both.
struct EdgeHazard {
    bool (*beyond)(int x, int y);
    std::string_view warning;
    int damage;
    bool sendsHome;
};

constexpr std::array kEdgeHazards{
    EdgeHazard{[](int x, int) { return x < -5; },
               "As you swim deeper into the murky water, you feel something large \n brush up "
               "against you. Suddenly you are pulled beneath the waves.",
               20, false},
    EdgeHazard{[](int x, int) { return x > 5; },
               "The vines lash out at you relentlessly! \n You take 4 damage", 4, false},
    EdgeHazard{[](int, int y) { return y < -6; },
               "You are engulfed by a mysterious fog. As the fog lifts, \n you find yourself back "
               "where you first woke up.",
               0, true},
};

}  // namespace

void World::applyEdgeHazards(int x, int y) {
    for (const EdgeHazard& hazard : kEdgeHazards) {
        if (!hazard.beyond(x, y)) {
            continue;
        }
        printLine(io.out, hazard.warning);
        if (hazard.damage != 0) {
            player.takeDamage(hazard.damage);
        }
        if (hazard.sendsHome) {
            player.returnToStart();
            showPosition(PositionChange::ReturnToStart);
        }
    }
}
