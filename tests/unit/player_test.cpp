#include "entities/Player.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/GameHarness.h"

TEST(PlayerTest, DiesAtExactlyZeroAndWakesAtTheOriginWithOneHitPoint) {
    GameHarness game;
    Player& player = game.world.player;
    player.moveEast();
    player.moveDown();
    player.addItem("Sword");
    player.raiseMaxHp(2);
    player.takeDamage(10);
    player.checkDeath(game.io);

    EXPECT_EQ("\n YOU DIED\n \n", game.takeOutput());
    EXPECT_EQ("[key][clear]", game.console.log);
    EXPECT_EQ(0, player.getX());
    EXPECT_EQ(0, player.getZ());
    EXPECT_EQ(1, player.getHP());
    EXPECT_EQ(12, player.getMaxHP());
    EXPECT_TRUE(player.hasItem("Sword"));
}

TEST(PlayerTest, OneHitPointIsStillAlive) {
    GameHarness game;
    Player& player = game.world.player;
    player.moveEast();
    player.takeDamage(9);
    player.checkDeath(game.io);
    EXPECT_EQ("", game.takeOutput());
    EXPECT_EQ(1, player.getX());
    EXPECT_EQ(1, player.getHP());
}

TEST(PlayerTest, SurplusHitPointsAreCutBackSilently) {
    GameHarness game;
    Player& player = game.world.player;
    player.takeDamage(-3);
    EXPECT_EQ(13, player.getHP());
    player.checkDeath(game.io);
    EXPECT_EQ(10, player.getHP());
    EXPECT_EQ("", game.takeOutput());
}

TEST(PlayerTest, RaisingTheMaximumLeavesHitPointsUntilHealed) {
    Player player(0, 0, 0, 10, 10);
    player.raiseMaxHp(2);
    EXPECT_EQ(10, player.getHP());
    player.healFully();
    EXPECT_EQ(12, player.getHP());
}

TEST(PlayerTest, InventoryListsNewestFirstThenTheHitPoints) {
    Player player(0, 0, 0, 10, 10);
    player.addItem("Sword");
    player.addItem("Light");
    std::ostringstream out;
    player.showInventory(out);
    EXPECT_EQ("Light\nSword\n\nYou have 10 HP left\n", out.str());
}

TEST(PlayerTest, EmptyInventoryShowsOnlyTheBlankLineAndHitPoints) {
    Player player(0, 0, 0, 7, 10);
    std::ostringstream out;
    player.showInventory(out);
    EXPECT_EQ("\nYou have 7 HP left\n", out.str());
}

TEST(PlayerTest, ItemNamesMatchExactlyAndRemoveTakesTheFirstOnly) {
    Player player(0, 0, 0, 10, 10);
    player.addItem("House Key");
    player.addItem("Statue");
    player.addItem("House Key");
    EXPECT_FALSE(player.hasItem("house key"));
    player.removeItem("House Key");
    EXPECT_EQ((std::vector<std::string>{"Statue", "House Key"}), player.getInventory());
}

TEST(PlayerTest, ReturnToStartKeepsHitPoints) {
    Player player(3, -4, 1, 6, 10);
    player.returnToStart();
    EXPECT_EQ(0, player.getX());
    EXPECT_EQ(0, player.getY());
    EXPECT_EQ(0, player.getZ());
    EXPECT_EQ(6, player.getHP());
}

TEST(PlayerTest, ReadCommandPromptsAndReadsOneWordLeavingTheRest) {
    GameHarness game;
    game.type("take sword");
    EXPECT_EQ("take", Player::readCommand(game.io));
    EXPECT_EQ(">>", game.takeOutput());
    EXPECT_EQ("sword", Player::readCommand(game.io));
}
