#include <gtest/gtest.h>

#include <limits>

#include "console/SessionEnd.h"
#include "support/GameHarness.h"

TEST(CommandTest, MovesObeyTheFlagsAndPrintNothing) {
    GameHarness game;
    EXPECT_EQ("", game.command("n"));
    EXPECT_EQ(-1, game.world.player.getY());
    // In front of the locked house: north is shut.
    EXPECT_EQ("You can't go that way\n", game.command("north"));
    EXPECT_EQ(-1, game.world.player.getY());
}

TEST(CommandTest, AStepOutOfTheRangeOfACoordinateIsRefused) {
    GameHarness game;
    constexpr int kLast = std::numeric_limits<int>::max();
    constexpr int kFirst = std::numeric_limits<int>::min();
    game.world.canGoSouth = game.world.canGoNorth = true;
    game.world.player = Player{0, kLast, 1, 10, 10};
    game.type("s");
    game.world.processCommand();
    EXPECT_EQ(">>You can't go that way\n", game.takeOutput());
    EXPECT_EQ(kLast, game.world.player.getY());
    game.world.player = Player{0, kFirst, 1, 10, 10};
    game.type("n");
    game.world.processCommand();
    EXPECT_EQ(">>You can't go that way\n", game.takeOutput());
    EXPECT_EQ(kFirst, game.world.player.getY());
}

TEST(CommandTest, EveryDirectionWordMoves) {
    GameHarness game;
    game.world.canGoUp = true;
    const std::pair<std::string_view, std::array<int, 3>> moves[] = {
        {"s", {0, 1, 0}},     {"north", {0, 0, 0}}, {"e", {1, 0, 0}},    {"west", {0, 0, 0}},
        {"south", {0, 1, 0}}, {"n", {0, 0, 0}},     {"east", {1, 0, 0}}, {"w", {0, 0, 0}}};
    for (const auto& [word, position] : moves) {
        game.type(word);
        game.playTurn();
        const Player& player = game.world.player;
        EXPECT_EQ(position, (std::array<int, 3>{player.getX(), player.getY(), player.getZ()}))
            << word;
    }
}

TEST(CommandTest, UpAndDownFollowTheirFlags) {
    GameHarness game;
    game.placePlayer(0, 2, 0);
    game.type("u d d");
    game.playTurn();
    EXPECT_EQ(-1, game.world.player.getZ());
    game.playTurn();
    EXPECT_EQ(0, game.world.player.getZ());
    EXPECT_NE(std::string::npos, game.playTurn().find("You can't go that way"));
}

TEST(CommandTest, DIsAlwaysDownNeverDrop) {
    GameHarness game;
    EXPECT_EQ("You can't go that way\n", game.command("d"));
}

TEST(CommandTest, CapitalsAndPrefixesAreNotCommands) {
    for (const std::string_view word :
         {"N", "North", "LOOK", "Quit", "no", "northwest", "ta", "zorblekunda", "xyzzy!"}) {
        GameHarness game;
        EXPECT_EQ("What?\n", game.command(word)) << word;
        EXPECT_EQ(0, game.world.player.getY());
    }
}

TEST(CommandTest, HelpAndTheHiddenWords) {
    GameHarness game;
    EXPECT_EQ("nswe, agd, h, lower case\n", game.command("h"));
    EXPECT_EQ("nswe, agd, h, lower case\n", game.command("help"));
    EXPECT_EQ("A voice in the distance shouts 'Fool'\n", game.command("xyzzy"));
    EXPECT_EQ("A voice in the distance shouts 'Fool'\n", game.command("plugh"));
    EXPECT_EQ(
        "THE GREAT WIZARD HAS BEEN SUMMONED...\nJUST GOOGLE IT!\nTHE GREAT WIZARD "
        "DISAPPEARED\n",
        game.command("ozwib"));
    EXPECT_EQ("", game.command("ZORBLEKUNDA"));
    EXPECT_EQ(99, game.world.sword.getPower());
}

TEST(CommandTest, LookAndClearOnlyClearTheScreen) {
    GameHarness game;
    for (const std::string_view word : {"l", "look", "c", "clear"}) {
        EXPECT_EQ("", game.command(word));
    }
    EXPECT_EQ(4, game.console.screenClears);
}

TEST(CommandTest, InventoryShowsTheScoreOnlyOnceTheMeteorHasFallen) {
    GameHarness game;
    EXPECT_EQ("\nYou have 10 HP left\n", game.command("i"));
    game.world.meteorFallen = true;
    game.world.score = 3;
    EXPECT_EQ("\nYou have 10 HP left\n3\n", game.command("inventory"));
    EXPECT_EQ("\nYou have 10 HP left\n3\n", game.command("items"));
}

TEST(CommandTest, QuitAskedAndRefusedGoesOn) {
    GameHarness game;
    EXPECT_EQ("Would you like to quit?\n", game.command("q n"));
    // The "n" was the answer, not a move.
    EXPECT_EQ(0, game.world.player.getY());
}

TEST(CommandTest, QuitConfirmedClearsAndEndsTheSession) {
    for (const std::string_view words : {"q y", "quit yes", "q yes", "quit y"}) {
        GameHarness game;
        game.type(words);
        try {
            game.playTurn();
            ADD_FAILURE() << words << " did not end the session";
        } catch (const SessionEnd& end) {
            EXPECT_EQ(SessionEnd::Reason::PlayerQuit, end.reason);
        }
        EXPECT_EQ(1, game.console.screenClears);
    }
}

TEST(CommandTest, EndOfInputAtTheQuitQuestionEndsTheSession) {
    GameHarness game;
    game.type("q");
    EXPECT_THROW(game.playTurn(), SessionEnd);
}

TEST(CommandTest, SeveralWordsOnOneLineAnswerOneReadEach) {
    GameHarness game;
    game.type("go north");
    EXPECT_NE(std::string::npos, game.playTurn().find(">>What?\n"));
    game.playTurn();
    EXPECT_EQ(-1, game.world.player.getY());
}
