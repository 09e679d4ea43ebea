#pragma once

#include <string>
#include <utility>

#include "entities/Enemy.h"

// The Dead Tree: only a Sword can fell it.
class Tree final : public Enemy {
public:
    Tree(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}
};
