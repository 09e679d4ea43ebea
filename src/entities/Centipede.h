#pragma once

#include <string>
#include <utility>

#include "entities/Enemy.h"

// Centipedes do nothing of their own; the Dire Centipede is a bigger one.
class Centipede : public Enemy {
public:
    Centipede(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}
};
