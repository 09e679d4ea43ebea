#pragma once

#include <string>

class Player;
class Enemy;

// One thing of the world that can lie on a square or be carried off the map.
class Item {
public:
    Item(int startX, int startY, int startZ, int startPower, bool startFlag, std::string itemName);

    const std::string& getName() const { return name; }
    int getPower() const { return power; }
    void setPower(int newPower) { power = newPower; }
    int getX() const { return x; }
    int getY() const { return y; }
    int getZ() const { return z; }
    // Set when the world is built and read by nothing in play.
    bool getFlag() const { return flag; }

    // Whether the player can reach it: on the player's x and y, whatever the level.
    bool isUnder(const Player& player) const;
    // Whether it lies on the player's very square: x, y and level.
    bool liesWith(const Player& player) const;

    // y and z keep their values: only x tells whether the item is on the map.
    void removeFromMap();
    void placeAtPlayer(const Player& player);
    void placeAtEnemy(const Enemy& enemy);
    // Where the Berry grows, and where it goes back to once eaten.
    void placeAtBerryBushes();

private:
    std::string name;
    int x;
    int y;
    int z;
    int power;
    bool flag;
};
