#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "console/WordWrapper.h"

namespace {

std::string wrapAt(std::size_t width, std::string_view text) {
    WordWrapper wrapper([width] { return width; });
    std::string wrapped;
    wrapper.wrap(text, wrapped);
    wrapper.flush(wrapped);
    return wrapped;
}

}  // namespace

TEST(WordWrapperTest, TextThatFitsIsUnchangedBlanksAndLineEndsAndAll) {
    const std::string_view text = "Welcome to Vellumfall \n         by Quorrin! \n \n\n>>";
    EXPECT_EQ(text, wrapAt(22, text));
    EXPECT_EQ(text, wrapAt(0, text));
    // A letter beyond ASCII is several bytes and one column.
    EXPECT_EQ("\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9\n",
              wrapAt(7, "\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9\n"));
}

TEST(WordWrapperTest, LongLinesBreakAtBlanksOnly) {
    EXPECT_EQ("You see a\ncrumbling\nwall  to\nthe north.\n",
              wrapAt(10, "You see a crumbling wall  to the north.\n"));
}

TEST(WordWrapperTest, AWordWiderThanTheTerminalStaysWholeAndTheTerminalFoldsIt) {
    // Folded, the long word leaves the cursor at the third column of its last row.
    EXPECT_EQ("a\nxxxxxxxxxxxx b\nc\n", wrapAt(5, "a xxxxxxxxxxxx b c\n"));
}

TEST(WordWrapperTest, BlanksPastTheLastColumnAreDropped) {
    EXPECT_EQ("abcde\nfg\n", wrapAt(5, "abcde   \nfg\n"));
    EXPECT_EQ("abc \n", wrapAt(5, "abc \n"));
    // So is an indent that would push its word past the end: the title at 10 columns.
    EXPECT_EQ("Welcome to\nVellumfall\nby\nQuorrin! \n",
              wrapAt(10, "Welcome to Vellumfall \n         by Quorrin! \n"));
}

TEST(WordWrapperTest, AWordSplitOverPiecesIsHeldUntilItEnds) {
    WordWrapper wrapper([] { return std::size_t{8}; });
    std::string wrapped;
    wrapper.wrap("one cr", wrapped);
    EXPECT_EQ("one", wrapped);
    wrapper.wrap("umbling", wrapped);
    wrapper.flush(wrapped);
    EXPECT_EQ("one\ncrumbling", wrapped);
    // Not a word without end, though: that would be held whole.
    wrapped.clear();
    wrapper.wrap(std::string(10'000, 'x'), wrapped);
    EXPECT_FALSE(wrapped.empty());
}

TEST(WordWrapperTest, EscapeSequencesTakeNoRoomAndCursorHomeAndReturnStartALine) {
    EXPECT_EQ("ab \x1b[92;40mcd\nef", wrapAt(5, "ab \x1b[92;40mcd ef"));
    EXPECT_EQ("abcd\x1b[H\x1b[2Jefgh", wrapAt(5, "abcd\x1b[H\x1b[2Jefgh"));
    EXPECT_EQ("ab cd\rab cd", wrapAt(5, "ab cd\rab cd"));
}

TEST(WordWrapperTest, AResizeTakesEffectAtTheNextLine) {
    std::size_t width = 20;
    WordWrapper wrapper([&width] { return width; });
    std::string wrapped;
    wrapper.wrap("one two three\n", wrapped);
    width = 5;
    wrapper.wrap("one two three\n", wrapped);
    EXPECT_EQ("one two three\none\ntwo\nthree\n", wrapped);
}

TEST(WordWrapperTest, TheEnteredLineStartsANewLineAndThePromptIsKept) {
    WordWrapper wrapper([] { return std::size_t{10}; });
    std::string wrapped;
    wrapper.wrap("abcdefgh\n>>", wrapped);
    wrapper.flush(wrapped);
    EXPECT_EQ(">>", wrapper.currentLine());
    wrapper.startLine();
    wrapper.wrap("abcdefgh\n", wrapped);
    EXPECT_EQ("abcdefgh\n>>abcdefgh\n", wrapped);
}
