// Plays a terminal transcript (tests/transcripts/terminal/NAME.tty) against the game as a
// launcher starts it: the built game, `node .../vellumfall.js` or `wine vellumfall.exe`.
// The game gets a fresh pseudo-terminal of its own; the transcript types keys into it (with
// their timing where it matters), sends signals, stops and continues it, resizes it, and
// says exactly which bytes must come back. Those are compared whole, in order, byte for
// byte: a byte too many, too few or twice fails, as it does for the piped transcripts.
//
// Usage: terminal_transcript TRANSCRIPT LAUNCHER COMMAND [ARGUMENT...]
// LAUNCHER names the launcher (native, node, wine) for the lines meant for one of them.
// Exits 0 when the game did exactly what the transcript says, 1 when it did not.

#include <fcntl.h>
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
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "transcript_script.h"

namespace {

constexpr auto kPatience = std::chrono::seconds(20);
// Set in the session leader when the test asks it to bring the job to the foreground.
volatile std::sig_atomic_t gForegroundAsked = 0;

extern "C" void askForeground(int /*signalNumber*/) {
    gForegroundAsked = 1;
}
using Clock = std::chrono::steady_clock;

// What the game wrote on its terminal (or into its output pipe), and reading more of it.
class Screen {
public:
    explicit Screen(int terminal) : fd(terminal) {}

    // Reads what has come until `deadline`; false once the writer has gone.
    bool readUntil(Clock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{fd, POLLIN, 0};
        const int polled =
            ::poll(&ready, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (polled <= 0) {
            return polled < 0 && errno == EINTR;
        }
        std::array<char, 4096> buffer{};
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got <= 0) {
            // EIO from a pseudo-terminal: every descriptor of its other side is closed.
            return got < 0 && (errno == EINTR || errno == EAGAIN);
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        return true;
    }

    const std::string& text() const { return bytes; }

private:
    int fd;
    std::string bytes;
};

// The game and the processes around it, as the transcript starts them.
class Session {
public:
    Session(const Setup& asWritten, std::vector<char*> command) : setup(asWritten) {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            fail("no pseudo-terminal");
        }
        resize(setup.columns);
        ::tcgetattr(master, &startMode);
        std::array<char, 128> slaveName{};
        ::ptsname_r(master, slaveName.data(), slaveName.size());
        std::array<int, 2> pidPipe{};
        std::array<int, 2> inputPipe{-1, -1};
        std::array<int, 2> outputPipe{-1, -1};
        if (::pipe2(pidPipe.data(), O_CLOEXEC) != 0 ||
            (setup.inputPipe && ::pipe2(inputPipe.data(), O_CLOEXEC) != 0) ||
            (setup.outputPipe && ::pipe2(outputPipe.data(), O_CLOEXEC) != 0)) {
            fail("no pipe");
        }
        const Descriptors descriptors{pidPipe[1],
                                      inputPipe[0],
                                      outputPipe[1],
                                      {master, pidPipe[0], inputPipe[1], outputPipe[0]}};
        sessionPid = ::fork();
        if (sessionPid == 0) {
            runSession(slaveName.data(), descriptors, command);
        }
        for (const int end : {pidPipe[1], inputPipe[0], outputPipe[1]}) {
            if (end >= 0) {
                ::close(end);
            }
        }
        if (::read(pidPipe[0], &jobPid, sizeof jobPid) != static_cast<ssize_t>(sizeof jobPid)) {
            fail("the game did not start");
        }
        ::close(pidPipe[0]);
        keys = setup.inputPipe ? inputPipe[1] : master;
        screen.emplace(setup.outputPipe ? outputPipe[0] : master);
    }

    ~Session() {
        if (!reaped) {
            ::kill(-jobPid, SIGKILL);
            ::kill(jobPid, SIGKILL);
            ::waitpid(sessionPid, nullptr, 0);
        }
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void type(std::string_view text) const {
        if (::write(keys, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            fail("could not type");
        }
    }

    void closeInput() {
        if (keys != master) {
            ::close(keys);
            keys = master;
        }
    }

    void resize(unsigned short columns) const {
        const winsize size{24, columns, 0, 0};
        ::ioctl(master, TIOCSWINSZ, &size);
    }

    // The game itself: the job, or the launcher's child when a wrapper script is the job.
    pid_t game() {
        if (setup.start != Start::Wrapper) {
            return jobPid;
        }
        const auto deadline = Clock::now() + kPatience;
        while (wrappedPid <= 0 && Clock::now() < deadline) {
            wrappedPid = childOf(jobPid);
            ::usleep(1000);
        }
        return wrappedPid;
    }

    Screen& output() { return *screen; }

    // As `fg` does, by the session leader, which has the terminal.
    void bringToForeground() const { ::kill(sessionPid, SIGUSR1); }

    termios mode() const {
        termios settings{};
        ::tcgetattr(master, &settings);
        return settings;
    }

    const termios& modeAtStart() const { return startMode; }

    // Waits until the kernel reports the game stopped, or running.
    bool waitUntilStopped(bool stopped) {
        const auto deadline = Clock::now() + kPatience;
        while (isStopped(game()) != stopped) {
            if (Clock::now() > deadline) {
                return false;
            }
            ::usleep(1000);
        }
        return true;
    }

    // Reads the rest of the output and returns the job's wait status, once it has ended.
    std::optional<int> finish() {
        const auto deadline = Clock::now() + kPatience;
        while (screen->readUntil(deadline)) {
        }
        int status = 0;
        while (::waitpid(sessionPid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                return std::nullopt;
            }
            ::usleep(1000);
        }
        reaped = true;
        return status;
    }

private:
    struct Descriptors {
        int pidPipe;
        int input;
        int output;
        // The test's own ends, which the shell must not hold open: the game would never
        // see the end of its input.
        std::array<int, 4> testsOwn;
    };

    [[noreturn]] static void fail(std::string_view what) {
        std::cout << "FAIL: " << what << ": " << std::strerror(errno) << '\n';
        std::exit(1);
    }

    // The forked session leader. It plays the shell: it starts the game in a process
    // group of its own in the foreground (or in the background, and brings it to the
    // foreground on SIGUSR1) and ends as the game ended, so that its status is the game's.
    // Or, for the game as the terminal's own program, it becomes the game.
    [[noreturn]] void runSession(const char* slaveName, const Descriptors& descriptors,
                                 std::vector<char*>& command) const {
        for (const int own : descriptors.testsOwn) {
            if (own >= 0) {
                ::close(own);
            }
        }
        ::setsid();
        // SIGQUIT would otherwise leave a core file behind.
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        // Opened by a session leader, the terminal becomes the session's.
        const int slave = ::open(slaveName, O_RDWR);
        if (slave < 0) {
            ::_exit(126);
        }
        if (setup.start == Start::Own) {
            reportPid(descriptors.pidPipe, ::getpid());
            startGame(slave, descriptors, command);
        }
        struct sigaction foreground {};
        foreground.sa_handler = askForeground;
        ::sigaction(SIGUSR1, &foreground, nullptr);
        const pid_t job = ::fork();
        if (job == 0) {
            ::setpgid(0, 0);
            if (setup.start != Start::Background) {
                // A background group may take the terminal only with SIGTTOU ignored.
                std::signal(SIGTTOU, SIG_IGN);
                ::tcsetpgrp(slave, ::getpid());
                std::signal(SIGTTOU, SIG_DFL);
            }
            startGame(slave, descriptors, command);
        }
        ::setpgid(job, job);
        if (setup.start != Start::Background) {
            ::close(slave);
        }
        reportPid(descriptors.pidPipe, job);
        int status = 0;
        while (::waitpid(job, &status, 0) < 0 && errno == EINTR) {
            if (gForegroundAsked != 0) {
                gForegroundAsked = 0;
                ::tcsetpgrp(slave, job);
                ::kill(-job, SIGCONT);
            }
        }
        if (WIFSIGNALED(status)) {
            std::signal(WTERMSIG(status), SIG_DFL);
            ::kill(::getpid(), WTERMSIG(status));
        }
        ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 125);
    }

    static void reportPid(int pipe, pid_t pid) {
        if (::write(pipe, &pid, sizeof pid) != static_cast<ssize_t>(sizeof pid)) {
            ::_exit(126);
        }
    }

    // In the game's process: its descriptors, environment and signals as the transcript
    // says, then the launcher.
    [[noreturn]] void startGame(int slave, const Descriptors& descriptors,
                                std::vector<char*>& command) const {
        if (setup.nonBlocking) {
            ::fcntl(slave, F_SETFL, ::fcntl(slave, F_GETFL) | O_NONBLOCK);
        }
        ::dup2(descriptors.input >= 0 ? descriptors.input : slave, STDIN_FILENO);
        ::dup2(descriptors.output >= 0 ? descriptors.output : slave, STDOUT_FILENO);
        ::dup2(slave, STDERR_FILENO);
        ::close(slave);
        for (const auto& [name, value] : setup.environment) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
            std::signal(signalNumber, SIG_DFL);
        }
        for (const int ignored : setup.ignoredSignals) {
            std::signal(ignored, SIG_IGN);
        }
        std::vector<char*> argv;
        if (setup.start == Start::Wrapper) {
            static std::string shell = "/bin/sh";
            static std::string dashC = "-c";
            static std::string script = R"("$@"; echo after $?)";
            static std::string name = "sh";
            argv = {shell.data(), dashC.data(), script.data(), name.data()};
        }
        argv.insert(argv.end(), command.begin(), command.end());
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }

    static pid_t childOf(pid_t parent) {
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename();
            if (name.find_first_not_of("0123456789") != std::string::npos) {
                continue;
            }
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            std::getline(stat, line);
            // The fields after the name in brackets: state, then the parent's pid.
            std::istringstream fields(line.substr(line.rfind(')') + 1));
            std::string state;
            pid_t ppid = 0;
            if (fields >> state >> ppid && ppid == parent) {
                return static_cast<pid_t>(std::stol(name));
            }
        }
        return -1;
    }

    static bool isStopped(pid_t pid) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const std::size_t nameEnd = line.rfind(')');
        return nameEnd != std::string::npos && line.substr(nameEnd + 2, 1) == "T";
    }

    const Setup& setup;
    int master = -1;
    int keys = -1;
    termios startMode{};
    pid_t sessionPid = -1;
    pid_t jobPid = -1;
    pid_t wrappedPid = -1;
    bool reaped = false;
    std::optional<Screen> screen;
};

// Bytes as the transcripts write them, for messages.
std::string shown(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        text += escapedByte(byte);
    }
    return text;
}

std::string describeStatus(int status) {
    if (WIFSIGNALED(status)) {
        return std::string("killed by SIG") + sigabbrev_np(WTERMSIG(status));
    }
    return "exit " + std::to_string(WEXITSTATUS(status));
}

// Where the output first leaves the expected bytes, with some of both around it.
std::string difference(std::string_view expected, std::string_view actual) {
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const std::size_t from = at > 60 ? at - 60 : 0;
    std::ostringstream message;
    message << "from byte " << at << " on\n  expected: ..."
            << shown(expected.substr(from, at - from)) << "[" << shown(expected.substr(at, 80))
            << "]\n  actual:   ..." << shown(actual.substr(from, at - from)) << "["
            << shown(actual.substr(at, 80)) << "]\n";
    return message.str();
}

bool sameLineSettings(const termios& one, const termios& other) {
    return one.c_iflag == other.c_iflag && one.c_oflag == other.c_oflag &&
           one.c_lflag == other.c_lflag;
}

class Player {
public:
    Player(Session& played, std::string_view launcher) : session(played), name(launcher) {}

    // Runs one step; false, with the reason printed, when the game did not do as written.
    bool play(const Step& step) {
        switch (step.kind) {
            case Step::Kind::Type: session.type(step.text); return true;
            case Step::Kind::Press:
                if (!waitForMode(false, "the terminal never left line mode")) {
                    return false;
                }
                session.type(step.text);
                return true;
            case Step::Kind::CloseInput: session.closeInput(); return true;
            case Step::Kind::Pause:
                ::usleep(static_cast<useconds_t>(step.number) * 1000);
                return true;
            case Step::Kind::Expect: return expect(step.text);
            case Step::Kind::RawMode:
                return waitForMode(false, "the terminal never left line mode");
            case Step::Kind::LineMode: return waitForMode(true, "the line mode never came back");
            case Step::Kind::Signal: ::kill(session.game(), step.number); return true;
            case Step::Kind::Stopped:
                return check(session.waitUntilStopped(true), "the game did not stop");
            case Step::Kind::Continue:
                ::kill(session.game(), SIGCONT);
                return check(session.waitUntilStopped(false), "the game did not go on");
            case Step::Kind::Foreground:
                session.bringToForeground();
                return check(session.waitUntilStopped(false), "the game did not go on");
            case Step::Kind::Resize:
                session.resize(static_cast<unsigned short>(step.number));
                return true;
            case Step::Kind::End: return end(step);
        }
        return false;
    }

private:
    bool check(bool passed, std::string_view why) const {
        if (!passed) {
            std::cout << "FAIL: " << why << "; output so far: " << shown(session.output().text())
                      << '\n';
        }
        return passed;
    }

    bool expect(std::string_view text) {
        expected += text;
        Screen& screen = session.output();
        const auto deadline = Clock::now() + kPatience;
        while (screen.text().size() < expected.size() &&
               std::string_view(expected).starts_with(screen.text()) &&
               screen.readUntil(deadline)) {
        }
        if (!screen.text().starts_with(expected)) {
            std::cout << "FAIL: the output differs " << difference(expected, screen.text())
                      << "the whole output: " << shown(screen.text()) << '\n';
            return false;
        }
        return true;
    }

    bool waitForMode(bool lineMode, std::string_view why) const {
        const auto deadline = Clock::now() + kPatience;
        while (((session.mode().c_lflag & ICANON) != 0) != lineMode) {
            if (Clock::now() > deadline) {
                return check(false, why);
            }
            ::usleep(1000);
        }
        return true;
    }

    bool end(const Step& step) {
        const std::optional<int> status = session.finish();
        const std::string& actual = session.output().text();
        if (!status) {
            return check(false, "the game was still running");
        }
        bool passed = true;
        if (actual != expected) {
            std::cout << "FAIL: the output differs " << difference(expected, actual);
            passed = false;
        }
        const bool wanted = step.number > 0
                                ? WIFSIGNALED(*status) && WTERMSIG(*status) == step.number
                                : WIFEXITED(*status) && WEXITSTATUS(*status) == -step.number;
        if (!wanted) {
            std::cout << "FAIL: the game ended with " << describeStatus(*status) << '\n';
            passed = false;
        }
        if (!sameLineSettings(session.mode(), session.modeAtStart())) {
            std::cout << "FAIL: the terminal was left in another mode than it was given\n";
            passed = false;
        }
        return passed;
    }

    Session& session;
    std::string_view name;
    std::string expected;
};

}  // namespace

// A scratch folder as XDG_STATE_HOME, removed with whatever the game left in it.
class StateFolder {
public:
    StateFolder() {
        const char* temporary = std::getenv("TMPDIR");
        std::string pattern =
            std::string(temporary != nullptr ? temporary : "/tmp") + "/vellumfall-state.XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
            ::setenv("XDG_STATE_HOME", path.c_str(), 1);
        }
    }
    ~StateFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    StateFolder(const StateFolder&) = delete;
    StateFolder& operator=(const StateFolder&) = delete;

private:
    std::string path;
};

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: terminal_transcript TRANSCRIPT LAUNCHER COMMAND [ARGUMENT...]\n";
        return 2;
    }
    const std::string_view launcher = argv[2];
    std::string problem;
    const std::optional<Script> script = readScript(argv[1], launcher, problem);
    if (!script) {
        std::cerr << argv[1] << ": " << problem << '\n';
        return 2;
    }
    // The game is started with every signal at its default; the driver itself must outlive
    // a game that stops reading.
    std::signal(SIGPIPE, SIG_IGN);
    // The game saves itself on a terminal: in a state folder of the transcript's own, not
    // the user's.
    const StateFolder stateFolder;
    Session session(script->setup, std::vector<char*>(argv + 3, argv + argc));
    Player player(session, launcher);
    for (const Step& step : script->steps) {
        if (!player.play(step)) {
            std::cout << "at line " << step.line << " of " << argv[1] << '\n';
            return 1;
        }
    }
    return 0;
}
