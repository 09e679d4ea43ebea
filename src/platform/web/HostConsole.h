#pragma once

#include <iosfwd>

#include "console/Console.h"

// What the host says about where the game is played. The page is a terminal in every
// respect; Node answers from its standard streams and the environment, as the POSIX
// front end does.
struct HostTerminal {
    bool inputIsTerminal = false;
    bool outputIsTerminal = false;
    // Clearing and colours: not on a dumb terminal.
    bool escapes = false;
    // Colours: not with NO_COLOR set.
    bool colours = false;
};

// The console of the web build: the effects go to the host (web/page.js turns them into
// the page's, the Node launcher into escape sequences). Where the host is no terminal it
// does nothing, so piped output is exactly the game's text.
class HostConsole final : public Console {
public:
    // `out` must be the stream the host shows, so that effects and text keep their order.
    HostConsole(std::ostream& out, const HostTerminal& terminal);

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;
    void restoreTerminal() override;
    // Only to a host that shows positions, so that the others see no call at all.
    void showPosition(int level, int x, int y, PositionChange change) override;

private:
    std::ostream& out;
    HostTerminal terminal;
    bool coloured = false;
    bool hostShowsPositions;
};
