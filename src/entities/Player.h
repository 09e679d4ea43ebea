#pragma once

#include <iosfwd>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

struct Io;

// The player's character: where it stands, its hit points and the names of what it carries.
class Player {
public:
    Player(int startX, int startY, int startZ, int startHp, int startMaxHp);

    int getX() const { return x; }
    int getY() const { return y; }
    int getZ() const { return z; }
    int getHP() const { return hp; }
    int getMaxHP() const { return maxHp; }
    const std::vector<std::string>& getInventory() const { return inventory; }

    // One square, or false and no step where it would take a coordinate out of its range:
    // the unmapped squares below ground let a script walk on without end.
    bool moveNorth() { return step(y, -1); }
    bool moveSouth() { return step(y, 1); }
    bool moveEast() { return step(x, 1); }
    bool moveWest() { return step(x, -1); }
    bool moveUp() { return step(z, -1); }
    bool moveDown() { return step(z, 1); }
    void returnToStart();

    // A negative amount heals.
    void takeDamage(int amount) { hp -= amount; }
    void healFully() { hp = maxHp; }
    void raiseMaxHp(int amount) { maxHp += amount; }

    // Closes every turn: cuts surplus hit points back and brings a dead character back
    // at the start with one hit point.
    void checkDeath(Io& io);

    // Newest first. Names are compared exactly, case and all.
    void addItem(std::string name);
    void removeItem(std::string_view name);
    bool hasItem(std::string_view name) const;
    void showInventory(std::ostream& out) const;

    // Writes the prompt and reads the next command word. The prompt is the player's,
    // though it needs nothing of the player's state.
    static std::string readCommand(Io& io);

private:
    static bool step(int& coordinate, int by) {
        if (by > 0 ? coordinate == std::numeric_limits<int>::max()
                   : coordinate == std::numeric_limits<int>::min()) {
            return false;
        }
        coordinate += by;
        return true;
    }

    std::vector<std::string> inventory;
    int hp;
    int maxHp;
    int x;
    int y;
    int z;
};
