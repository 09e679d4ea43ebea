#pragma once

#include <iosfwd>
#include <string_view>

#include "console/Console.h"
#include "console/TerminalPolicy.h"

// The console of the web build: the effects go to the host (web/page.js turns them into
// the page's, the Node launcher into escape sequences), as far as the terminal's policy
// allows. Where the host is no terminal it does nothing, so piped output is exactly the game's
// text.
class HostConsole final : public Console {
public:
    // `out` must be the stream the host shows, so that effects and text keep their order.
    HostConsole(std::ostream& out, const TerminalPolicy& policy);

    void useGameColours() override;
    void clearScreen() override;
    void waitForKey() override;
    void restoreTerminal() override;
    void sayOnInterrupt(std::string_view line) override;
    // Only to a host that shows positions, so that the others see no call at all.
    void showPosition(int level, int x, int y, PositionChange change) override;

private:
    std::ostream& out;
    TerminalPolicy policy;
    bool coloured = false;
    bool hostShowsPositions;
};
