#include <gtest/gtest.h>

#include "entities/OffMap.h"
#include "support/GameHarness.h"

TEST(WorldTest, StartsWithEveryItemAtItsPlace) {
    GameHarness game;
    const World& world = game.world;
    const std::array<const char*, 9> names{"Sword",     "House Key",  "Temple Key",
                                           "Tower Key", "Statue",     "Light",
                                           "Berry",     "Red Potion", "Gearbox"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], world.items[i]->getName());
    }
    EXPECT_EQ(&world.sword, world.items[0]);
    EXPECT_EQ(&world.gearbox, world.items[8]);
    EXPECT_EQ(3, world.sword.getPower());
    EXPECT_EQ(OFF_MAP, world.statue.getX());
    EXPECT_EQ(OFF_MAP, world.light.getX());
    EXPECT_EQ(-1, world.redPotion.getZ());
    for (const Item* heart : world.heartPieces) {
        EXPECT_EQ("Heart Piece", heart->getName());
    }
    EXPECT_EQ(OFF_MAP, world.heartPieces[0]->getX());
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Only the Berry, the Red Potion and the Gearbox are built with the flag set.
        EXPECT_EQ(i >= 6, world.items[i]->getFlag()) << names[i];
    }
    EXPECT_EQ(5, world.heartPieces[4]->getX());
    EXPECT_EQ(8, world.heartPieces[4]->getY());
}

TEST(WorldTest, EnemiesAreListedInTheOrderAnAttackStrikes) {
    GameHarness game;
    World& world = game.world;
    const std::array<const Enemy*, 9> expected{
        &world.centipede1,    &world.centipede2, &world.centipede3,
        &world.direCentipede, &world.toxicMoid,  &world.vines,
        &world.golem,         &world.goblin,     &world.deadTree};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i], &world.enemies[i].monster);
    }
    EXPECT_EQ(&world.voidZombie1, world.zombies[0]);
    EXPECT_EQ(&world.voidZombie10, world.zombies[9]);
}

TEST(WorldTest, MonstersStartWithTheirNumbers) {
    GameHarness game;
    const World& world = game.world;
    EXPECT_EQ(8, world.direCentipede.getHP());
    EXPECT_EQ(2, world.direCentipede.getPower());
    EXPECT_EQ(0, world.goblin.getAlert());
    EXPECT_EQ(4, world.goblin.getX());
    EXPECT_EQ(4, world.goblin.getPower());
    EXPECT_EQ(-2, world.golem.getZ());
    EXPECT_EQ(20, world.golem.getHP());
    EXPECT_TRUE(world.deadTree.collapsesWhenSlain());
    EXPECT_FALSE(world.goblin.collapsesWhenSlain());
    for (const Zombie* zombie : world.zombies) {
        EXPECT_EQ(99, zombie->getX());
        EXPECT_EQ(99, zombie->getZ());
        EXPECT_EQ(7, zombie->getPower());
    }
}

TEST(WorldTest, StartsAtTheOriginWithTheCompassOpen) {
    GameHarness game;
    const World& world = game.world;
    EXPECT_EQ(10, world.player.getHP());
    EXPECT_EQ(10, world.player.getMaxHP());
    EXPECT_TRUE(world.player.getInventory().empty());
    EXPECT_TRUE(world.canGoNorth && world.canGoEast && world.canGoWest && world.canGoSouth);
    EXPECT_FALSE(world.canGoUp || world.canGoDown);
    EXPECT_EQ(0, world.score);
    EXPECT_EQ(0, world.swordFound);
    EXPECT_FALSE(world.meteorFallen);
}

TEST(WorldTest, DamageThroughTheArrayShowsThroughTheNamedField) {
    GameHarness game;
    World& world = game.world;
    world.enemies[6].monster.takeDamage(5);
    EXPECT_EQ(15, world.golem.getHP());
}

TEST(WorldTest, DebugTraceShowsTheStateAfterTheCommand) {
    RecordingConsole console;
    const std::string printed = runWholeProgram("2 3 0 0 e", console);
    EXPECT_NE(std::string::npos, printed.find("There is a Gearbox here\n>>1,0,0\nStatue,99999,0,0\n"
                                              "You are in a field of lush grass."));
}

TEST(WorldTest, NoTraceWithoutDebugMode) {
    RecordingConsole console;
    const std::string printed = runWholeProgram("0 e", console);
    EXPECT_EQ(std::string::npos, printed.find("Statue,"));
}

TEST(WorldTest, TellsTheConsoleWhereThePlayerLandsAndHow) {
    RecordingConsole console;
    runWholeProgram("0 e", console);
    EXPECT_EQ("new game level 0 at 0,0\nmove level 0 at 1,0\n", console.positions);

    GameHarness game;
    game.placePlayer(0, 2, 0);
    game.type("u n");  // up the tree, whose top has no way north
    game.playTurn();
    game.playTurn();
    game.placePlayer(1, -6, 0);
    game.type("n c");  // into the fog, which sends the player back
    game.playTurn();
    game.playTurn();
    game.world.player.takeDamage(10);
    game.type("e");  // a step, then death at the end of the same turn
    game.playTurn();
    EXPECT_EQ(
        "move level -1 at 0,2\n"
        "move level 0 at 1,-7\n"
        "return level 0 at 0,0\n"
        "move level 0 at 1,0\n"
        "death level 0 at 0,0\n",
        game.console.positions);
}
