#pragma once

#include <iosfwd>

#include "console/Terminal.h"

// The terminal of a host that shows the game's effects itself (the page): each effect is a
// call to it, and so is the key wait, which a tap may end.
class PageTerminal final : public Terminal {
public:
    // `shown` is the stream the host shows, flushed before each effect so that effects and
    // text keep their order.
    explicit PageTerminal(std::ostream& shown);

    void setColours() override;
    void clearScreen() override;
    void readKey(const std::function<void()>& showAgain) override;
    void giveBack() override;
    // Only to a host that shows positions, so that the others see no call at all.
    bool showsPositions() const override { return hostShowsPositions; }
    void showPosition(int level, int x, int y, PositionChange change) override;

private:
    std::ostream& out;
    bool coloured = false;
    bool hostShowsPositions;
};
