#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>

#include "console/LineEditor.h"

namespace {

// Keys typed in advance on a screen of a given width; what the editor draws is kept.
class ScriptedTerminal final : public EditorTerminal {
public:
    explicit ScriptedTerminal(std::size_t width) : columns(width) {}

    void type(std::initializer_list<std::string> typed) { keys.insert(keys.end(), typed); }

    std::optional<std::string> nextKey(const std::function<void()>& /*showAgain*/) override {
        if (keys.empty()) {
            return std::nullopt;
        }
        std::string key = keys.front();
        keys.pop_front();
        return key;
    }
    void draw(std::string_view bytes) override { screen += bytes; }
    std::size_t width() override { return columns; }

    std::string screen;

private:
    std::size_t columns;
    std::deque<std::string> keys;
};

}  // namespace

TEST(LineEditorTest, ALineOverSeveralRowsIsDrawnAndMendedRowByRow) {
    ScriptedTerminal terminal(5);
    LineEditor editor(terminal);
    // ">>abc" fills the first row: the cursor is taken to the next. Home goes up to it, and a
    // letter taken off there draws the line again and clears the row left over.
    terminal.type({"a", "b", "c", "d", "e", "f", "g", "h", "\x01", "\x1b[3~", "\r"});
    EXPECT_EQ("bcdefgh\n", editor.readLine(">>"));
    EXPECT_EQ(
        "\r>>abc \rdefgh \r\x1b[2A\r\x1b[2C"
        "\r>>bcdefgh\x1b[J\x1b[1A\r\x1b[2C\x1b[1B\n",
        terminal.screen);
}

TEST(LineEditorTest, UpAndDownGoThroughTheLinesEnteredEachOnce) {
    ScriptedTerminal terminal(80);
    LineEditor editor(terminal);
    terminal.type({"n", "\r", "n", "\r", "s", "\r", "x", "\x1b[A", "\x1b[A", "\x1b[A", "\x1b[B",
                   "\x1b[B", "\r"});
    for (const char* line : {"n\n", "n\n", "s\n"}) {
        EXPECT_EQ(line, editor.readLine(""));
    }
    // Up twice reaches "n", the oldest; Down twice comes back to the line being typed.
    EXPECT_EQ("x\n", editor.readLine(""));
}

TEST(LineEditorTest, LettersAreWholeOtherKeysDoNothingAndTheEndOfInputKeepsTheLine) {
    ScriptedTerminal terminal(80);
    LineEditor editor(terminal);
    // An accented letter goes with one Backspace; F1 and a byte of no letter are dropped;
    // Ctrl-D under a letter takes it.
    terminal.type({"\xc3\xa9", "\x7f", "\x1bOP", "\xff", "t", "a", "x", "\x02", "\x04", "b"});
    EXPECT_EQ("tab", editor.readLine(">>"));
    EXPECT_EQ(std::nullopt, editor.readLine(">>"));
    terminal.type({"\x04"});
    EXPECT_EQ(std::nullopt, editor.readLine(">>"));
    EXPECT_TRUE(terminal.screen.ends_with("\r>>^D"));
}

TEST(LineEditorTest, TheKillKeysAndALetterTypedInTheMiddleMendTheLineWhereTheCursorIs) {
    ScriptedTerminal terminal(80);
    LineEditor editor(terminal);
    const auto typeLetters = [&terminal](std::string_view letters) {
        for (const char letter : letters) {
            terminal.type({std::string(1, letter)});
        }
    };
    // Ctrl-W takes the word before the cursor, Ctrl-K what follows it, Ctrl-U what precedes
    // it; letters of three and four bytes are one letter each for the cursor.
    typeLetters("take bow\x17sword\x01\x06\x0b\x05");
    terminal.type({"\xe2\x82\xac", "\xf0\x9f\x98\x80", "\x02", "\x02", "x", "\x15", "\x05", "\r"});
    EXPECT_EQ("\xe2\x82\xac\xf0\x9f\x98\x80\n", editor.readLine(">>"));
}
