#pragma once

#include <functional>

// What a wait shows the player, and how to show it again: a stop (Ctrl-Z) gives the
// terminal to the shell, which writes over it, and the game is continued on a fresh line.
struct Redraw {
    // terminal_state::continues() when the wait was first shown.
    unsigned shownAt;
    std::function<void()> write;

    // Shows the wait again if the game was continued since it was last shown.
    void ifContinued();
};

// Reads one key from a terminal in key mode, all of it: an arrow, a function key, Home or
// End sends an escape sequence of several bytes, and a letter beyond ASCII several bytes
// of UTF-8. Nothing of the key is left for the next read. Returns at the end of input
// too; throws StreamFailure when the terminal cannot be read.
void readOneKey(int fd, Redraw& redraw);
