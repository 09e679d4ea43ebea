#include "platform/web/HostConsole.h"

#include <ostream>
#include <string>
#include <string_view>

#include "console/StreamFailure.h"
#include "console/TerminalSequences.h"
#include "platform/web/HostCalls.h"

HostConsole::HostConsole(std::ostream& out, const TerminalPolicy& policy)
    : out(out), policy(policy), hostShowsPositions(host::canShowPosition()) {}

void HostConsole::useGameColours() {
    if (!policy.colours) {
        return;
    }
    out.flush();
    host::setColours();
    coloured = true;
}

void HostConsole::clearScreen() {
    if (!policy.escapes) {
        return;
    }
    out.flush();
    host::clearScreen();
}

void HostConsole::waitForKey() {
    if (!policy.keyWait) {
        return;
    }
    out << kPressAnyKey;
    out.flush();
    if (const int error = host::waitForKey(); error != 0) {
        failToRead(error);
    }
    out << '\n';
}

void HostConsole::showPosition(int level, int x, int y, PositionChange change) {
    if (!hostShowsPositions) {
        return;
    }
    // The text that led here comes first, as with every other effect.
    out.flush();
    host::showPosition(level, x, y, change);
}

void HostConsole::sayOnInterrupt(std::string_view line) {
    // A signal comes while the player reads a prompt or a key wait, in the middle of a line.
    host::sayOnInterrupt(line.empty() ? std::string() : '\n' + std::string(line));
}

void HostConsole::restoreTerminal() {
    // Not flushed: after a failure the output may be what failed.
    if (coloured) {
        host::resetColours();
        coloured = false;
    }
}
