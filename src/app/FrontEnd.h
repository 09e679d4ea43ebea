#pragma once

#include <cstddef>
#include <iosfwd>
#include <span>

#include "console/TerminalPolicy.h"
#include "game/Clock.h"

class Console;
class SaveFiles;
class WordWrapper;

// What a game is played with: where its text comes from and goes, and its console, which
// writes its effects into that same output so that effects and text keep their order.
struct GameParts {
    std::istream& in;
    std::ostream& out;
    Console& console;
};

// A front end hosts the game: it brings its streams, its console and its terminal's width,
// and says what its system tells of the terminal. Everything else is runFrontEnd's, the same
// for every front end: the command line, the terminal's policy, the word wrap and the game.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Standard output and standard error as they are, for the command line's answers and
    // for the one line that reports a failure.
    virtual std::streambuf& plainOutput() = 0;
    virtual std::streambuf& errorOutput() = 0;

    virtual TerminalFacts terminalFacts() = 0;
    // The terminal's width in columns, 0 when it has none or does not say. Asked at the
    // start of every line, so a resize counts from the next.
    virtual std::size_t width() = 0;

    // Made once, when there is a game to play: its streams and console on the terminal as
    // `policy` allows. `screen` is the word wrap of the text where the policy wraps it
    // (else null), to be told when the player's Enter starts a line.
    virtual GameParts openGame(const TerminalPolicy& policy, WordWrapper* screen) = 0;

    // Where the zombies' clock comes from.
    virtual Clock clock() { return systemClock; }

    // The files the game is saved in and resumed from.
    virtual SaveFiles& saveFiles() = 0;

protected:
    FrontEnd() = default;
    FrontEnd(const FrontEnd&) = default;
    FrontEnd& operator=(const FrontEnd&) = default;
};

// The whole program on `frontEnd`, with the arguments after the program's name; returns
// the exit status. `takeBackALine`: the saved game goes on without the last line the player
// entered (a page's Undo), which is then left out of its save too.
int runFrontEnd(FrontEnd& frontEnd, std::span<const char* const> arguments,
                bool takeBackALine = false);
