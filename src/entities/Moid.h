#pragma once

#include <string>
#include <utility>

#include "entities/Enemy.h"

// The Toxic Moid hurts whoever shares its square; the location handler sees to that.
class Moid final : public Enemy {
public:
    Moid(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}
};
