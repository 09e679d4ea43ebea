#pragma once

#include "entities/Enemy.h"

// The Dead Tree: only a Sword can fell it.
class Tree final : public Enemy {
public:
    using Enemy::Enemy;
};
