#pragma once

#include "entities/Enemy.h"

// Centipedes do nothing of their own; the Dire Centipede is a bigger one.
class Centipede : public Enemy {
public:
    using Enemy::Enemy;
};
