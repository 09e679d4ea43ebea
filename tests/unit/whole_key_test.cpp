#include <gtest/gtest.h>

#include <string>

#include "console/WholeKey.h"

TEST(WholeKeyTest, EscapeSequencesEndAtTheirLastByte) {
    EXPECT_EQ(0U, wholeKeyLength("\x1b"));
    EXPECT_EQ(0U, wholeKeyLength("\x1b["));
    EXPECT_EQ(3U, wholeKeyLength("\x1b[Dn"));
    EXPECT_EQ(6U, wholeKeyLength("\x1b[1;5C"));
    EXPECT_EQ(0U, wholeKeyLength("\x1b[15"));
    EXPECT_EQ(5U, wholeKeyLength("\x1b[15~"));
    EXPECT_EQ(3U, wholeKeyLength("\x1bOP"));
    EXPECT_EQ(4U, wholeKeyLength("\x1b[[A"));
    // Alt held with a key, an arrow among them.
    EXPECT_EQ(2U, wholeKeyLength("\x1bx"));
    EXPECT_EQ(4U, wholeKeyLength("\x1b\x1b[A"));
    // A byte of no sequence ends it and starts the next key.
    EXPECT_EQ(3U, wholeKeyLength("\x1b[1\r"));
    // A stream of parameters is not one key.
    EXPECT_EQ(kLongestKey, wholeKeyLength("\x1b[" + std::string(20, '1')));
}

TEST(WholeKeyTest, ALetterIsAllItsBytesAndABrokenOneLeavesTheNextKey) {
    EXPECT_EQ(1U, wholeKeyLength("sn"));
    EXPECT_EQ(2U, wholeKeyLength("\xc3\xa9"));
    EXPECT_EQ(0U, wholeKeyLength("\xf0\x9f\x98"));
    EXPECT_EQ(4U, wholeKeyLength("\xf0\x9f\x98\x80"));
    EXPECT_EQ(1U, wholeKeyLength("\xc3s"));
    EXPECT_EQ(1U, wholeKeyLength("\xffs"));
}
