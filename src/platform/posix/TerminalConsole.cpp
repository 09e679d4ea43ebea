#include "platform/posix/TerminalConsole.h"

#include <termios.h>

#include <ostream>
#include <string>
#include <string_view>

#include "console/TerminalSequences.h"
#include "platform/posix/KeyReader.h"
#include "platform/posix/TerminalState.h"

namespace {

// One key is read with the terminal out of line mode and without echo; the line mode
// comes back however the wait ends.
class KeyMode {
public:
    explicit KeyMode(int fd) {
        termios lineMode{};
        if (::tcgetattr(fd, &lineMode) != 0) {
            return;
        }
        termios keyMode = lineMode;
        keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        keyMode.c_cc[VMIN] = 1;
        keyMode.c_cc[VTIME] = 0;
        terminal_state::enterKeyMode(lineMode, keyMode);
    }
    ~KeyMode() { terminal_state::leaveKeyMode(); }
    KeyMode(const KeyMode&) = delete;
    KeyMode& operator=(const KeyMode&) = delete;
};

}  // namespace

TerminalConsole::TerminalConsole(std::ostream& out, int inputFd, const TerminalPolicy& policy)
    : out(out), inputFd(inputFd), policy(policy) {}

TerminalConsole::~TerminalConsole() {
    out.flush();
    terminal_state::restore();
}

void TerminalConsole::useGameColours() {
    if (!policy.colours) {
        return;
    }
    // Written straight to the terminal, behind everything the game has printed so far.
    out.flush();
    terminal_state::setColours(kGameColours);
}

void TerminalConsole::clearScreen() {
    if (policy.escapes) {
        out << kClearScreen;
    }
}

void TerminalConsole::waitForKey() {
    // A dumb terminal can still wait for a key: that takes no escape sequence.
    if (!policy.keyWait) {
        return;
    }
    terminal_state::Redraw redraw{terminal_state::continues(), [this] {
                                      out << '\r' << kPressAnyKey;
                                      out.flush();
                                  }};
    out << kPressAnyKey;
    out.flush();
    {
        const KeyMode keyMode(inputFd);
        readOneKey(inputFd, redraw);
    }
    out << '\n';
}

void TerminalConsole::sayOnInterrupt(std::string_view line) {
    // A signal comes while the player reads a prompt or a key wait, in the middle of a line.
    terminal_state::sayOnDeath(line.empty() ? std::string() : '\n' + std::string(line));
}

void TerminalConsole::restoreTerminal() {
    terminal_state::restore();
}
