#pragma once

#include <iosfwd>
#include <string_view>

#include "console/Console.h"
#include "console/TerminalPolicy.h"

class Terminal;

// The game's console on a terminal, the same on every front end: it asks the terminal for
// the effects its policy allows, and for nothing else, so that piped output is exactly the
// game's text. Whatever it changed on the terminal is given back when the session is over
// and when it is destroyed.
class TerminalConsole final : public Console {
public:
    // `shown` must be the stream shown on the terminal, so that effects and text keep their
    // order.
    TerminalConsole(std::ostream& shown, Terminal& effects, const TerminalPolicy& allowed);
    ~TerminalConsole() override;

    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;
    void restoreTerminal() override;
    void sayOnInterrupt(std::string_view line) override;
    void showPosition(int level, int x, int y, PositionChange change) override;

private:
    std::ostream& out;
    Terminal& terminal;
    TerminalPolicy policy;
};
