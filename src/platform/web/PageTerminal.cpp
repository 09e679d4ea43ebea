#include "platform/web/PageTerminal.h"

#include <ostream>

#include "console/StreamFailure.h"
#include "platform/web/HostCalls.h"

PageTerminal::PageTerminal(std::ostream& shown)
    : out(shown), hostShowsPositions(host::canShowPosition()) {}

void PageTerminal::setColours() {
    host::setColours();
    coloured = true;
}

void PageTerminal::clearScreen() {
    out.flush();
    host::clearScreen();
}

void PageTerminal::readKey(const std::function<void()>& /*showAgain*/) {
    if (const int error = host::waitForKey(); error != 0) {
        failToRead(error);
    }
}

void PageTerminal::giveBack() {
    if (coloured) {
        coloured = false;
        host::resetColours();
    }
}

void PageTerminal::showPosition(int level, int x, int y, PositionChange change) {
    host::showPosition(level, x, y, change);
}
