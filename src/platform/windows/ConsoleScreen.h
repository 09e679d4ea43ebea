#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "console/WordWrapper.h"

// The game's text on its way to a console window, broken between words at the width of
// the window (see WordWrapper). Nothing tells a console program that its window was
// resized, and every question to the console is a round trip to it, so the width is asked
// once for each piece of text written, which is once a turn: a resize while the player
// types takes effect at the answer.
class ConsoleScreen {
public:
    explicit ConsoleScreen(HANDLE output);

    ConsoleScreen(const ConsoleScreen&) = delete;
    ConsoleScreen& operator=(const ConsoleScreen&) = delete;

    // Appends to `wrapped` the part of `text` that can be placed now.
    void wrap(std::string_view text, std::string& wrapped);
    // Appends what was held back.
    void flush(std::string& wrapped);
    // The player pressed Enter, which took the cursor to the start of a line.
    void startLine() { wrapper.startLine(); }

private:
    std::size_t width();

    HANDLE output;
    std::size_t columns = 0;
    bool known = false;
    WordWrapper wrapper;
};
