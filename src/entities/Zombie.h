#pragma once

#include "entities/Enemy.h"
#include "game/Clock.h"

// The Void Zombies wait off the map until the meteor throws them onto the surface.
class Zombie final : public Enemy {
public:
    using Enemy::Enemy;

    // Reseeds the C library's generator from the clock, in whole seconds, on every call:
    // zombies scattered within one second land on the same square.
    void scatter(Clock clock);
    // Puts the zombie down on a square of the surface where it landed before.
    void landAt(int squareX, int squareY);
};
