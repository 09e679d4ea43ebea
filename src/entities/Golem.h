#pragma once

#include "entities/Enemy.h"

// The Clockwork Golem guards the tower's second floor.
class Golem final : public Enemy {
public:
    using Enemy::Enemy;
};
