#include "platform/web/HostConsole.h"

#include <ostream>
#include <string_view>

#include "console/StreamFailure.h"
#include "console/TerminalSequences.h"
#include "platform/web/HostCalls.h"

void HostConsole::useGameColours() {
    if (!terminal.colours) {
        return;
    }
    out.flush();
    host::setColours();
    coloured = true;
}

void HostConsole::clearScreen() {
    if (!terminal.escapes) {
        return;
    }
    out.flush();
    host::clearScreen();
}

void HostConsole::waitForKey() {
    if (!terminal.outputIsTerminal || !terminal.inputIsTerminal) {
        return;
    }
    out << kPressAnyKey;
    out.flush();
    if (const int error = host::waitForKey(); error != 0) {
        failToRead(error);
    }
    out << '\n';
}

void HostConsole::restoreTerminal() {
    // Not flushed: after a failure the output may be what failed.
    if (coloured) {
        host::resetColours();
        coloured = false;
    }
}
