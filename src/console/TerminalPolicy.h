#pragma once

#include <optional>
#include <string>

// What a front end knows of the terminal around the game, as its system tells it, without
// drawing any conclusion: the conclusions are decideTerminal's, the same for every front end.
struct TerminalFacts {
    bool inputIsTerminal = false;
    bool outputIsTerminal = false;
    // The environment's TERM and NO_COLOR, where they are set (to anything, "" included).
    std::optional<std::string> term;
    std::optional<std::string> noColor;
    // Whether the terminal takes escape sequences, where the system answers that itself (a
    // Windows console, asked to take them; a page that shows the game's effects). Where it
    // does not, TERM decides.
    std::optional<bool> takesEscapes;
};

// What the game may do on its terminal. Off a terminal nothing is added to the game's text,
// so piped output is exactly the game's.
struct TerminalPolicy {
    // Escape sequences of any kind (clearing, colours): not where TERM is unset, empty or
    // "dumb", where they are noise.
    bool escapes = false;
    // Colours: not with NO_COLOR set to anything but "".
    bool colours = false;
    // Lines read with a line editor: a terminal at both ends that takes escapes.
    bool lineEditing = false;
    // "Press any key": a terminal at both ends, where there is a player to press one.
    bool keyWait = false;
    // The text broken between words at the terminal's width: output to a terminal.
    bool wrap = false;
    // The game is saved after every line: a player at both ends, and no script to keep pure.
    bool autosave = false;
    // Each line read was ended with Enter on the terminal the text is wrapped for, which
    // took the cursor to the start of a line.
    bool inputEchoed = false;
};

TerminalPolicy decideTerminal(const TerminalFacts& facts);
