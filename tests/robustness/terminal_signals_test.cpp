// The built game on a pseudo-terminal, as a player has it: ended or stopped by a signal
// at each place where it waits for the player, the terminal must get its colours and its
// line mode back; lines are edited and recalled, text is wrapped at the terminal's width,
// and TERM and NO_COLOR are heeded.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kResetColours = "\x1b[0m";
constexpr std::string_view kGameColours = "\x1b[92;40m";
constexpr std::string_view kPressAnyKey = "Press any key to continue . . . ";
constexpr auto kPatience = std::chrono::seconds(10);

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string visible(std::string_view text) {
    std::string shown;
    for (const char character : text.substr(text.size() > 80 ? text.size() - 80 : 0)) {
        if (character == '\x1b') {
            shown += "\\e";
        } else if (character == '\r') {
            shown += "\\r";
        } else if (character == '\n') {
            shown += "\\n";
        } else {
            shown += character;
        }
    }
    return shown;
}

// The game on a fresh pseudo-terminal, as a shell with job control runs it: a session
// leader (the "shell") holds the terminal and starts the game in a process group of its
// own, in the foreground, and waits for it. The test holds the master side, as a
// terminal emulator would. Because the shell stays in the session, Ctrl-Z really stops
// the game (the kernel ignores stop signals for a process group with no such parent).
// The terminal the game gets: its TERM (none when empty), NO_COLOR, and its width.
struct Terminal {
    std::string term = "xterm";
    const char* noColor = nullptr;
    unsigned short columns = 80;
};

class GameOnTerminal {
public:
    explicit GameOnTerminal(Terminal terminal = {}) : terminal_(std::move(terminal)) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            ADD_FAILURE() << "no pseudo-terminal: " << std::strerror(errno);
            return;
        }
        resize(terminal_.columns);
        std::array<char, 128> slaveName{};
        ::ptsname_r(master_, slaveName.data(), slaveName.size());
        std::array<int, 2> gamePid{};
        if (::pipe2(gamePid.data(), O_CLOEXEC) != 0) {
            ADD_FAILURE() << "no pipe: " << std::strerror(errno);
            return;
        }
        shellPid_ = ::fork();
        if (shellPid_ == 0) {
            runShell(slaveName.data(), gamePid[1], terminal_);
        }
        ::close(gamePid[1]);
        if (::read(gamePid[0], &pid_, sizeof pid_) != static_cast<ssize_t>(sizeof pid_)) {
            ADD_FAILURE() << "the game did not start";
        }
        ::close(gamePid[0]);
    }

    ~GameOnTerminal() {
        if (shellPid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(shellPid_, nullptr, 0);
        }
        if (master_ >= 0) {
            ::close(master_);
        }
    }

    // Reads what the game prints until `text` has appeared `times` times in all.
    bool waitForText(std::string_view text, int times = 1) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (countOf(text) < times) {
            if (!readSome(deadline)) {
                return false;
            }
        }
        return true;
    }

    // Waits until the game has taken the terminal out of line mode for its key wait.
    bool waitForKeyMode() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while ((mode().c_lflag & ICANON) != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            ::usleep(1000);
        }
        return true;
    }

    void type(std::string_view keys) const {
        ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    void sendSignal(int signalNumber) const { ::kill(pid_, signalNumber); }

    // As a terminal emulator does when its window changes: the game gets SIGWINCH.
    void resize(unsigned short columns) const {
        const winsize size{24, columns, 0, 0};
        ::ioctl(master_, TIOCSWINSZ, &size);
    }

    // Reads the rest of the output until the game has gone, and returns its wait status.
    // A game still running then is killed, so a test fails instead of hanging.
    int finish() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (readSome(deadline)) {
        }
        int status = 0;
        while (::waitpid(shellPid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() < deadline) {
                ::usleep(1000);
                continue;
            }
            ADD_FAILURE() << "the game was still running: " << visible(output_);
            ::kill(pid_, SIGKILL);
            ::waitpid(shellPid_, &status, 0);
        }
        reaped_ = true;
        return status;
    }

    // Waits until the game is stopped (Ctrl-Z), or running again, as the kernel reports it.
    bool waitUntilStopped(bool stopped) const {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (isStopped() != stopped) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            ::usleep(1000);
        }
        return true;
    }

    // The slave's line settings, as the kernel reports them through the master.
    termios mode() const {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    const std::string& output() const { return output_; }

private:
    // The session leader, in the forked child: it starts the game in the foreground and
    // ends as the game ended, so the test sees the game's own exit status or signal.
    [[noreturn]] static void runShell(const char* slaveName, int gamePidPipe,
                                      const Terminal& terminal) {
        ::setsid();
        // SIGQUIT would otherwise leave a core file behind.
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        // Opened by a session leader, the terminal becomes the session's.
        const int slave = ::open(slaveName, O_RDWR);
        if (slave < 0) {
            ::_exit(126);
        }
        const pid_t game = ::fork();
        if (game == 0) {
            ::setpgid(0, 0);
            // A background group may take the terminal only with SIGTTOU ignored.
            std::signal(SIGTTOU, SIG_IGN);
            ::tcsetpgrp(slave, ::getpid());
            std::signal(SIGTTOU, SIG_DFL);
            ::dup2(slave, STDIN_FILENO);
            ::dup2(slave, STDOUT_FILENO);
            ::close(slave);
            if (terminal.term.empty()) {
                ::unsetenv("TERM");
            } else {
                ::setenv("TERM", terminal.term.c_str(), 1);
            }
            if (terminal.noColor == nullptr) {
                ::unsetenv("NO_COLOR");
            } else {
                ::setenv("NO_COLOR", terminal.noColor, 1);
            }
            ::execl(VELLUMFALL_GAME, VELLUMFALL_GAME, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(slave);
        if (::write(gamePidPipe, &game, sizeof game) != static_cast<ssize_t>(sizeof game)) {
            ::_exit(126);
        }
        int status = 0;
        while (::waitpid(game, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status)) {
            std::signal(WTERMSIG(status), SIG_DFL);
            ::kill(::getpid(), WTERMSIG(status));
        }
        ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 125);
    }

    bool isStopped() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string field;
        // The pid, the name in brackets (without blanks here) and the state.
        stat >> field >> field >> field;
        return field == "T";
    }

    int countOf(std::string_view text) const {
        int count = 0;
        for (auto at = output_.find(text); at != std::string::npos;
             at = output_.find(text, at + text.size())) {
            ++count;
        }
        return count;
    }

    // False once the game has closed the terminal (or at the deadline).
    bool readSome(std::chrono::steady_clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{master_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0) {
            return errno == EINTR;
        }
        if (polled == 0) {
            return false;
        }
        std::array<char, 4096> buffer{};
        const ssize_t got = ::read(master_, buffer.data(), buffer.size());
        if (got <= 0) {
            // EIO: every slave descriptor is closed, the game has ended.
            return false;
        }
        output_.append(buffer.data(), static_cast<std::size_t>(got));
        return true;
    }

    Terminal terminal_;
    int master_ = -1;
    pid_t shellPid_ = -1;
    pid_t pid_ = -1;
    bool reaped_ = false;
    std::string output_;
};

// From the title menu to the Controls screen's wait for one key.
testing::AssertionResult reachTheKeyWait(GameOnTerminal& game) {
    if (!game.waitForText(">>")) {
        return testing::AssertionFailure() << "no title menu: " << visible(game.output());
    }
    game.type("1\n");
    if (!game.waitForText(kPressAnyKey)) {
        return testing::AssertionFailure() << "no key wait: " << visible(game.output());
    }
    if (!game.waitForKeyMode()) {
        return testing::AssertionFailure() << "the key wait never left line mode";
    }
    return testing::AssertionSuccess();
}

bool exitedWithZero(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The game must have died of the signal itself (so its parent sees why), with the colour
// reset as the last thing it printed and the terminal back in line mode with echo.
void expectEndedAndRestored(GameOnTerminal& game, int signalNumber) {
    const int status = game.finish();
    ASSERT_TRUE(WIFSIGNALED(status))
        << "the game exited instead, with status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signalNumber);
    EXPECT_TRUE(endsWith(game.output(), kResetColours))
        << "the output ends with: " << visible(game.output());
    const termios mode = game.mode();
    EXPECT_NE(mode.c_lflag & ICANON, 0U) << "the terminal was left without line mode";
    EXPECT_NE(mode.c_lflag & ECHO, 0U) << "the terminal was left without echo";
}

class TerminalSignals : public testing::TestWithParam<int> {};

TEST_P(TerminalSignals, AtTheTitleMenuRestoreTheTerminal) {
    GameOnTerminal game;
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.sendSignal(GetParam());
    expectEndedAndRestored(game, GetParam());
}

TEST_P(TerminalSignals, AtTheCommandPromptRestoreTheTerminal) {
    GameOnTerminal game;
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("0\n");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.sendSignal(GetParam());
    expectEndedAndRestored(game, GetParam());
}

TEST_P(TerminalSignals, DuringTheKeyWaitRestoreTheTerminal) {
    GameOnTerminal game;
    ASSERT_TRUE(reachTheKeyWait(game));
    ASSERT_EQ(game.mode().c_lflag & ECHO, 0U);
    game.sendSignal(GetParam());
    expectEndedAndRestored(game, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalSignals,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

// Ctrl-C typed on the keyboard, not sent by another process: the line discipline raises
// SIGINT even while the game waits for a single key.
TEST(TerminalCtrlC, DuringTheKeyWaitEndsTheGameAndRestoresTheTerminal) {
    GameOnTerminal game;
    ASSERT_TRUE(reachTheKeyWait(game));
    game.type("\x03");
    expectEndedAndRestored(game, SIGINT);
}

// A key pressed ends the wait and gives the terminal back, and the game goes on. Without
// the line editor (on a dumb terminal), the line mode shows at the menu's prompt.
TEST(TerminalKeyWait, AKeyRestoresLineModeAndTheMenuReturns) {
    GameOnTerminal game(Terminal{.term = "dumb"});
    ASSERT_TRUE(reachTheKeyWait(game));
    game.type("x");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    const termios mode = game.mode();
    EXPECT_NE(mode.c_lflag & ICANON, 0U);
    EXPECT_NE(mode.c_lflag & ECHO, 0U);
    game.type("3\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
}

}  // namespace

// Ctrl-Z while the game waits for a key: the shell gets its terminal back as it was, and
// after `fg` the game is as it was, colours and key mode and all.
TEST(TerminalStop, CtrlZDuringTheKeyWaitRestoresTheTerminalAndContinueResumesTheWait) {
    GameOnTerminal game;
    ASSERT_TRUE(reachTheKeyWait(game));
    game.type("\x1a");
    ASSERT_TRUE(game.waitUntilStopped(true)) << "Ctrl-Z did not stop the game";
    ASSERT_TRUE(game.waitForText(kResetColours)) << visible(game.output());
    EXPECT_TRUE(endsWith(game.output(), kResetColours)) << visible(game.output());
    EXPECT_NE(game.mode().c_lflag & ICANON, 0U) << "stopped, the terminal has no line mode";
    EXPECT_NE(game.mode().c_lflag & ECHO, 0U) << "stopped, the terminal has no echo";

    game.sendSignal(SIGCONT);
    ASSERT_TRUE(game.waitUntilStopped(false));
    ASSERT_TRUE(game.waitForKeyMode()) << "the key mode did not come back";
    ASSERT_TRUE(game.waitForText(kGameColours, 2)) << visible(game.output());
    EXPECT_EQ(game.mode().c_lflag & ECHO, 0U);
    game.type("x");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("3\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
}

// Ctrl-Z at the prompt, while the line editor has the terminal: the same, and the line
// typed after `fg` is read as usual.
TEST(TerminalStop, CtrlZAtThePromptRestoresTheTerminalAndTheGameGoesOn) {
    GameOnTerminal game;
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("\x1a");
    ASSERT_TRUE(game.waitUntilStopped(true)) << "Ctrl-Z did not stop the game";
    ASSERT_TRUE(game.waitForText(kResetColours)) << visible(game.output());
    EXPECT_NE(game.mode().c_lflag & ICANON, 0U) << "stopped, the terminal has no line mode";
    EXPECT_NE(game.mode().c_lflag & ECHO, 0U) << "stopped, the terminal has no echo";
    game.sendSignal(SIGCONT);
    ASSERT_TRUE(game.waitUntilStopped(false));
    ASSERT_TRUE(game.waitForText(kGameColours, 2)) << visible(game.output());
    game.type("3\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
    EXPECT_TRUE(endsWith(game.output(), kResetColours)) << visible(game.output());
}

// An arrow sends three bytes; all of them are the one key, and the menu choice typed
// next is read whole.
TEST(TerminalKeyWait, AnArrowKeyIsOneKey) {
    GameOnTerminal game;
    ASSERT_TRUE(reachTheKeyWait(game));
    game.type("\x1b[D");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("3\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
}

// Line editing and history: what a player types at ">>" can be mended and recalled, and
// the prompt stays on the line the editor redraws.
TEST(TerminalLines, UpRecallsTheLastLineWithItsPrompt) {
    GameOnTerminal game;
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("0\n");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("n\n");
    ASSERT_TRUE(game.waitForText("The door is locked.")) << visible(game.output());
    ASSERT_TRUE(game.waitForText(">>", 3)) << visible(game.output());
    game.type("\x1b[A");
    // Typed, then recalled: the editor draws the prompt with the line both times.
    ASSERT_TRUE(game.waitForText(">>n", 2))
        << "the recalled line was drawn without its prompt: " << visible(game.output());
    game.type("\n");
    ASSERT_TRUE(game.waitForText("You can't go that way")) << visible(game.output());
}

TEST(TerminalLines, AWordIsMendedInTheMiddle) {
    GameOnTerminal game;
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("0\n");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("nrth\x1b[D\x1b[D\x1b[Do\n");
    EXPECT_TRUE(game.waitForText("You are in front of a house.")) << visible(game.output());
}

// Wrapped at the width the terminal has when the line is written: 80 columns hold the
// first place's description, 40 do not, and the break falls between words.
TEST(TerminalWidth, TextIsWrappedAtBlanksAndAgainAfterAResize) {
    GameOnTerminal game(Terminal{.columns = 80});
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("0\n");
    ASSERT_TRUE(
        game.waitForText("You are in a vast field. There is a white house to the North.\r\n"))
        << visible(game.output());
    game.resize(40);
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("l\n");
    EXPECT_TRUE(
        game.waitForText("You are in a vast field. There is a\r\nwhite house to the North.\r\n"))
        << visible(game.output());
}

// A dumb terminal gets no escape sequence at all, yet still the key wait; NO_COLOR takes
// the colours away and leaves the clearing.
TEST(TerminalConventions, DumbTerminalGetsNoEscapeSequence) {
    GameOnTerminal game(Terminal{.term = "dumb"});
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("1\n");
    ASSERT_TRUE(game.waitForText(kPressAnyKey)) << visible(game.output());
    game.type("x");
    ASSERT_TRUE(game.waitForText(">>", 2)) << visible(game.output());
    game.type("0\nl\nq\ny\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
    EXPECT_EQ(game.output().find('\x1b'), std::string::npos) << visible(game.output());
}

TEST(TerminalConventions, NoColorLeavesOnlyTheClearing) {
    GameOnTerminal game(Terminal{.noColor = "1"});
    ASSERT_TRUE(game.waitForText(">>")) << visible(game.output());
    game.type("0\nl\nq\ny\n");
    EXPECT_TRUE(exitedWithZero(game.finish())) << visible(game.output());
    EXPECT_EQ(game.output().find(kGameColours), std::string::npos) << visible(game.output());
    EXPECT_EQ(game.output().find(kResetColours), std::string::npos) << visible(game.output());
    EXPECT_NE(game.output().find("\x1b[2J"), std::string::npos) << visible(game.output());
}
