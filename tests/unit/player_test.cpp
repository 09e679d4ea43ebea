#include <gtest/gtest.h>

#include "entities/Player.h"
#include "support/GameHarness.h"

TEST(PlayerTest, DiesAtExactlyZero) {
    GameHarness game;
    Player& player = game.world.player;
    player.moveEast();
    player.takeDamage(10);
    player.checkDeath(game.io);
    EXPECT_EQ("\n YOU DIED\n \n", game.takeOutput());
    EXPECT_EQ("[key][clear]", game.console.log);
    EXPECT_EQ(0, player.getX());
    EXPECT_EQ(1, player.getHP());
}
