#pragma once

#include <iosfwd>

#include "entities/Enemy.h"

// Vines that grow back when all but cut through, so bare hands never clear them.
class Vines final : public Enemy {
public:
    using Enemy::Enemy;
    void regrow(std::ostream& out);
};
