#include <gtest/gtest.h>

#include "entities/OffMap.h"
#include "support/GameHarness.h"

namespace {

void giveSword(World& world) {
    world.sword.removeFromMap();
    world.player.addItem("Sword");
}

}  // namespace

TEST(AttackTest, NothingHereSwingsOrShouts) {
    GameHarness game;
    EXPECT_EQ("HYAAH\n", game.command("a"));
    giveSword(game.world);
    EXPECT_EQ("You Swing your Sword! Woosh~\n", game.command("attack"));
}

TEST(AttackTest, BareHandsDealOneAndNeverKill) {
    GameHarness game;
    game.placePlayer(0, 2, 0);
    Centipede& centipede = game.world.centipede1;
    for (int blow = 0; blow < 4; ++blow) {
        EXPECT_EQ("You attack the Enemy!\nThe Enemy strikes back!!\nYou take 1 damage\n",
                  game.command("kill"));
    }
    EXPECT_EQ(-1, centipede.getHP());
    EXPECT_EQ(0, centipede.getX());
    EXPECT_EQ(0, game.world.score);
}

TEST(AttackTest, SwordBlowKillsAWornMonsterWhichThenStrikesNoMore) {
    GameHarness game;
    game.placePlayer(0, 2, 0);
    game.world.centipede1.takeDamage(3);
    giveSword(game.world);
    EXPECT_EQ("You attack the Enemy!\nThe centipede was slain \n \n", game.command("murder"));
    EXPECT_EQ(OFF_MAP, game.world.centipede1.getX());
    EXPECT_EQ(1, game.world.score);
}

TEST(AttackTest, DireCentipedeAndGolemAreStruckTogetherInListOrder) {
    GameHarness game;
    game.placePlayer(2, 7, -2);
    giveSword(game.world);
    EXPECT_EQ(
        "You attack the Enemy!\nThe Enemy strikes back!!\nYou take 2 damage\n"
        "You attack the Enemy!\nThe Enemy strikes back!!\nYou take 3 damage\n",
        game.command("a"));
    EXPECT_EQ(5, game.world.direCentipede.getHP());
    EXPECT_EQ(17, game.world.golem.getHP());
}

TEST(AttackTest, SlainMonstersDropTheirItems) {
    GameHarness game;
    giveSword(game.world);
    game.world.sword.setPower(99);

    game.placePlayer(4, 0, 0);
    game.command("a");
    EXPECT_EQ(4, game.world.statue.getX());

    game.placePlayer(2, 0, 0);
    EXPECT_EQ(
        "You attack the Enemy!\nThe Dead Tree collapsed \n \n"
        "A Heart Piece tumbles to the ground \n \n",
        game.command("a"));
    EXPECT_EQ(2, game.world.heartPiece1.getX());
    EXPECT_EQ(0, game.world.heartPiece1.getY());

    game.placePlayer(2, 7, -2);
    game.command("a");
    EXPECT_EQ(-2, game.world.gearbox.getZ());
    EXPECT_EQ(7, game.world.gearbox.getY());
    EXPECT_EQ(4, game.world.score);
}

TEST(AttackTest, TheDeadTreeAndZombiesNeedTheSword) {
    GameHarness game;
    game.placePlayer(2, 0, 0);
    EXPECT_EQ("HYAAH\n", game.command("a"));
    EXPECT_EQ(6, game.world.deadTree.getHP());

    for (Zombie* zombie : game.world.zombies) {
        zombie->scatter(fixedClock);
    }
    const Zombie& zombie = game.world.voidZombie1;
    game.placePlayer(zombie.getX(), zombie.getY(), 0);
    EXPECT_EQ(3, game.world.voidZombie1.getHP());
    giveSword(game.world);
    const std::string printed = game.command("a");
    EXPECT_NE(std::string::npos,
              printed.find("You attack the Void Zombie!\nThe Void Zombie was slain"));
    EXPECT_EQ(OFF_MAP, game.world.voidZombie10.getX());
    EXPECT_GE(game.world.score, 10);
}

TEST(AttackTest, VinesRegrowFromBareHandsButFallToTheSword) {
    GameHarness game;
    game.placePlayer(1, 4, 0);
    EXPECT_EQ(
        "You attack the Enemy!\nThe Enemy strikes back!!\nYou take 0 damage\n"
        "The vines quickly regrow\n",
        game.command("a"));
    EXPECT_EQ(2, game.world.vines.getHP());
    giveSword(game.world);
    EXPECT_EQ("You attack the Enemy!\nThe vines collapsed \n \n", game.command("a"));
}

TEST(AttackTest, VinesRegrowWhereverThePlayerAttacks) {
    GameHarness game;
    game.world.vines.takeDamage(1);
    EXPECT_EQ("HYAAH\nThe vines quickly regrow\n", game.command("a"));
}

TEST(AttackTest, HiddenWordMakesOneBlowEnough) {
    GameHarness game;
    giveSword(game.world);
    game.placePlayer(2, 7, 0);
    game.command("ZORBLEKUNDA");
    const std::string printed = game.command("a");
    EXPECT_EQ(
        "You attack the Enemy!\nThe Dire Centipede was slain \n \n"
        "You attack the Enemy!\nThe Clockwork Golem collapsed \n \n"
        "A Gearbox tumbles to the ground \n \n",
        printed);
    EXPECT_EQ(2, game.world.score);
}
