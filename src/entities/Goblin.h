#pragma once

#include <iosfwd>

#include "entities/Enemy.h"

// The thief of the temple's Statue. It lets the player in once, then attacks every turn
// the player stays.
class Goblin final : public Enemy {
public:
    Goblin(int startAlert, int startX, int startY, int startZ, int startHp, int strikePower,
           std::string enemyName, bool collapsing);

    int getAlert() const { return alert; }
    void attack(Player& player, std::ostream& out);

private:
    int alert;
};
