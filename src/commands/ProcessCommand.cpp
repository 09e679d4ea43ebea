#include <ostream>

#include "commands/Words.h"
#include "console/Console.h"
#include "console/Input.h"
#include "console/Io.h"
#include "console/SessionEnd.h"
#include "game/World.h"

// One chain of exact word tests; the first that matches decides.
void World::processCommand() {
    std::string word = Player::readCommand(io);

    if (isOneOf(word, {"n", "north"})) {
        move(canGoNorth, &Player::moveNorth);
    } else if (isOneOf(word, {"s", "south"})) {
        move(canGoSouth, &Player::moveSouth);
    } else if (isOneOf(word, {"e", "east"})) {
        move(canGoEast, &Player::moveEast);
    } else if (isOneOf(word, {"w", "west"})) {
        move(canGoWest, &Player::moveWest);
    } else if (isOneOf(word, {"u", "up"})) {
        move(canGoUp, &Player::moveUp);
    } else if (isOneOf(word, {"d", "down"})) {
        move(canGoDown, &Player::moveDown);
    } else if (isOneOf(word, {"i", "items", "inventory"})) {
        player.showInventory(io.out);
        // The score is shown only once the meteor has fallen.
        if (meteorFallen) {
            io.out << score << '\n';
        }
    } else if (isOneOf(word, {"a", "attack", "murder", "kill"})) {
        attack();
    } else if (isOneOf(word, {"l", "look"})) {
        // The next turn describes the place again, on a clean screen.
        io.console.clearScreen();
    } else if (isOneOf(word, {"h", "help"})) {
        printLine(io.out, "nswe, agd, h, lower case");
    } else if (isOneOf(word, {"g", "get", "t", "take"})) {
        take(word);
    } else if (isOneOf(word, {"place", "drop"})) {
        drop(word);
    } else if (isOneOf(word, {"eat", "nom"})) {
        eat(word);
    } else if (isOneOf(word, {"q", "quit"})) {
        quit(word);
    } else if (isOneOf(word, {"xyzzy", "plugh"})) {
        printLine(io.out, "A voice in the distance shouts 'Fool'");
    } else if (isOneOf(word, {"c", "clear"})) {
        io.console.clearScreen();
    } else if (word == "ozwib") {
        printLine(io.out, "THE GREAT WIZARD HAS BEEN SUMMONED...");
        printLine(io.out, "JUST GOOGLE IT!");
        printLine(io.out, "THE GREAT WIZARD DISAPPEARED");
    } else if (word == "ZORBLEKUNDA") {
        sword.setPower(99);
    } else {
        printLine(io.out, "What?");
    }
}

void World::move(bool allowed, bool (Player::*step)()) {
    if (!allowed || !(player.*step)()) {
        printLine(io.out, "You can't go that way");
        return;
    }
    showPosition(PositionChange::Move);
}

// A follow-up question: one line, then one word read into the command word, no prompt.
void World::ask(std::string_view question, std::string& word) {
    printLine(io.out, question);
    readWord(io, word);
}

void World::quit(std::string& word) {
    ask("Would you like to quit?", word);
    if (isOneOf(word, {"y", "yes"})) {
        io.console.clearScreen();
        throw SessionEnd{SessionEnd::Reason::PlayerQuit};
    }
}
