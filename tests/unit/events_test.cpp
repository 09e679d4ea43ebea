#include <gtest/gtest.h>

#include "entities/OffMap.h"
#include "support/GameHarness.h"

namespace {

// Stands the player on a square for one turn (whose command only clears the screen) and
// returns what the place printed before the prompt.
std::string visit(GameHarness& game, int x, int y, int z) {
    game.placePlayer(x, y, z);
    game.type("c");
    const std::string printed = game.playTurn();
    return printed.substr(0, printed.find(">>"));
}

const std::string kTempleText =
    "You are inside an ancient temple. light pours in through holes in the ceiling. The door "
    "is to the east.\n";
const std::string kVoice =
    "You hear a mysterious voice call: \n PLEASE RESCUE OUR SACRED STATUE AND DROP IT IN THIS "
    "ROOM \n THE THIEF IS TO THE NORTHEAST BY A LARGE ROCK \n\n";

}  // namespace

TEST(EventTest, LockedDoorsOpenForTheKeyCarried) {
    GameHarness game;
    EXPECT_EQ("You are in front of a house.\nThe door is locked.\n", visit(game, 0, -1, 0));
    EXPECT_FALSE(game.world.canGoNorth);
    game.world.player.addItem("House Key");
    EXPECT_EQ("You are in front of a house.\n", visit(game, 0, -1, 0));
    EXPECT_TRUE(game.world.canGoNorth);
    EXPECT_TRUE(game.world.canGoSouth);
}

TEST(EventTest, TowerEntranceWantsTheKeyAndTheLight) {
    GameHarness game;
    const std::string entrance =
        "You are at the entrance to the ancient tower. the site of it sends shivers down your "
        "spine.\n";
    EXPECT_EQ(entrance + "The clocktower is locked\n", visit(game, 2, 8, 0));
    game.world.player.addItem("Light");
    EXPECT_EQ(entrance + "The clocktower is locked\n", visit(game, 2, 8, 0));
    game.world.player.addItem("Tower Key");
    game.world.player.removeItem("Light");
    EXPECT_EQ(entrance + "The clocktower is pitch black inside.\n", visit(game, 2, 8, 0));
    EXPECT_FALSE(game.world.canGoNorth);
    game.world.player.addItem("Light");
    EXPECT_EQ(entrance, visit(game, 2, 8, 0));
    EXPECT_TRUE(game.world.canGoNorth);
}

TEST(EventTest, TheSwordIsFoundOnceAndNeverPointedOutAgain) {
    GameHarness game;
    const std::string house = "You are inside an old house with a door to the south.\n";
    EXPECT_EQ(house + "You find an old Sword laying on the table\n", visit(game, 0, -2, 0));
    EXPECT_EQ(house, visit(game, 0, -2, 0));
}

TEST(EventTest, TheTempleTradesTheDroppedStatueForTheLight) {
    GameHarness game;
    EXPECT_EQ(kTempleText + kVoice, visit(game, -4, 7, 0));

    game.world.player.addItem("Statue");
    EXPECT_EQ(kTempleText, visit(game, -4, 7, 0));

    game.type("drop statue");
    game.playTurn();
    EXPECT_EQ(kTempleText + kVoice +
                  "Thank You for your service. You shall be granted the gift of Light!\n"
                  "There is a Light here\n",
              visit(game, -4, 7, 0));
    EXPECT_EQ(OFF_MAP, game.world.statue.getX());

    game.type("take light");
    game.playTurn();
    EXPECT_EQ(kTempleText, visit(game, -4, 7, 0));
}

TEST(EventTest, DarkPlacesNeedTheLight) {
    GameHarness game;
    visit(game, 0, 8, 0);
    EXPECT_FALSE(game.world.canGoDown);
    visit(game, 4, -4, 0);
    EXPECT_FALSE(game.world.canGoNorth || game.world.canGoEast);
    EXPECT_TRUE(game.world.canGoWest && game.world.canGoSouth);
    EXPECT_NE(std::string::npos, visit(game, 5, -4, 0).find("It is pitch black to the north\n"));
    EXPECT_FALSE(game.world.canGoNorth);

    game.world.player.addItem("Light");
    EXPECT_NE(
        std::string::npos,
        visit(game, 0, 8, 0)
            .find("You see a small tunnel descending downwards in the corner of the room.\n"));
    EXPECT_TRUE(game.world.canGoDown);
    visit(game, 4, -4, 0);
    EXPECT_TRUE(game.world.canGoNorth && game.world.canGoEast);
    EXPECT_EQ(std::string::npos, visit(game, 5, -4, 0).find("pitch black"));
    EXPECT_TRUE(game.world.canGoNorth);
}

TEST(EventTest, GuardsBlockTheStairsUntilTheyHaveNoHitPoints) {
    GameHarness game;
    EXPECT_NE(std::string::npos, visit(game, 2, 7, 0).find("You way is blocked by a monster!\n"));
    EXPECT_FALSE(game.world.canGoUp);
    // Worn to nothing bare-handed is enough: the guard need not have been slain.
    game.world.direCentipede.takeDamage(8);
    EXPECT_NE(
        std::string::npos,
        visit(game, 2, 7, 0).find("A staircase spirals around the wall to the next floor.\n"));
    EXPECT_TRUE(game.world.canGoUp);

    EXPECT_NE(std::string::npos, visit(game, -40, 3, -2).find("You way is blocked!\n"));
    game.world.golem.takeDamage(20);
    visit(game, 2, 7, -2);
    EXPECT_TRUE(game.world.canGoUp && game.world.canGoDown);

    visit(game, 1, 4, 0);
    EXPECT_FALSE(game.world.canGoSouth);
    game.world.vines.takeDamage(2);
    EXPECT_NE(std::string::npos,
              visit(game, 1, 4, 0).find("There is an entryway cut through the vines.\n"));
    EXPECT_TRUE(game.world.canGoSouth);
}

TEST(EventTest, HealingPlacesRestoreEveryHitPoint) {
    for (const auto& [x, y, z] :
         {std::array{3, -5, 0}, std::array{3, 0, 0}, std::array{0, 2, -1}}) {
        GameHarness game;
        game.world.player.raiseMaxHp(4);
        game.world.player.takeDamage(8);
        visit(game, x, y, z);
        EXPECT_EQ(14, game.world.player.getHP());
    }
}

TEST(EventTest, TheForgeSharpensTheSwordWhereverItLiesButNeverBlunts) {
    GameHarness game;
    EXPECT_NE(std::string::npos, visit(game, 1, 5, 0).find("You Sharpen your sword!\n"));
    EXPECT_EQ(5, game.world.sword.getPower());
    EXPECT_EQ(std::string::npos, visit(game, 1, 5, 0).find("Sharpen"));
    game.world.sword.setPower(99);
    EXPECT_EQ(std::string::npos, visit(game, 1, 5, 0).find("Sharpen"));
    EXPECT_EQ(99, game.world.sword.getPower());
}

TEST(EventTest, TheAltarTakesTheGearboxCarriedOrDroppedThere) {
    const std::string hole =
        "There is a large hole in the rock with the edges of gears protruding outwards\n";
    const std::string placing =
        "You place the gearbox into the strange alter. There is a loud rumbing noise to the south "
        "as the ground shakes. \n";
    {
        GameHarness game;
        const std::string first = visit(game, 5, -6, 0);
        EXPECT_NE(std::string::npos, first.find(hole));
        EXPECT_EQ(std::string::npos, first.find(placing));
        game.world.player.addItem("Gearbox");
        game.world.gearbox.removeFromMap();
        const std::string second = visit(game, 5, -6, 0);
        EXPECT_NE(std::string::npos, second.find(hole + placing));
        EXPECT_TRUE(game.world.gearboxPlaced);
        EXPECT_FALSE(game.world.player.hasItem("Gearbox"));
        EXPECT_EQ(std::string::npos, visit(game, 5, -6, 0).find(hole));
    }
    {
        GameHarness game;
        game.placePlayer(5, -6, 1);
        game.world.gearbox.placeAtPlayer(game.world.player);
        visit(game, 5, -6, 0);
        EXPECT_TRUE(game.world.gearboxPlaced);
        EXPECT_EQ(OFF_MAP, game.world.gearbox.getX());
        EXPECT_NE(std::string::npos,
                  visit(game, 3, 1, 0).find("A Large door has opened into the stone.\n"));
        EXPECT_TRUE(game.world.canGoNorth);
    }
}

TEST(EventTest, TheStoneStaysShutWithoutTheGearbox) {
    GameHarness game;
    EXPECT_EQ(
        "You are in a field. To the north is a natural monument to the gods. An awe inspiring "
        "site.\n",
        visit(game, 3, 1, 0));
    EXPECT_FALSE(game.world.canGoNorth);
}

TEST(EventTest, TheDoorCanOnlyBeBrokenFromInside) {
    GameHarness game;
    EXPECT_NE(std::string::npos, visit(game, 3, 6, 0).find("the entrance is sealed\n"));
    EXPECT_FALSE(game.world.canGoNorth);
    visit(game, 3, 5, 0);
    EXPECT_EQ(1, game.world.doorBrokenDown);
    EXPECT_NE(std::string::npos, visit(game, 3, 6, 0).find("the door has been broken down\n"));
    EXPECT_TRUE(game.world.canGoNorth);
}

TEST(EventTest, TheMeteorStrikesOnTheFirstClimbOnly) {
    GameHarness game;
    visit(game, 2, 7, -3);
    const std::string first = visit(game, 2, 7, -4);
    EXPECT_EQ(
        "As you climb the stairs to the final chamber, something strikes the tower! /n a large "
        "silver meteor plunges through the clock face.\n"
        "As you lose consciousness you see a monster burst out of the strange metalic stone. it "
        "lets out a mighty roar! \n its blue skin and mane of tentacles a horror to behold!\n",
        first);
    EXPECT_TRUE(game.world.meteorFallen);
    for (const Zombie* zombie : game.world.zombies) {
        EXPECT_EQ(0, zombie->getZ());
        EXPECT_EQ(game.world.voidZombie1.getX(), zombie->getX());
    }
    // 50 damage kills a player of 10: back at the origin with one hit point.
    EXPECT_EQ(0, game.world.player.getX());
    EXPECT_EQ(1, game.world.player.getHP());

    EXPECT_EQ(
        "You are in a ruined room at the top of a clocktower. there are strange metal shards "
        "littered around the room.\n",
        visit(game, 2, 7, -4));
    EXPECT_TRUE(game.world.canGoUp && game.world.canGoDown);
}

TEST(EventTest, TheFinaleRepeatsEveryTurn) {
    GameHarness game;
    const std::string finale =
        "They turn silently towards you, an aura of black and white eminates from their entire "
        "body.\nTO BE CONTINUED... \n \n Thanks for playing !! \n \n <Hit q to quit>\n";
    EXPECT_NE(std::string::npos, visit(game, 3, 0, 1).find(finale));
    EXPECT_NE(std::string::npos, visit(game, 3, 0, 1).find(finale));
    EXPECT_TRUE(game.world.canGoUp);
    EXPECT_FALSE(game.world.canGoDown || game.world.canGoNorth);
}

TEST(HazardTest, EachEdgeOnItsOwn) {
    GameHarness game;
    game.world.player.raiseMaxHp(40);
    game.world.player.healFully();
    EXPECT_EQ(
        "As you swim deeper into the murky water, you feel something large \n brush up "
        "against you. Suddenly you are pulled beneath the waves.\n",
        visit(game, -6, 0, 0));
    EXPECT_EQ(30, game.world.player.getHP());
    EXPECT_EQ("The vines lash out at you relentlessly! \n You take 4 damage\n",
              visit(game, 6, 3, 2));
    EXPECT_EQ(26, game.world.player.getHP());
    EXPECT_EQ(
        "You are engulfed by a mysterious fog. As the fog lifts, \n you find yourself back "
        "where you first woke up.\n",
        visit(game, 1, -7, 0));
    EXPECT_EQ(0, game.world.player.getY());
    EXPECT_EQ(26, game.world.player.getHP());
}

TEST(HazardTest, WaterThenFogInTheCorner) {
    GameHarness game;
    game.world.player.raiseMaxHp(40);
    game.world.player.healFully();
    const std::string printed = visit(game, -6, -7, 0);
    EXPECT_EQ(0, printed.find("As you swim deeper"));
    EXPECT_NE(std::string::npos, printed.find("You are engulfed by a mysterious fog."));
    EXPECT_EQ(30, game.world.player.getHP());
    EXPECT_EQ(0, game.world.player.getX());
}

TEST(HazardTest, BeyondTheEdgeTheLastExitsStillHold) {
    GameHarness game;
    game.placePlayer(5, -3, 0);
    game.type("e e");
    game.playTurn();
    const std::string beyond = game.playTurn();
    // No row out here: no description, the vines strike, and east is still open.
    EXPECT_EQ(0, beyond.find("The vines lash out"));
    EXPECT_EQ(7, game.world.player.getX());
    EXPECT_EQ(6, game.world.player.getHP());
}
