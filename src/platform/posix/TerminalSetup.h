#pragma once

// What the terminal around the game allows, decided once at start from the standard
// descriptors and the environment's conventions. Off a terminal nothing is added to the
// game's text.
struct TerminalSetup {
    bool inputIsTerminal = false;
    bool outputIsTerminal = false;
    // Escape sequences of any kind: not with TERM unset or "dumb", where they are noise.
    bool escapes = false;
    // Colour sequences: not with NO_COLOR set to anything but "".
    bool colours = false;
    // Lines read with the line editor: a terminal at both ends that takes escapes.
    bool lineEditing = false;

    static TerminalSetup detect(int inputFd, int outputFd);
};
