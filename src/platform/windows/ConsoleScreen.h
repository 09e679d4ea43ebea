#pragma once

#include <windows.h>

#include <cstddef>

class WordWrapper;

// The console window the game's text is wrapped for (see WordWrapper), at the width of
// the window. Nothing tells a console program that its window was resized, and every
// question to the console is a round trip to it, so the width is asked again only after
// the player has entered a line, which is once a turn: a resize while the player types
// takes effect at the answer.
class ConsoleScreen {
public:
    explicit ConsoleScreen(HANDLE window) : output(window) {}

    ConsoleScreen(const ConsoleScreen&) = delete;
    ConsoleScreen& operator=(const ConsoleScreen&) = delete;

    std::size_t width();
    // The word wrap of the text on this window, to be told of each line entered.
    void wrapWith(WordWrapper* wrapper) { words = wrapper; }
    // The player pressed Enter, which took the cursor to the start of a line.
    void startLine();

private:
    HANDLE output;
    std::size_t columns = 0;
    bool known = false;
    WordWrapper* words = nullptr;
};
