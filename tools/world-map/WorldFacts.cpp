#include "WorldFacts.h"

#include <algorithm>
#include <deque>
#include <sstream>

#include "console/Io.h"
#include "console/SilentConsole.h"
#include "game/World.h"
#include "map/EventPassages.h"

namespace {

Square startOfANewGame() {
    std::istringstream in;
    std::ostringstream out;
    SilentConsole console;
    Io io{in, out, console};
    const World world(io);
    return {world.player.getX(), world.player.getY(), world.player.getZ()};
}

std::set<Square> reachedFrom(const Square& start) {
    std::set<Square> reached{start};
    std::deque<Square> queue{start};
    while (!queue.empty()) {
        const Square from = queue.front();
        queue.pop_front();
        const Exits ways = waysOut(*findPlace(from.x, from.y, from.level));
        for (const Way& way : kWays) {
            const Square to{from.x + way.dx, from.y + way.dy, from.level + way.dz};
            if ((ways.bits & way.bit) != 0 && findPlace(to.x, to.y, to.level) != nullptr &&
                reached.insert(to).second) {
                queue.push_back(to);
            }
        }
    }
    return reached;
}

}  // namespace

WorldFacts gatherWorldFacts() {
    WorldFacts facts;
    facts.start = startOfANewGame();
    for (const Place& place : allPlaces()) {
        if (std::find(facts.levels.begin(), facts.levels.end(), place.level) ==
            facts.levels.end()) {
            facts.levels.push_back(place.level);
        }
    }
    if (findPlace(facts.start.x, facts.start.y, facts.start.level) != nullptr) {
        facts.reached = reachedFrom(facts.start);
    }
    return facts;
}

std::string rowLabel(const Place& place) {
    std::string label = "#";
    label += std::to_string(&place - allPlaces().data());
    return label;
}

std::string levelName(int level) {
    if (level == 0) {
        return "the surface";
    }
    const int distance = level < 0 ? -level : level;
    const std::string where = level < 0 ? " above the surface" : " below the surface";
    return std::to_string(distance) + (distance == 1 ? " level" : " levels") + where;
}
