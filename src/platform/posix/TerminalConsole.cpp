#include "console/TerminalConsole.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ostream>
#include <string_view>

namespace {

constexpr std::string_view kGameColours = "\x1b[92;40m";
constexpr std::string_view kResetColours = "\x1b[0m";
constexpr std::string_view kClearScreen = "\x1b[H\x1b[2J";
constexpr std::string_view kPressAnyKey = "Press any key to continue . . . ";

// What the signal handler needs to put the terminal back. Plain globals of lock-free
// types, because a handler may touch nothing else.
volatile std::sig_atomic_t gColoursChanged = 0;
volatile std::sig_atomic_t gModeChanged = 0;
int gOutputFd = -1;
int gInputFd = -1;
termios gSavedMode{};

void writeRaw(int fd, const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

// Only async-signal-safe calls below: they run from the signal handler too.
void restoreMode() {
    if (gModeChanged != 0) {
        ::tcsetattr(gInputFd, TCSANOW, &gSavedMode);
        gModeChanged = 0;
    }
}

void restoreTerminal() {
    restoreMode();
    if (gColoursChanged != 0) {
        writeRaw(gOutputFd, kResetColours.data(), kResetColours.size());
        gColoursChanged = 0;
    }
}

extern "C" void restoreAndDie(int signalNumber) {
    restoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

TerminalConsole::TerminalConsole(std::ostream& out, int inputFd, int outputFd)
    : out(out),
      inputFd(inputFd),
      outputIsTerminal(::isatty(outputFd) == 1),
      inputIsTerminal(::isatty(inputFd) == 1) {
    gOutputFd = outputFd;
    gInputFd = inputFd;
}

TerminalConsole::~TerminalConsole() {
    out.flush();
    restoreTerminal();
}

void TerminalConsole::installSignalHandlers() {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        struct sigaction action {};
        action.sa_handler = restoreAndDie;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

void TerminalConsole::useGameColours() {
    if (!outputIsTerminal) {
        return;
    }
    // Flag first: a signal arriving in between must still reset the colours.
    gColoursChanged = 1;
    out << kGameColours;
    out.flush();
}

void TerminalConsole::clearScreen() {
    if (outputIsTerminal) {
        out << kClearScreen;
    }
}

void TerminalConsole::waitForKey() {
    if (!outputIsTerminal || !inputIsTerminal) {
        return;
    }
    out << kPressAnyKey;
    out.flush();

    termios keyMode{};
    if (::tcgetattr(inputFd, &gSavedMode) == 0) {
        keyMode = gSavedMode;
        keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        keyMode.c_cc[VMIN] = 1;
        keyMode.c_cc[VTIME] = 0;
        gModeChanged = 1;
        ::tcsetattr(inputFd, TCSANOW, &keyMode);
    }
    char key = 0;
    while (::read(inputFd, &key, 1) < 0 && errno == EINTR) {
    }
    restoreMode();
    out << '\n';
}
