#include "game/World.h"

#include <ostream>

#include "console/Console.h"
#include "console/Io.h"

World::World(Io& gameIo, Clock gameClock)
    : io(gameIo), clockScatter(gameClock), zombieScatter(clockScatter) {}

World::World(Io& gameIo, ZombieScatter& scatter)
    : io(gameIo), clockScatter(systemClock), zombieScatter(scatter) {}

void World::play(bool debugMode) {
    showPosition(PositionChange::NewGame);
    for (;;) {
        showLocation(player.getX(), player.getY(), player.getZ());
        if (debugMode) {
            printTrace();
        }
    }
}

void World::showPosition(PositionChange change) {
    io.console.showPosition(player.getZ(), player.getX(), player.getY(), change);
}

// Read afresh after the command, so it shows the state the turn left behind.
void World::printTrace() {
    io.out << player.getX() << ',' << player.getY() << ',' << player.getZ() << '\n';
    io.out << statue.getName() << ',' << statue.getX() << ',' << statue.getY() << ','
           << statue.getZ() << '\n';
}
