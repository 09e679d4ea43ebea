#pragma once

#include <iosfwd>
#include <string>
#include <utility>

#include "entities/Enemy.h"

// Vines that grow back when all but cut through, so bare hands never clear them.
class Vines final : public Enemy {
public:
    Vines(int x, int y, int z, int hp, int power, std::string name, bool collapses)
        : Enemy(x, y, z, hp, power, std::move(name), collapses) {}
    void regrow(std::ostream& out);
};
