#include "platform/posix/TerminalState.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <iterator>

#include "console/TerminalSequences.h"
#include "console/TerminalSignals.h"

namespace {

// Plain globals of lock-free types and plain data, because a handler may touch nothing else.
volatile std::sig_atomic_t gColoursSet = 0;
volatile std::sig_atomic_t gKeyModeSet = 0;
volatile std::sig_atomic_t gResizes = 0;
// Counted by the SIGCONT handler; a stop that returns without one was refused by the kernel.
volatile std::sig_atomic_t gContinueSignals = 0;
// Stops the game came back from, for whoever must redraw what the shell wrote over.
volatile std::sig_atomic_t gContinues = 0;
int gInputFd = -1;
int gOutputFd = -1;
const char* gColours = nullptr;
std::size_t gColoursLength = 0;
termios gLineMode{};
termios gKeyMode{};
// The terminal's mode when the game started, when its input is a terminal.
volatile std::sig_atomic_t gStartModeKnown = 0;
termios gStartMode{};
// The line for a deadly signal: its bytes, and their count, set last.
std::array<char, 256> gFarewell{};
volatile std::sig_atomic_t gFarewellLength = 0;

void writeRaw(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(gOutputFd, text, length);
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

void writeColours() {
    // Flag first: a signal arriving in between must still reset the colours.
    gColoursSet = 1;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    writeRaw(gColours, gColoursLength);
}

void applyKeyMode() {
    std::atomic_signal_fence(std::memory_order_seq_cst);
    gKeyModeSet = 1;
    ::tcsetattr(gInputFd, TCSANOW, &gKeyMode);
}

void restoreLineMode() {
    if (gKeyModeSet != 0) {
        ::tcsetattr(gInputFd, TCSANOW, &gLineMode);
        gKeyModeSet = 0;
    }
}

bool sameMode(const termios& one, const termios& other) {
    return one.c_iflag == other.c_iflag && one.c_oflag == other.c_oflag &&
           one.c_cflag == other.c_cflag && one.c_lflag == other.c_lflag &&
           std::equal(std::begin(one.c_cc), std::end(one.c_cc), std::begin(other.c_cc));
}

// The line editor changes the mode too, and puts it back itself; but a signal may come
// while it is in the middle of doing so. So at the end the mode is compared with the one
// the game started with, and set back where it differs. Only then: setting it from the
// background would stop the game.
void restoreStartMode() {
    termios current{};
    if (gStartModeKnown != 0 && ::tcgetattr(gInputFd, &current) == 0 &&
        !sameMode(current, gStartMode)) {
        ::tcsetattr(gInputFd, TCSANOW, &gStartMode);
    }
}

void restoreColours() {
    if (gColoursSet != 0) {
        writeRaw(kResetColours.data(), kResetColours.size());
        gColoursSet = 0;
    }
}

void install(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    // One handler at a time: none of them may run inside another.
    sigemptyset(&action.sa_mask);
    for (const TerminalSignal& other : kDeadlySignals) {
        sigaddset(&action.sa_mask, other.number);
    }
    for (const TerminalSignal& other : kStopSignals) {
        sigaddset(&action.sa_mask, other.number);
    }
    // A read cut short by a stop goes on as if nothing had happened.
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

// Takes the signal's default action: death, or a stop that returns here on SIGCONT.
void takeDefaultAction(int signalNumber) {
    std::signal(signalNumber, SIG_DFL);
    sigset_t justThis;
    sigemptyset(&justThis);
    sigaddset(&justThis, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &justThis, nullptr);
    std::raise(signalNumber);
}

extern "C" void restoreAndDie(int signalNumber) {
    terminal_state::restore();
    const auto length = static_cast<std::size_t>(gFarewellLength);
    if (length > 0) {
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, gFarewell.data(), length);
    }
    takeDefaultAction(signalNumber);
}

extern "C" void restoreAndStop(int signalNumber) {
    const int savedErrno = errno;
    const bool coloured = gColoursSet != 0;
    const bool waitingForKey = gKeyModeSet != 0;
    // The line editor's mode, when it is reading: it expects to find it again.
    termios modeInForce{};
    const bool editing = gStartModeKnown != 0 && !waitingForKey &&
                         ::tcgetattr(gInputFd, &modeInForce) == 0 &&
                         !sameMode(modeInForce, gStartMode);
    const std::sig_atomic_t continueSignals = gContinueSignals;
    terminal_state::restore();
    takeDefaultAction(signalNumber);
    // Continued, or never stopped: a process group without a shell to continue it (the game
    // as the terminal's own program) is not stopped by the kernel. Either way the game goes
    // on as it was.
    install(signalNumber, restoreAndStop);
    if (coloured) {
        writeColours();
    }
    if (waitingForKey) {
        applyKeyMode();
    } else if (editing) {
        ::tcsetattr(gInputFd, TCSANOW, &modeInForce);
    }
    if (gContinueSignals != continueSignals) {
        // The shell has had the terminal in the meantime.
        gContinues = gContinues + 1;
    }
    errno = savedErrno;
}

extern "C" void noteContinue(int /*signalNumber*/) {
    gContinueSignals = gContinueSignals + 1;
}

extern "C" void noteResize(int /*signalNumber*/) {
    gResizes = gResizes + 1;
}

bool startedIgnored(int signalNumber) {
    struct sigaction current {};
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}

}  // namespace

namespace terminal_state {

void watch(int inputFd, int outputFd) {
    gInputFd = inputFd;
    gOutputFd = outputFd;
    if (::isatty(inputFd) == 1 && ::tcgetattr(inputFd, &gStartMode) == 0) {
        gStartModeKnown = 1;
    }
}

void setColours(std::string_view colours) {
    gColours = colours.data();
    gColoursLength = colours.size();
    writeColours();
}

void enterKeyMode(const termios& lineMode, const termios& keyMode) {
    gLineMode = lineMode;
    gKeyMode = keyMode;
    applyKeyMode();
}

void leaveKeyMode() {
    restoreLineMode();
}

void restore() {
    restoreLineMode();
    restoreStartMode();
    restoreColours();
}

void sayOnDeath(std::string_view line) {
    // Emptied first, so that a handler never writes a line half replaced.
    gFarewellLength = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    const std::size_t length = std::min(line.size(), gFarewell.size());
    std::copy_n(line.begin(), length, gFarewell.begin());
    std::atomic_signal_fence(std::memory_order_seq_cst);
    gFarewellLength = static_cast<std::sig_atomic_t>(length);
}

unsigned resizes() {
    return static_cast<unsigned>(gResizes);
}

unsigned continues() {
    return static_cast<unsigned>(gContinues);
}

void Redraw::ifContinued() {
    if (const unsigned now = continues(); now != shownAt) {
        shownAt = now;
        write();
    }
}

void installSignalHandlers() {
    install(SIGWINCH, noteResize);
    install(SIGCONT, noteContinue);
    for (const TerminalSignal& signal : kDeadlySignals) {
        if (!startedIgnored(signal.number)) {
            install(signal.number, restoreAndDie);
        }
    }
    for (const TerminalSignal& signal : kStopSignals) {
        if (!startedIgnored(signal.number)) {
            install(signal.number, restoreAndStop);
        }
    }
}

}  // namespace terminal_state
