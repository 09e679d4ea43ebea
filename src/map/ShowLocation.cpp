#include <ostream>

#include "console/Io.h"
#include "game/World.h"
#include "map/EventPassages.h"

void World::showLocation(int x, int y, int z) {
    if (const Place* place = findPlace(x, y, z)) {
        arriveAt(*place);
    }
    if (z == 0) {
        showPresence();
    }
    applyEdgeHazards(x, y);
    processCommand();
    player.checkDeath(io);
}

void World::arriveAt(const Place& place) {
    // On the first climb to the top of the tower the meteor takes the place of the room:
    // no description, and the exits stay as the floor below left them.
    const bool meteorStrikesNow = place.event == Event::Meteor && !meteorFallen;
    if (!meteorStrikesNow) {
        printLine(io.out, place.description);
        openExits(place.open);
    }
    runEvent(place.event);
}

void World::openExits(Exits open) {
    canGoNorth = open.north();
    canGoEast = open.east();
    canGoWest = open.west();
    canGoSouth = open.south();
    canGoUp = open.up();
    canGoDown = open.down();
}

void World::openEventPassages(Event event, bool open) {
    const Exits passages = eventPassage(event).opens;
    const auto set = [open](bool& flag, bool named) {
        if (named) {
            flag = open;
        }
    };
    set(canGoNorth, passages.north());
    set(canGoEast, passages.east());
    set(canGoWest, passages.west());
    set(canGoSouth, passages.south());
    set(canGoUp, passages.up());
    set(canGoDown, passages.down());
}

void World::showPresence() {
    for (const Item* item : items) {
        // Once the house has been searched the Sword is never pointed out again.
        if (item == &sword && swordFound != 0) {
            continue;
        }
        if (item->liesWith(player)) {
            io.out << "There is a " << item->getName() << " here" << '\n';
        }
    }
    for (const Item* heart : heartPieces) {
        if (heart->liesWith(player)) {
            printLine(io.out, "There is a heart here! Take it to boost your max HP!");
        }
    }

    // A monster is pointed out whenever it stands here, on any level and alive or not.
    const auto announce = [this](const Enemy& monster, std::string_view line) {
        if (monster.standsWith(player)) {
            printLine(io.out, line);
            return true;
        }
        return false;
    };
    announce(centipede1, "There is a centipede here");
    announce(centipede2, "There is a centipede here");
    announce(centipede3, "There is a centipede here");
    announce(direCentipede, "There is a Dire centipede here");
    if (announce(toxicMoid, "There is a toxic moid here. You feel dizzy.")) {
        player.takeDamage(1);
    }
    if (announce(goblin, "There is a Goblin here!")) {
        goblin.attack(player, io.out);
    }
    announce(deadTree, "There is a lone tree standing nearby.");
    announce(vines, "There is a mass of vines here");
}
