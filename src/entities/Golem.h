#pragma once

#include <string>
#include <utility>

#include "entities/Enemy.h"

// The Clockwork Golem guards the tower's second floor.
class Golem final : public Enemy {
public:
    Golem(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}
};
