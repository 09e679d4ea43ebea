#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Breaks the game's text at blanks so that no line is wider than the terminal, instead of
// letting the terminal cut words at its last column. A line that fits is left exactly as
// it is, blanks and all; the game's own line ends stay; a word wider than the terminal is
// left whole for the terminal to fold. Escape sequences pass through and take no room; a
// carriage return starts the line again.
//
// The text comes in pieces, so the last word of a piece is held back until it is known
// to end; flush() hands it on when the player is about to read.
class WordWrapper {
public:
    // `width` gives the terminal's width in columns, 0 when it is not known (no wrapping).
    // It is asked again at the start of every line, so a resize takes effect at the next.
    explicit WordWrapper(std::function<std::size_t()> terminalWidth);

    // Appends to `wrapped` the part of `text` that can be placed now.
    void wrap(std::string_view text, std::string& wrapped);
    // Appends what was held back.
    void flush(std::string& wrapped);
    // The cursor is back at the start of a line by other means: the player pressed Enter.
    void startLine();
    // What has been written since the last line end: the prompt, when the game is reading.
    const std::string& currentLine() const { return line; }

private:
    void take(char byte, std::string& wrapped);
    void placeWord(std::string& wrapped);
    void placeBlanks(std::string& wrapped);
    void endLine(std::string& wrapped);
    void emit(std::string_view text, std::size_t columns, std::string& wrapped);

    std::function<std::size_t()> width;
    std::size_t lineWidth = 0;
    bool lineStarted = false;
    std::size_t column = 0;
    std::size_t blanks = 0;
    std::string word;
    std::size_t wordColumns = 0;
    std::string line;
    enum class Escape { None, Started, ControlSequence } escape = Escape::None;
};
