#include "commands/ItemCommands.h"
#include "console/Io.h"
#include "entities/OffMap.h"
#include "game/World.h"

// Things are taken from the player's x and y, whatever their level; heart pieces only
// from the player's own level.
void World::take(std::string& word) {
    ask("What Would you like to get?", word);

    if (word == "key") {
        for (const Carryable& key : kKeysToTake) {
            Item& item = this->*key.item;
            if (item.isUnder(player)) {
                item.removeFromMap();
                player.addItem(std::string(key.inventoryName));
            }
        }
        return;
    }
    for (const Carryable& carryable : kItemsToTake) {
        Item& item = this->*carryable.item;
        if (word == carryable.answer && item.isUnder(player)) {
            item.removeFromMap();
            player.addItem(std::string(carryable.inventoryName));
            return;
        }
    }
    // The golem guards the Gearbox: it can be carried only once the golem is slain.
    if (word == "gearbox" && golem.getX() == OFF_MAP && gearbox.isUnder(player)) {
        gearbox.removeFromMap();
        player.addItem("Gearbox");
        return;
    }
    if (word == "heart") {
        for (Item* heart : heartPieces) {
            if (heart->liesWith(player)) {
                player.raiseMaxHp(2);
                ++score;
                heart->removeFromMap();
                player.healFully();
            }
        }
        return;
    }
    printLine(io.out, "I don't see that here!");
}
