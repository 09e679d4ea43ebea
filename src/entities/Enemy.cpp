#include "entities/Enemy.h"

#include <ostream>
#include <utility>

#include "entities/Item.h"
#include "entities/OffMap.h"
#include "entities/Player.h"

Enemy::Enemy(int startX, int startY, int startZ, int startHp, int strikePower,
             std::string enemyName, bool collapsing)
    : name(std::move(enemyName)),
      x(startX),
      y(startY),
      z(startZ),
      power(strikePower),
      hp(startHp),
      collapses(collapsing) {}

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
