#include <gtest/gtest.h>

#include "entities/OffMap.h"
#include "support/GameHarness.h"

namespace {

std::string command(GameHarness& game, std::string_view words) {
    game.type(words);
    const std::string printed = game.playTurn();
    return printed.substr(printed.find(">>") + 2);
}

}  // namespace

TEST(TakeTest, EveryKeyOnTheSquareIsTakenAtOnceSilently) {
    GameHarness game;
    game.placePlayer(2, 2, 0);
    game.world.houseKey.placeAtPlayer(game.world.player);
    game.world.towerKey.placeAtPlayer(game.world.player);
    EXPECT_EQ("What Would you like to get?\n", command(game, "take key"));
    EXPECT_EQ((std::vector<std::string>{"Tower Key", "House Key"}),
              game.world.player.getInventory());
    EXPECT_EQ("What Would you like to get?\n", command(game, "t key"));
}

TEST(TakeTest, ItemsAreTakenByExactWordFromAnyLevel) {
    GameHarness game;
    game.placePlayer(0, -2, 0);
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n", command(game, "g Sword"));
    game.placePlayer(0, -2, 1);
    command(game, "get sword");
    EXPECT_TRUE(game.world.player.hasItem("Sword"));
    EXPECT_EQ(OFF_MAP, game.world.sword.getX());
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n", command(game, "take sword"));
}

TEST(TakeTest, TheBerryIsCarriedAsBerries) {
    GameHarness game;
    game.placePlayer(4, -2, 0);
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n",
              command(game, "take berries"));
    command(game, "take berry");
    EXPECT_TRUE(game.world.player.hasItem("Berries"));
}

TEST(TakeTest, TheGearboxOnlyOnceTheGolemIsSlain) {
    GameHarness game;
    EXPECT_EQ("What Would you like to get?\nI don't see that here!\n",
              command(game, "take gearbox"));
    game.world.golem.removeFromMap();
    command(game, "take gearbox");
    EXPECT_TRUE(game.world.player.hasItem("Gearbox"));
    EXPECT_EQ(OFF_MAP, game.world.gearbox.getX());
}

TEST(TakeTest, HeartPiecesNeedTheSameLevelAndRaiseTheMaximum) {
    GameHarness game;
    game.placePlayer(-3, -3, 1);
    game.world.player.takeDamage(3);
    EXPECT_EQ("What Would you like to get?\n", command(game, "take heart"));
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
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", command(game, "drop key house"));
    EXPECT_TRUE(game.world.player.hasItem("Temple Key"));
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", command(game, "drop key temple"));
    EXPECT_FALSE(game.world.player.hasItem("Temple Key"));
    EXPECT_EQ(1, game.world.templeKey.getX());
    command(game, "take key");
    EXPECT_TRUE(game.world.player.hasItem("Temple Key"));
}

TEST(DropTest, TheStatueAnswersWhichKeyToo) {
    GameHarness game;
    game.world.player.addItem("Statue");
    game.placePlayer(3, 3, 0);
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", command(game, "place key statue"));
    EXPECT_EQ(3, game.world.statue.getX());
    EXPECT_FALSE(game.world.player.hasItem("Statue"));

    game.world.player.addItem("Statue");
    game.world.statue.removeFromMap();
    command(game, "drop relic");
    EXPECT_EQ(3, game.world.statue.getX());
}

TEST(DropTest, TheCarriedGearboxCanBeDropped) {
    GameHarness game;
    game.world.player.addItem("Gearbox");
    game.world.gearbox.removeFromMap();
    game.placePlayer(1, 1, 0);
    EXPECT_EQ("What Would you like to drop?\n", command(game, "drop gearbox"));
    EXPECT_EQ(1, game.world.gearbox.getX());
    EXPECT_FALSE(game.world.player.hasItem("Gearbox"));
}

TEST(DropTest, ThingsNotCarriedOrNotDroppableAreIgnoredSilently) {
    GameHarness game;
    game.world.player.addItem("Sword");
    EXPECT_EQ("What Would you like to drop?\n", command(game, "drop sword"));
    EXPECT_EQ("What Would you like to drop?\nWhich Key?\n", command(game, "drop key tower"));
    EXPECT_TRUE(game.world.player.hasItem("Sword"));
}

TEST(EatTest, BerriesHealThreeAndGrowBack) {
    GameHarness game;
    game.world.player.takeDamage(5);
    game.world.player.addItem("Berries");
    game.world.berry.removeFromMap();
    EXPECT_EQ("What Would you like to eat?\n", command(game, "eat berries"));
    EXPECT_EQ(8, game.world.player.getHP());
    EXPECT_EQ(4, game.world.berry.getX());
    EXPECT_EQ(-2, game.world.berry.getY());
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", command(game, "nom food"));
}

TEST(EatTest, TheRefusals) {
    GameHarness game;
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", command(game, "eat potion"));
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", command(game, "eat red"));
    EXPECT_EQ("What Would you like to eat?\nyou don't have any...\n", command(game, "eat light"));
    game.world.player.addItem("Light");
    EXPECT_EQ(
        "What Would you like to eat?\nYou cannot consume the light. Make your belly glow in "
        "other ways.\n",
        command(game, "eat light"));
    EXPECT_TRUE(game.world.player.hasItem("Light"));
    EXPECT_EQ("What Would you like to eat?\nAuto-cannibalism is not the answer\n",
              command(game, "eat self"));
    EXPECT_EQ("What Would you like to eat?\nI don't think you should do that...\n",
              command(game, "eat sword"));
    EXPECT_EQ("What Would you like to eat?\nI don't think you should do that...\n",
              command(game, "eat gearbox"));
}

TEST(EatTest, ThePotionHealsFullyWhenCarried) {
    GameHarness game;
    game.world.player.takeDamage(9);
    game.world.player.addItem("Red Potion");
    command(game, "eat potion");
    EXPECT_EQ(10, game.world.player.getHP());
    EXPECT_EQ(OFF_MAP, game.world.redPotion.getX());
}
