#include <ostream>

#include "console/Io.h"
#include "game/World.h"
#include "map/EventPassages.h"
#include "map/Landmarks.h"

// The places that do more than describe themselves. Each event runs right after its
// place's description and opens or closes only the directions that its entry in
// EventPassages.cpp names, which its row leaves to it; what the player carries is read as it
// was when the turn began, since no command has run yet.

namespace {

// Whether the item lies on the square's x and y, whatever its level.
bool liesOn(const Item& item, Position square) {
    return item.getX() == square.x && item.getY() == square.y;
}

}  // namespace

void World::runEvent(Event event) {
    switch (event) {
        case Event::None: return;
        case Event::HouseDoor: return houseDoor();
        case Event::TempleDoor: return templeDoor();
        case Event::TowerEntrance: return towerEntrance();
        case Event::OldSword: return oldSword();
        case Event::Temple: return temple();
        case Event::DarkBuilding: return darkBuilding();
        case Event::DarkForest: return darkForest();
        case Event::DarkForestByVines: return darkForestByVines();
        case Event::VineCoveredBuilding: return vineCoveredBuilding();
        case Event::ClockTowerGroundFloor: return clockTowerGroundFloor();
        case Event::GolemFloor: return golemFloor();
        case Event::HealingPlace: return healingPlace();
        case Event::Forge: return forge();
        case Event::Altar: return altar();
        case Event::StoneDoor: return stoneDoor();
        case Event::AbandonedBuilding: return abandonedBuilding();
        case Event::SealedDoor: return sealedDoor();
        case Event::Meteor: return meteor();
        case Event::Finale: return finale();
    }
}

void World::houseDoor() {
    const bool hasKey = player.hasItem("House Key");
    openEventPassages(Event::HouseDoor, hasKey);
    if (!hasKey) {
        printLine(io.out, "The door is locked.");
    }
}

void World::templeDoor() {
    const bool hasKey = player.hasItem("Temple Key");
    openEventPassages(Event::TempleDoor, hasKey);
    if (!hasKey) {
        printLine(io.out, "The door is locked.");
    }
}

void World::towerEntrance() {
    const bool hasKey = player.hasItem("Tower Key");
    const bool hasLight = player.hasItem("Light");
    openEventPassages(Event::TowerEntrance, hasKey && hasLight);
    if (!hasKey) {
        printLine(io.out, "The clocktower is locked");
    } else if (!hasLight) {
        printLine(io.out, "The clocktower is pitch black inside.");
    }
}

void World::oldSword() {
    if (swordFound == 0) {
        printLine(io.out, "You find an old Sword laying on the table");
        swordFound = 1;
    }
}

void World::temple() {
    if (!player.hasItem("Statue") && !player.hasItem("Light")) {
        printLine(io.out,
                  "You hear a mysterious voice call: \n PLEASE RESCUE OUR SACRED STATUE AND DROP "
                  "IT IN THIS ROOM \n THE THIEF IS TO THE NORTHEAST BY A LARGE ROCK \n");
    }
    // Taking the Statue away makes the reward happen once.
    if (liesOn(statue, kTempleFloor)) {
        printLine(io.out, "Thank You for your service. You shall be granted the gift of Light!");
        light.placeAtPlayer(player);
        statue.removeFromMap();
    }
}

void World::darkBuilding() {
    const bool hasLight = player.hasItem("Light");
    openEventPassages(Event::DarkBuilding, hasLight);
    if (hasLight) {
        printLine(io.out, "You see a small tunnel descending downwards in the corner of the room.");
    }
}

void World::darkForest() {
    openEventPassages(Event::DarkForest, player.hasItem("Light"));
}

void World::darkForestByVines() {
    const bool hasLight = player.hasItem("Light");
    openEventPassages(Event::DarkForestByVines, hasLight);
    if (!hasLight) {
        printLine(io.out, "It is pitch black to the north");
    }
}

void World::vineCoveredBuilding() {
    const bool cut = vines.isDead();
    openEventPassages(Event::VineCoveredBuilding, cut);
    if (cut) {
        printLine(io.out, "There is an entryway cut through the vines.");
    }
}

void World::clockTowerGroundFloor() {
    const bool guardDead = direCentipede.isDead();
    openEventPassages(Event::ClockTowerGroundFloor, guardDead);
    printLine(io.out, guardDead ? "A staircase spirals around the wall to the next floor."
                                : "You way is blocked by a monster!");
}

void World::golemFloor() {
    const bool guardDead = golem.isDead();
    openEventPassages(Event::GolemFloor, guardDead);
    printLine(io.out, guardDead ? "A staircase spirals around the wall to the next floor."
                                : "You way is blocked!");
}

void World::healingPlace() {
    player.healFully();
}

void World::forge() {
    // The forge sharpens the Sword wherever it lies, carried or not.
    if (sword.getPower() < 5) {
        printLine(io.out, "You Sharpen your sword!");
        sword.setPower(5);
    }
}

void World::altar() {
    if (!gearboxPlaced) {
        printLine(io.out,
                  "There is a large hole in the rock with the edges of gears protruding outwards");
    }
    // The Gearbox fits whether it is carried in or was dropped on the altar's square.
    const bool carried = player.hasItem("Gearbox");
    const bool lyingHere = liesOn(gearbox, kAltar);
    if (carried || lyingHere) {
        printLine(io.out,
                  "You place the gearbox into the strange alter. There is a loud rumbing noise to "
                  "the south as the ground shakes. ");
        gearbox.removeFromMap();
        if (carried) {
            player.removeItem("Gearbox");
        }
        gearboxPlaced = true;
    }
}

void World::stoneDoor() {
    openEventPassages(Event::StoneDoor, gearboxPlaced);
    if (gearboxPlaced) {
        printLine(io.out, "A Large door has opened into the stone.");
    }
}

void World::abandonedBuilding() {
    doorBrokenDown = 1;
}

void World::sealedDoor() {
    const bool broken = doorBrokenDown == 1;
    openEventPassages(Event::SealedDoor, broken);
    printLine(io.out, broken ? "the door has been broken down" : "the entrance is sealed");
}

void World::meteor() {
    if (meteorFallen) {
        return;
    }
    printLine(io.out,
              "As you climb the stairs to the final chamber, something strikes the tower! /n a "
              "large silver meteor plunges through the clock face.");
    printLine(io.out,
              "As you lose consciousness you see a monster burst out of the strange metalic stone. "
              "it lets out a mighty roar! \n its blue skin and mane of tentacles a horror to "
              "behold!");
    for (Zombie* zombie : zombies) {
        zombieScatter.scatter(*zombie);
    }
    meteorFallen = true;
    player.takeDamage(50);
}

void World::finale() {
    finaleShown = true;
    printLine(io.out,
              "They turn silently towards you, an aura of black and white eminates from their "
              "entire body.");
    printLine(io.out, "TO BE CONTINUED... \n \n Thanks for playing !! \n \n <Hit q to quit>");
}
