#include <gtest/gtest.h>

#include "entities/OffMap.h"
#include "support/GameHarness.h"

TEST(TakeTest, EveryKeyOnTheSquareIsTakenAtOnceSilently) {
    GameHarness game;
    game.placePlayer(2, 2, 0);
    game.world.houseKey.placeAtPlayer(game.world.player);
    game.world.towerKey.placeAtPlayer(game.world.player);
    EXPECT_EQ("What Would you like to get?\n", game.command("take key"));
    EXPECT_EQ((std::vector<std::string>{"Tower Key", "House Key"}),
              game.world.player.getInventory());
    EXPECT_EQ("What Would you like to get?\n", game.command("t key"));
}

TEST(TakeTest, ItemsAreTakenByExactWordFromAnyLevel) {
    GameHarness game;
    game.placePlayer(0, -2, 0);
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n", game.command("g Sword"));
    game.placePlayer(0, -2, 1);
    game.command("get sword");
    EXPECT_TRUE(game.world.player.hasItem("Sword"));
    EXPECT_EQ(OFF_MAP, game.world.sword.getX());
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n", game.command("take sword"));
}

TEST(TakeTest, TheBerryIsCarriedAsBerries) {
    GameHarness game;
    game.placePlayer(4, -2, 0);
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n",
              game.command("take berries"));
    game.command("take berry");
    EXPECT_TRUE(game.world.player.hasItem("Berries"));
}

TEST(TakeTest, TheGearboxOnlyOnceTheGolemIsSlain) {
    GameHarness game;
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n",
              game.command("take gearbox"));
    game.world.golem.removeFromMap();
    game.command("take gearbox");
    EXPECT_TRUE(game.world.player.hasItem("Gearbox"));
    EXPECT_EQ(OFF_MAP, game.world.gearbox.getX());
}

TEST(TakeTest, HeartPiecesNeedTheSameLevelAndRaiseTheMaximum) {
    GameHarness game;
    game.placePlayer(-3, -3, 1);
    game.world.player.takeDamage(3);
    EXPECT_EQ("What Would you like to get?\n", game.command("take heart"));
    EXPECT_EQ(10, game.world.player.getMaxHP());

    game.placePlayer(-3, -3, 0);
    game.world.heartPiece3.placeAtPlayer(game.world.player);
    game.type("take heart");
    game.playTurn();
    EXPECT_EQ(14, game.world.player.getMaxHP());
    EXPECT_EQ(14, game.world.player.getHP());
    EXPECT_EQ(2, game.world.score);
    EXPECT_TRUE(game.world.player.getInventory().empty());
}

TEST(DropTest, KeysAreDroppedByNameAndCanBeTakenBack) {
    GameHarness game;
    game.world.player.addItem("Temple Key");
    game.world.templeKey.removeFromMap();
    game.placePlayer(1, 1, 0);
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", game.command("drop key house"));
    EXPECT_TRUE(game.world.player.hasItem("Temple Key"));
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", game.command("drop key temple"));
    EXPECT_FALSE(game.world.player.hasItem("Temple Key"));
    EXPECT_EQ(1, game.world.templeKey.getX());
    game.command("take key");
    EXPECT_TRUE(game.world.player.hasItem("Temple Key"));
}

TEST(DropTest, TheStatueAnswersWhichKeyToo) {
    GameHarness game;
    game.world.player.addItem("Statue");
    game.placePlayer(3, 3, 0);
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", game.command("place key statue"));
    EXPECT_EQ(3, game.world.statue.getX());
    EXPECT_FALSE(game.world.player.hasItem("Statue"));

    game.world.player.addItem("Statue");
    game.world.statue.removeFromMap();
    game.command("drop relic");
    EXPECT_EQ(3, game.world.statue.getX());
}

TEST(DropTest, TheCarriedGearboxCanBeDropped) {
    GameHarness game;
    game.world.player.addItem("Gearbox");
    game.world.gearbox.removeFromMap();
    game.placePlayer(1, 1, 0);
    EXPECT_EQ("What Would you like to drop?\n", game.command("drop gearbox"));
    EXPECT_EQ(1, game.world.gearbox.getX());
    EXPECT_FALSE(game.world.player.hasItem("Gearbox"));
}

TEST(DropTest, ThingsNotCarriedOrNotDroppableAreIgnoredSilently) {
    GameHarness game;
    game.world.player.addItem("Sword");
    EXPECT_EQ("What Would you like to drop?\n", game.command("drop sword"));
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", game.command("drop key tower"));
    EXPECT_TRUE(game.world.player.hasItem("Sword"));
}

TEST(EatTest, BerriesHealThreeAndGrowBack) {
    GameHarness game;
    game.world.player.takeDamage(5);
    game.world.player.addItem("Berries");
    game.world.berry.removeFromMap();
    EXPECT_EQ("What Would you like to eat?\n", game.command("eat berries"));
    EXPECT_EQ(8, game.world.player.getHP());
    EXPECT_EQ(4, game.world.berry.getX());
    EXPECT_EQ(-2, game.world.berry.getY());
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", game.command("nom food"));
}

TEST(EatTest, TheRefusals) {
    GameHarness game;
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", game.command("eat potion"));
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", game.command("eat red"));
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", game.command("eat light"));
    game.world.player.addItem("Light");
    EXPECT_EQ(
        "What Would you like to eat?\nYou cannot consume the light. Make your belly glow in "
        "other ways.\n",
        game.command("eat light"));
    EXPECT_TRUE(game.world.player.hasItem("Light"));
    EXPECT_EQ("What Would you like to eat?\nAuto-cannibalism is not the answer\n",
              game.command("eat self"));
    EXPECT_EQ("What Would you like to eat?\nI don't think you should do that...\n",
              game.command("eat sword"));
    EXPECT_EQ("What Would you like to eat?\nI don't think you should do that...\n",
              game.command("eat gearbox"));
}

TEST(EatTest, ThePotionHealsFullyWhenCarried) {
    GameHarness game;
    game.world.player.takeDamage(9);
    game.world.player.addItem("Red Potion");
    game.command("eat potion");
    EXPECT_EQ(10, game.world.player.getHP());
    EXPECT_EQ(OFF_MAP, game.world.redPotion.getX());
}
