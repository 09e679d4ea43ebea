#include "commands/ItemCommands.h"
#include "commands/Words.h"
#include "game/World.h"

// Dropping is silent, whether anything was dropped or not.
void World::drop(std::string& word) {
    ask("What Would you like to drop?", word);

    if (word == "key") {
        ask("Which Key?", word);
        for (const Carryable& key : kKeysToDrop) {
            if (word == key.answer && player.hasItem(key.inventoryName)) {
                (this->*key.item).placeAtPlayer(player);
                player.removeItem(key.inventoryName);
            }
        }
    }
    // Also tried on the answer to "Which Key?".
    if (isOneOf(word, {"relic", "statue"}) && player.hasItem("Statue")) {
        statue.placeAtPlayer(player);
        player.removeItem("Statue");
    }
    if (word == "gearbox" && player.hasItem("Gearbox")) {
        gearbox.placeAtPlayer(player);
        player.removeItem("Gearbox");
    }
}
