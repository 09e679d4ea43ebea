#include "console/Input.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/SessionEnd.h"
#include "support/GameHarness.h"

TEST(InputTest, WordsAreSplitOnEveryKindOfBlank) {
    GameHarness game;
    game.type(" \t take\r\nsword\v\fnow");
    std::string word;
    for (const std::string_view expected : {"take", "sword", "now"}) {
        readWord(game.io, word);
        EXPECT_EQ(expected, word);
    }
    EXPECT_THROW(readWord(game.io, word), SessionEnd);
}

TEST(InputTest, AVeryLongWordIsCutAndMatchesNothing) {
    GameHarness game;
    game.type(std::string(1'000'000, 'n') + " n");
    std::string word;
    readWord(game.io, word);
    EXPECT_EQ(kMaxWordLength, word.size());
    readWord(game.io, word);
    EXPECT_EQ("n", word);
}

TEST(InputTest, NulBytesArePartOfAWord) {
    GameHarness game;
    game.type(std::string("n\0rth", 5));
    std::string word;
    readWord(game.io, word);
    EXPECT_EQ(std::string("n\0rth", 5), word);
}

TEST(InputTest, EndOfInputIsTheEndOfTheSession) {
    GameHarness game;
    std::string word;
    try {
        readWord(game.io, word);
        FAIL();
    } catch (const SessionEnd& end) {
        EXPECT_EQ(SessionEnd::Reason::EndOfInput, end.reason);
    }
}

TEST(InputTest, MenuChoicesUseFormattedExtraction) {
    GameHarness game;
    game.type("  12 1x\n-4 abc 2\n7");
    EXPECT_EQ(12, readMenuChoice(game.io));
    EXPECT_EQ(1, readMenuChoice(game.io));
    // "x" fails and takes the rest of its line with it.
    EXPECT_EQ(std::nullopt, readMenuChoice(game.io));
    EXPECT_EQ(-4, readMenuChoice(game.io));
    EXPECT_EQ(std::nullopt, readMenuChoice(game.io));
    EXPECT_EQ(7, readMenuChoice(game.io));
    EXPECT_THROW(readMenuChoice(game.io), SessionEnd);
}
