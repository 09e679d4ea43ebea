#include <ostream>

#include "console/Io.h"
#include "game/World.h"

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
        for (const Foe& foe : enemies) {
            swordBlow(foe.monster, foe.drop, "You attack the Enemy!");
        }
        for (Zombie* zombie : zombies) {
            swordBlow(*zombie, nullptr, "You attack the Void Zombie!");
        }
        if (hits == 0) {
            printLine(io.out, "You Swing your Sword! Woosh~");
        }
    } else {
        // Bare-handed blows wound but never kill: no death check, no score. They reach no
        // zombie either.
        for (const Foe& foe : enemies) {
            if (foe.reach != Reach::BareHands || !foe.monster.standsWith(player)) {
                continue;
            }
            printLine(io.out, "You attack the Enemy!");
            ++hits;
            foe.monster.takeDamage(1);
            foe.monster.strikeBack(player, io.out);
        }
        if (hits == 0) {
            printLine(io.out, "HYAAH");
        }
    }
    vines.regrow(io.out);
}
