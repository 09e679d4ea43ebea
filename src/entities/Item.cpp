#include "entities/Item.h"

#include <utility>

#include "entities/Enemy.h"
#include "entities/OffMap.h"
#include "entities/Player.h"
#include "map/Landmarks.h"

Item::Item(int x, int y, int z, int power, bool flag, std::string name)
    : name(std::move(name)), x(x), y(y), z(z), power(power), flag(flag) {}

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
