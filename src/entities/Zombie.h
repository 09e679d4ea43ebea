#pragma once

#include <string>
#include <utility>

#include "entities/Enemy.h"
#include "game/Clock.h"

// The Void Zombies wait off the map until the meteor throws them onto the surface.
class Zombie final : public Enemy {
public:
    Zombie(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}

    // Reseeds the C library's generator from the clock, in whole seconds, on every call:
    // zombies scattered within one second land on the same square.
    void scatter(Clock clock);
};
