#pragma once

#include <iosfwd>
#include <string>

class Item;
class Player;

// Every monster of the game, hostile plants and machines included. The subclasses add
// little: their type, their numbers, and for three of them one behaviour of their own.
class Enemy {
public:
    int getX() const { return x; }
    int getY() const { return y; }
    int getZ() const { return z; }
    int getHP() const { return hp; }
    int getPower() const { return power; }
    const std::string& getName() const { return name; }
    bool collapsesWhenSlain() const { return collapses; }
    bool isDead() const { return hp <= 0; }

    void takeDamage(int amount) { hp -= amount; }
    // y, z and the hit points stay as they were.
    void removeFromMap();

    // A monster at 0 hit points or below dies here: it says so, leaves `drop` (if any) on
    // its square and leaves the map. Returns whether it died.
    virtual bool checkDeath(Item* drop, std::ostream& out);

    // Hits the player if the player stands on this monster's x and y, whatever the level.
    void strikeBack(Player& player, std::ostream& out) const;

    // The player's own position is compared on x and y only, like a monster's.
    bool standsWith(const Player& player) const;

    // For the subclasses, which take it as it is: a monster is always one of them.
    Enemy(int startX, int startY, int startZ, int startHp, int strikePower, std::string enemyName,
          bool collapsing);

protected:
    // Monsters are never destroyed through a pointer to this base; virtual all the same, as
    // a class with a virtual operation should be.
    virtual ~Enemy() = default;
    Enemy(const Enemy&) = default;
    Enemy& operator=(const Enemy&) = default;
    Enemy(Enemy&&) = default;
    Enemy& operator=(Enemy&&) = default;

    std::string name;
    int x;
    int y;
    int z;
    int power;
    int hp;
    bool collapses;
};
