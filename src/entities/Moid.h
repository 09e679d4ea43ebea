#pragma once

#include "entities/Enemy.h"

// The Toxic Moid hurts whoever shares its square; the location handler sees to that.
class Moid final : public Enemy {
public:
    using Enemy::Enemy;
};
