#include "console/TerminalConsole.h"

#include <ostream>
#include <string>

#include "console/Terminal.h"
#include "console/TerminalSequences.h"

TerminalConsole::TerminalConsole(std::ostream& shown, Terminal& effects,
                                 const TerminalPolicy& allowed)
    : out(shown), terminal(effects), policy(allowed) {}

// Not flushed: the session has flushed what it wrote, and the stream may outlive what it
// writes through (the word wrap of a session that is over), or be what failed.
TerminalConsole::~TerminalConsole() {
    terminal.giveBack();
}

void TerminalConsole::useGameColours() {
    if (!policy.colours) {
        return;
    }
    // Behind everything the game has printed so far.
    out.flush();
    terminal.setColours();
}

void TerminalConsole::clearScreen() {
    if (policy.escapes) {
        terminal.clearScreen();
    }
}

void TerminalConsole::waitForKey() {
    // A dumb terminal can still wait for a key: that takes no escape sequence.
    if (!policy.keyWait) {
        return;
    }
    out << kPressAnyKey;
    out.flush();
    terminal.readKey([this] {
        out << '\r' << kPressAnyKey;
        out.flush();
    });
    out << '\n';
}

void TerminalConsole::restoreTerminal() {
    terminal.giveBack();
}

void TerminalConsole::sayOnInterrupt(std::string_view line) {
    // A signal comes while the player reads a prompt or a key wait, in the middle of a line.
    terminal.sayOnInterrupt(line.empty() ? std::string() : '\n' + std::string(line));
}

void TerminalConsole::showPosition(int level, int x, int y, PositionChange change) {
    if (!terminal.showsPositions()) {
        return;
    }
    // The text that led here comes first, as with every other effect.
    out.flush();
    terminal.showPosition(level, x, y, change);
}
