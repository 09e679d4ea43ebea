#include <array>
#include <cstddef>
#include <ostream>

#include "console/Io.h"
#include "game/World.h"

namespace {

// What each monster of `enemies` leaves behind when a Sword blow slays it, by position.
constexpr std::array<Item World::*, 9> kDrops{
    nullptr,              // centipede1
    nullptr,              // centipede2
    nullptr,              // centipede3
    nullptr,              // direCentipede
    nullptr,              // toxicMoid
    nullptr,              // vines
    &World::gearbox,      // golem
    &World::statue,       // goblin
    &World::heartPiece1,  // deadTree
};

// Bare hands never reach the last of `enemies`, the dead tree.
constexpr std::size_t kReachableBareHanded = 8;

}  // namespace

void World::attack() {
    int hits = 0;
    const auto swordBlow = [&](Enemy& monster, Item* drop, std::string_view attackLine) {
        if (!monster.standsWith(player)) {
            return;
        }
        printLine(io.out, attackLine);
        ++hits;
        monster.takeDamage(sword.getPower());
        monster.checkDeath(drop, io.out);
        score += monster.isDead() ? 1 : 0;
        // A monster just slain has left the square and strikes nobody.
        monster.strikeBack(player, io.out);
    };

    if (player.hasItem("Sword")) {
        for (std::size_t position = 0; position < enemies.size(); ++position) {
            Item* drop = kDrops[position] != nullptr ? &(this->*kDrops[position]) : nullptr;
            swordBlow(*enemies[position], drop, "You attack the Enemy!");
        }
        for (Zombie* zombie : zombies) {
            swordBlow(*zombie, nullptr, "You attack the Void Zombie!");
        }
        if (hits == 0) {
            printLine(io.out, "You Swing your Sword! Woosh~");
        }
    } else {
        // Bare-handed blows wound but never kill: no death check, no score.
        for (std::size_t position = 0; position < kReachableBareHanded; ++position) {
            Enemy& monster = *enemies[position];
            if (!monster.standsWith(player)) {
                continue;
            }
            printLine(io.out, "You attack the Enemy!");
            ++hits;
            monster.takeDamage(1);
            monster.strikeBack(player, io.out);
        }
        if (hits == 0) {
            printLine(io.out, "HYAAH");
        }
    }
    vines.regrow(io.out);
}
