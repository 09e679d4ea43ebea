#include "entities/Goblin.h"

#include <ostream>
#include <utility>

#include "entities/Player.h"

Goblin::Goblin(int startAlert, int startX, int startY, int startZ, int startHp, int strikePower,
               std::string enemyName, bool collapsing)
    : Enemy(startX, startY, startZ, startHp, strikePower, std::move(enemyName), collapsing),
      alert(startAlert) {}

void Goblin::attack(Player& player, std::ostream& out) {
    if (!standsWith(player)) {
        alert = 0;
        return;
    }
    if (alert == 1) {
        out << "The Goblin Attacks!!" << '\n';
        player.takeDamage(power);
    } else {
        alert = 1;
    }
}
