#include "entities/Player.h"

#include <algorithm>
#include <ostream>

#include "console/Console.h"
#include "console/Input.h"
#include "console/Io.h"
#include "map/Landmarks.h"

Player::Player(int startX, int startY, int startZ, int startHp, int startMaxHp)
    : hp(startHp), maxHp(startMaxHp), x(startX), y(startY), z(startZ) {}

void Player::returnToStart() {
    x = kStartSquare.x;
    y = kStartSquare.y;
    z = kStartSquare.z;
}

void Player::checkDeath(Io& io) {
    if (hp > maxHp) {
        hp = maxHp;
    }
    if (hp > 0) {
        return;
    }
    printLine(io.out, "\n YOU DIED\n ");
    returnToStart();
    hp = 1;
    io.console.showPosition(z, x, y, PositionChange::Death);
    io.console.waitForKey();
    io.console.clearScreen();
}

void Player::addItem(std::string name) {
    inventory.insert(inventory.begin(), std::move(name));
}

void Player::removeItem(std::string_view name) {
    const auto found = std::find(inventory.begin(), inventory.end(), name);
    if (found != inventory.end()) {
        inventory.erase(found);
    }
}

bool Player::hasItem(std::string_view name) const {
    return std::find(inventory.begin(), inventory.end(), name) != inventory.end();
}

void Player::showInventory(std::ostream& out) const {
    for (const std::string& name : inventory) {
        out << name << '\n';
    }
    out << '\n';
    out << "You have " << hp << " HP left" << '\n';
}

std::string Player::readCommand(Io& io) {
    io.out << ">>";
    std::string word;
    readWord(io, word);
    return word;
}
