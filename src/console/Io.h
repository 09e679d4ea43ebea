#pragma once

#include <iosfwd>
#include <string_view>

class Console;

// Everything the game reads, writes and asks of the terminal passes through here.
struct Io {
    std::istream& in;
    std::ostream& out;
    Console& console;
};

// Writes one line of the game's text. Lines are not flushed one by one: the output is
// flushed whenever the game is about to wait for the player (see Input.h), which is the
// only moment the player can tell the difference.
void printLine(std::ostream& out, std::string_view text);
