#include "entities/Goblin.h"

#include <ostream>
#include <utility>

#include "entities/Player.h"

Goblin::Goblin(int alert, int x, int y, int z, int hp, int power, std::string name, bool collapses)
    : Enemy(x, y, z, hp, power, std::move(name), collapses), alert(alert) {}

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
