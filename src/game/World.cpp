#include "game/World.h"

#include <ostream>

#include "console/Io.h"

World::World(Io& io, Clock clock) : io(io), clock(clock) {}

void World::play(bool debugMode) {
    for (;;) {
        showLocation(player.getX(), player.getY(), player.getZ());
        if (debugMode) {
            printTrace();
        }
    }
}

// Read afresh after the command, so it shows the state the turn left behind.
void World::printTrace() {
    io.out << player.getX() << ',' << player.getY() << ',' << player.getZ() << '\n';
    io.out << statue.getName() << ',' << statue.getX() << ',' << statue.getY() << ','
           << statue.getZ() << '\n';
}
