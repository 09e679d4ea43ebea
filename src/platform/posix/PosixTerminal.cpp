#include "platform/posix/PosixTerminal.h"

#include <termios.h>

#include <ostream>

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

void PosixTerminal::setColours() {
    // Written straight to the terminal, where a signal handler can reset them too.
    terminal_state::setColours(kGameColours);
}

void PosixTerminal::clearScreen() {
    out << kClearScreen;
}

void PosixTerminal::readKey(const std::function<void()>& showAgain) {
    terminal_state::Redraw redraw{terminal_state::continues(), showAgain};
    const KeyMode keyMode(inputFd);
    readOneKey(inputFd, redraw);
}

void PosixTerminal::giveBack() {
    terminal_state::restore();
}

void PosixTerminal::sayOnInterrupt(std::string_view line) {
    terminal_state::sayOnDeath(line);
}
