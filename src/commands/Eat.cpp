#include "commands/Words.h"
#include "console/Io.h"
#include "game/World.h"

void World::eat(std::string& word) {
    ask("What Would you like to eat?", word);

    if (isOneOf(word, {"berry", "food", "berries"})) {
        if (player.hasItem("Berries")) {
            // Back to the bushes: berries never run out.
            berry.placeAtBerryBushes();
            player.removeItem("Berries");
            // Not bounded here: the end of the turn cuts any surplus back.
            player.takeDamage(-3);
        } else {
            printLine(io.out, "you don't have any...");
        }
    } else if (isOneOf(word, {"potion", "red"})) {
        if (player.hasItem("Red Potion")) {
            redPotion.removeFromMap();
            player.removeItem("Red Potion");
            player.healFully();
        } else {
            printLine(io.out, "you don't have any...");
        }
    } else if (word == "light") {
        printLine(io.out, player.hasItem("Light")
                              ? "You cannot consume the light. Make your belly glow in other ways."
                              : "you don't have any...");
    } else if (word == "self") {
        printLine(io.out, "Auto-cannibalism is not the answer");
    } else {
        printLine(io.out, "I don't think you should do that...");
    }
}
