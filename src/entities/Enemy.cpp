#include "entities/Enemy.h"

#include <ostream>
#include <utility>

#include "entities/Item.h"
#include "entities/OffMap.h"
#include "entities/Player.h"

Enemy::Enemy(int x, int y, int z, int hp, int power, std::string name, bool collapses)
    : name(std::move(name)), x(x), y(y), z(z), power(power), hp(hp), collapses(collapses) {}

void Enemy::removeFromMap() {
    x = OFF_MAP;
}

bool Enemy::checkDeath(Item* drop, std::ostream& out) {
    if (hp > 0) {
        return false;
    }
    out << "The " << name << (collapses ? " collapsed \n " : " was slain \n ") << '\n';
    if (drop != nullptr) {
        drop->placeAtEnemy(*this);
        out << "A " << drop->getName() << " tumbles to the ground \n " << '\n';
    }
    removeFromMap();
    return true;
}

bool Enemy::standsWith(const Player& player) const {
    return player.getX() == x && player.getY() == y;
}

void Enemy::strikeBack(Player& player, std::ostream& out) const {
    if (!standsWith(player)) {
        return;
    }
    out << "The Enemy strikes back!!" << '\n';
    player.takeDamage(power);
    out << "You take " << power << " damage" << '\n';
}
