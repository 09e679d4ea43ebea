#include "console/Input.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <vector>

#include "app/Program.h"
#include "console/SessionEnd.h"
#include "support/FailingStreams.h"
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

namespace {

// What formatted extraction of ints makes of `text`, choice after choice, in the same
// loop as the menus: a failure discards the rest of its line; the end of input ends.
std::vector<std::optional<int>> choicesByExtraction(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::optional<int>> choices;
    for (;;) {
        int choice = 0;
        if (in >> choice) {
            choices.emplace_back(choice);
            continue;
        }
        if (in.eof()) {
            return choices;
        }
        in.clear();
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        choices.emplace_back(std::nullopt);
    }
}

std::vector<std::optional<int>> choicesRead(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    RecordingConsole console;
    Io io{in, out, console};
    std::vector<std::optional<int>> choices;
    try {
        for (;;) {
            choices.push_back(readMenuChoice(io));
        }
    } catch (const SessionEnd&) {
        return choices;
    }
}

}  // namespace

// The menus read numbers themselves, so that no digit run is held whole; they must read
// them exactly as the C++ library would.
TEST(InputTest, MenuChoicesAreReadAsFormattedExtractionReadsThem) {
    const std::string zeros(100, '0');
    for (const std::string& text : std::vector<std::string>{
             "+5 -0 007\n", "2147483647 2147483648 3\n1", "-2147483648 -2147483649\n2",
             "+\n- 5\n+-3\n1.5\n0x1\n", "-", "99999999999", "4 x", zeros + "12\n" + zeros,
             zeros + "2147483648 9\n5", "\t\v\f\r 3", "  12 1x\n-4 abc 2\n7"}) {
        EXPECT_EQ(choicesByExtraction(text), choicesRead(text)) << "input: " << text;
    }
}

namespace {

// The first two words of `text`, read from input that comes in pieces of `pieceSize`.
using TwoWords = std::pair<std::string, std::string>;

TwoWords firstTwoWords(std::string text, std::size_t pieceSize) {
    FailingInput input(std::move(text), 100, pieceSize);
    std::istream in(&input);
    std::ostringstream out;
    RecordingConsole console;
    Io io{in, out, console};
    TwoWords words;
    readWord(io, words.first);
    readWord(io, words.second);
    return words;
}

}  // namespace

TEST(InputTest, AByteOrderMarkIsSkippedAtTheVeryStartOnlyAndOnlyWhole) {
    for (const std::size_t pieceSize : {1U, 2U, 64U}) {
        EXPECT_EQ(TwoWords("n", "\xEF\xBB\xBFn"),
                  firstTwoWords("\xEF\xBB\xBFn \xEF\xBB\xBFn", pieceSize))
            << "pieces of " << pieceSize;
        EXPECT_EQ(TwoWords("\xEF\xBBn", "n"), firstTwoWords("\xEF\xBBn n", pieceSize))
            << "pieces of " << pieceSize;
    }
}

namespace {

struct Ended {
    int status;
    std::string printed;
    std::string errors;
    std::string consoleLog;
};

Ended playUntilFailure(std::streambuf& input, std::streambuf* output = nullptr) {
    std::istream in(&input);
    std::ostringstream printed;
    std::ostream out(output != nullptr ? output : printed.rdbuf());
    std::ostringstream errors;
    RecordingConsole console;
    const int status = runProgram(in, out, errors, console, fixedClock);
    return {status, printed.str(), errors.str(), console.log};
}

}  // namespace

TEST(SessionEndTest, AReadErrorEndsWithStatusOneAndOneLineAtAMenuOrAQuestion) {
    // What is typed before reading fails, and the last thing printed.
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"2 1 1 0", "Debug Mode OFF\n"}, {"0 q y", "Would you like to quit?\n"}};
    for (const auto& [typed, lastPrinted] : cases) {
        FailingInput input(std::string(typed), 4);
        const Ended ended = playUntilFailure(input);
        EXPECT_EQ(1, ended.status);
        EXPECT_EQ("vellumfall: cannot read input: Input/output error\n", ended.errors);
        // The terminal is put back before the line is written, and no end-of-input line end.
        EXPECT_TRUE(ended.consoleLog.ends_with("[restore]"));
        EXPECT_TRUE(ended.printed.ends_with(lastPrinted)) << typed;
    }
}

TEST(SessionEndTest, AWriteErrorStopsTheGameBeforeItReadsAgain) {
    std::istringstream input("0 n n n n n n n n n n n n n n n n n n n n n n");
    // The title menu alone is more than the output takes.
    FailingOutput output(100);
    const Ended ended = playUntilFailure(*input.rdbuf(), &output);
    EXPECT_EQ(1, ended.status);
    EXPECT_EQ("vellumfall: cannot write output: No space left on device\n", ended.errors);
    EXPECT_EQ(100U, output.written().size());
    EXPECT_EQ(0, input.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
    // What failed is not handed on again at the next flush.
    EXPECT_EQ(0, output.pubsync());
}

TEST(SessionEndTest, OutputLongerThanTheBufferArrivesWholeAndInOrder) {
    FailingOutput output(1'000'000);
    std::ostream out(&output);
    std::string text;
    for (int line = 0; text.size() < 50'000; ++line) {
        text += std::to_string(line) + '\n';
    }
    out << text;
    out.flush();
    EXPECT_EQ(text, output.written());
}

TEST(SessionEndTest, EndOfInputIsStillStatusZeroWithNothingOnStandardError) {
    FailingInput input("0 n", 1000);
    const Ended ended = playUntilFailure(input);
    EXPECT_EQ(0, ended.status);
    EXPECT_EQ("", ended.errors);
    EXPECT_TRUE(ended.printed.ends_with(">>\n"));
}
