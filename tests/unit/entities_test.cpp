#include <gtest/gtest.h>

#include <sstream>

#include "entities/Centipede.h"
#include "entities/Goblin.h"
#include "entities/Golem.h"
#include "entities/Item.h"
#include "entities/OffMap.h"
#include "entities/Player.h"
#include "entities/Tree.h"
#include "entities/Vines.h"
#include "entities/Zombie.h"

TEST(ItemTest, RemovingKeepsYAndZ) {
    Item key(3, 5, 0, 0, false, "Tower Key");
    key.removeFromMap();
    EXPECT_EQ(OFF_MAP, key.getX());
    EXPECT_EQ(5, key.getY());
    EXPECT_EQ(0, key.getZ());
}

TEST(ItemTest, PlacingCopiesAllThreeCoordinates) {
    Item gearbox(0, 0, 0, 0, true, "Gearbox");
    Golem golem(2, 7, -2, 20, 3, "Clockwork Golem", true);
    gearbox.placeAtEnemy(golem);
    EXPECT_EQ(-2, gearbox.getZ());

    Player player(-4, 7, 1, 10, 10);
    gearbox.placeAtPlayer(player);
    EXPECT_EQ(-4, gearbox.getX());
    EXPECT_EQ(7, gearbox.getY());
    EXPECT_EQ(1, gearbox.getZ());

    gearbox.removeFromMap();
    gearbox.placeAtBerryBushes();
    EXPECT_EQ(4, gearbox.getX());
    EXPECT_EQ(-2, gearbox.getY());
    EXPECT_EQ(0, gearbox.getZ());
}

TEST(EnemyTest, CheckDeathAtOneDoesNothing) {
    Centipede centipede(0, 2, 0, 1, 1, "centipede", false);
    std::ostringstream out;
    EXPECT_FALSE(centipede.checkDeath(nullptr, out));
    EXPECT_EQ("", out.str());
    EXPECT_EQ(0, centipede.getX());
}

TEST(EnemyTest, CheckDeathAtZeroSaysSoAndLeavesTheMap) {
    Centipede centipede(0, 2, 0, 3, 1, "centipede", false);
    centipede.takeDamage(3);
    std::ostringstream out;
    EXPECT_TRUE(centipede.checkDeath(nullptr, out));
    EXPECT_EQ("The centipede was slain \n \n", out.str());
    EXPECT_EQ(OFF_MAP, centipede.getX());
    EXPECT_EQ(2, centipede.getY());
    EXPECT_EQ(0, centipede.getHP());
    EXPECT_TRUE(centipede.isDead());
}

TEST(EnemyTest, CollapsingMonsterDropsItsItemOnItsOwnSquareAndLevel) {
    Golem golem(2, 7, -2, 20, 3, "Clockwork Golem", true);
    Item gearbox(0, 0, 0, 0, true, "Gearbox");
    golem.takeDamage(25);
    std::ostringstream out;
    EXPECT_TRUE(golem.checkDeath(&gearbox, out));
    EXPECT_EQ("The Clockwork Golem collapsed \n \nA Gearbox tumbles to the ground \n \n",
              out.str());
    EXPECT_EQ(2, gearbox.getX());
    EXPECT_EQ(7, gearbox.getY());
    EXPECT_EQ(-2, gearbox.getZ());
}

TEST(EnemyTest, StrikesBackAcrossLevelsEvenWithNoPower) {
    Tree tree(2, 0, 0, 6, 0, "Dead Tree", true);
    Player player(2, 0, -1, 10, 10);
    std::ostringstream out;
    tree.strikeBack(player, out);
    EXPECT_EQ("The Enemy strikes back!!\nYou take 0 damage\n", out.str());
    EXPECT_EQ(10, player.getHP());
}

TEST(EnemyTest, DoesNotStrikeBackFromAnotherSquare) {
    Centipede centipede(0, 2, 0, 3, 1, "centipede", false);
    Player player(0, 1, 0, 10, 10);
    std::ostringstream out;
    centipede.strikeBack(player, out);
    EXPECT_EQ("", out.str());
}

TEST(GoblinTest, SparesTheFirstTurnThenAttacksAndForgetsWhenAlone) {
    Goblin goblin(0, 4, 0, 0, 6, 4, "Goblin", false);
    Player player(4, 0, 0, 10, 10);
    std::ostringstream out;

    goblin.attack(player, out);
    EXPECT_EQ("", out.str());
    EXPECT_EQ(10, player.getHP());

    goblin.attack(player, out);
    EXPECT_EQ("The Goblin Attacks!!\n", out.str());
    EXPECT_EQ(6, player.getHP());

    Player elsewhere(0, 0, 0, 10, 10);
    goblin.attack(elsewhere, out);
    EXPECT_EQ(0, goblin.getAlert());
}

TEST(VinesTest, RegrowOnlyFromExactlyOne) {
    Vines vines(1, 4, 0, 2, 0, "vines", true);
    std::ostringstream out;
    vines.regrow(out);
    EXPECT_EQ(2, vines.getHP());

    vines.takeDamage(1);
    vines.regrow(out);
    EXPECT_EQ("The vines quickly regrow\n", out.str());
    EXPECT_EQ(2, vines.getHP());

    vines.takeDamage(2);
    vines.regrow(out);
    EXPECT_EQ(0, vines.getHP());
}

namespace {
std::time_t gNow = 0;
std::time_t settableClock() {
    return gNow;
}
}  // namespace

TEST(ZombieTest, ScatteredWithinOneSecondTheyShareASquareOnTheSurface) {
    for (gNow = 0; gNow < 200; ++gNow) {
        Zombie first(99, 99, 99, 3, 7, "Void Zombie", false);
        Zombie second(99, 99, 99, 3, 7, "Void Zombie", false);
        first.scatter(settableClock);
        second.scatter(settableClock);
        EXPECT_EQ(first.getX(), second.getX());
        EXPECT_EQ(first.getY(), second.getY());
        EXPECT_EQ(0, first.getZ());
        EXPECT_GE(first.getX(), -5);
        EXPECT_LE(first.getX(), 4);
        EXPECT_GE(first.getY(), -6);
        EXPECT_LE(first.getY(), 7);
    }
}
