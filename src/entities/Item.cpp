#include "entities/Item.h"

#include <utility>

#include "entities/Enemy.h"
#include "entities/OffMap.h"
#include "entities/Player.h"
#include "map/Landmarks.h"

Item::Item(int startX, int startY, int startZ, int startPower, bool startFlag, std::string itemName)
    : name(std::move(itemName)),
      x(startX),
      y(startY),
      z(startZ),
      power(startPower),
      flag(startFlag) {}

bool Item::isUnder(const Player& player) const {
    return x == player.getX() && y == player.getY();
}

bool Item::liesWith(const Player& player) const {
    return isUnder(player) && z == player.getZ();
}

void Item::removeFromMap() {
    x = OFF_MAP;
}

void Item::placeAtPlayer(const Player& player) {
    x = player.getX();
    y = player.getY();
    z = player.getZ();
}

void Item::placeAtEnemy(const Enemy& enemy) {
    x = enemy.getX();
    y = enemy.getY();
    z = enemy.getZ();
}

void Item::placeAtBerryBushes() {
    x = kBerryBushes.x;
    y = kBerryBushes.y;
    z = kBerryBushes.z;
}
