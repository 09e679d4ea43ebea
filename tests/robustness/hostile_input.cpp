// Feeds the game, as a launcher starts it, one kind of hostile input through a pipe, made
// on the fly, and checks that it reaches the end of it and exits with status 0, in bounded
// time and with bounded resident memory. Each input is played twice, a quarter of it and
// all of it, and the peak may grow only a little from one to the other: memory held for
// every turn or every byte grows with the input, while what a sanitizer or a runtime keeps
// for itself does not, and a bound on growth does not flake with the machine's load.
// Other cases put the game in a hostile environment instead (its input closed or a
// directory, its output a full disk, a reader that goes away or reads slowly from a
// non-blocking pipe, SIGHUP ignored by whoever started it) or give it a command line, and
// check how it ends: its status or signal, exactly what it wrote on standard error, and
// its output.
//
// Usage: hostile_input CASE LAUNCHER MAX_RESIDENT_KB MAX_GROWTH_KB COMMAND [ARGUMENT...]
// LAUNCHER names the launcher (native, node, wine) where a case ends differently on it.
// Prints one line of figures a run and exits 0 when the game passed, 1 when it did not.

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;
constexpr std::size_t kLongWordBytes = 100 * kMebibyte;
constexpr std::size_t kGarbageBytes = 16 * kMebibyte;
constexpr std::size_t kShortLines = 1'000'000;
constexpr std::size_t kDigits = 10'000'000;
constexpr std::size_t kHelpRequests = 3000;
constexpr int kGrowthRounds = 3;
// Far more than any of these inputs needs; past it the game is taken to hang.
constexpr auto kTimeLimit = std::chrono::seconds(60);
// The hostile environments end the game at its first read or write, or soon after; the
// launcher's own start (wine's above all) takes most of it.
constexpr auto kEnvironmentTimeLimit = std::chrono::seconds(30);

// Writes `count` bytes, one buffer at a time, each buffer filled by `fill`. False when the
// reader went away early.
bool writeGenerated(int fd, std::size_t count,
                    const std::function<void(char*, std::size_t)>& fill) {
    std::array<char, 64 * 1024> buffer{};
    while (count > 0) {
        const std::size_t length = std::min(count, buffer.size());
        fill(buffer.data(), length);
        std::size_t done = 0;
        while (done < length) {
            const ssize_t written = ::write(fd, buffer.data() + done, length - done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(written);
        }
        count -= length;
    }
    return true;
}

bool writeText(int fd, std::string_view text) {
    std::size_t offset = 0;
    return writeGenerated(fd, text.size(), [&](char* out, std::size_t length) {
        std::memcpy(out, text.data() + offset, length);
        offset += length;
    });
}

bool writeRepeated(int fd, char character, std::size_t count) {
    return writeGenerated(fd, count, [character](char* out, std::size_t length) {
        std::memset(out, character, length);
    });
}

// Reproducible bytes of every value, a quarter of them NUL. `noDigits` keeps the menu's
// number reader from ever finding a choice, so the whole input is spent at the menu.
bool writeGarbage(int fd, std::size_t count, bool noDigits) {
    std::uint64_t state = 0x9e3779b97f4a7c15U;
    return writeGenerated(fd, count, [&](char* out, std::size_t length) {
        for (std::size_t index = 0; index < length; ++index) {
            state ^= state << 13U;
            state ^= state >> 7U;
            state ^= state << 17U;
            auto byte = static_cast<unsigned char>(state >> 24U);
            if ((state & 3U) == 0 || (noDigits && byte >= '0' && byte <= '9')) {
                byte = 0;
            }
            out[index] = static_cast<char>(byte);
        }
    });
}

// Short words of the game and answers to its questions, none of which quits.
bool writeShortLines(int fd, std::size_t count) {
    constexpr std::array<std::string_view, 16> kWords = {
        "n\n", "e\n", "s\n",    "w\n",   "u\n",    "d\n",      "i\n",   "l\n",
        "h\n", "a\n", "take\n", "key\n", "drop\n", "statue\n", "eat\n", "what\n"};
    std::string block;
    for (std::size_t line = 0; line < count; ++line) {
        block += kWords[line % kWords.size()];
        if (block.size() >= 60'000 || line + 1 == count) {
            if (!writeText(fd, block)) {
                return false;
            }
            block.clear();
        }
    }
    return true;
}

// Where the game's standard streams lead, besides the pipes of the test.
enum class Input { Fed, Closed, Directory };
enum class Output { Pipe, FullDisk, GoneAfter100Bytes, SlowNonBlocking };

// How a game must end. The output must end with `outputEnd`, or be it exactly.
struct Outcome {
    int status = 0;
    // Killed by this signal instead, when not 0.
    int signal = 0;
    // Exactly what it writes on standard error.
    std::string_view errors;
    std::string_view outputEnd = "\n";
    bool wholeOutput = false;
};

constexpr std::string_view kTitleMenu =
    "Welcome to Vellumfall \n         by Quorrin! \n \n\n     0 - New Game\n     1 - Controls\n"
    "     2 - Options\n     3 - Quit Game \n\n>>";
constexpr std::string_view kField =
    "You are in a vast field. There is a white house to the North.\nThere is a Gearbox here\n>>";
constexpr std::string_view kHelp = "nswe, agd, h, lower case\n";
// The usage; only the autosave's folder differs between systems.
constexpr std::string_view kUsageStart =
    "Usage: vellumfall [--continue [FILE] | --help | --version]\n"
    "A small text adventure for the console. Run it without arguments to play: the title\n"
    "menu takes a number, and in the game you type one word and press Enter.\n"
    "\n"
    "  -c, --continue [FILE]  resume the saved game, or the one saved in FILE\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "\n"
    "On a terminal the game is saved after every line you type, in\n";
constexpr std::string_view kUsageEnd =
    "and quitting the game removes its save.\n"
    "\n"
    "Set NO_COLOR to play without colours. The exit status is 0 when you quit or the\n"
    "input ends, 1 when the input cannot be read, the output written or a save resumed,\n"
    "and 2 for a command line it does not know.\n";
const std::string kUsage = std::string(kUsageStart) +
                           "$XDG_STATE_HOME/vellumfall/vellumfall.save (by default under "
                           "~/.local/state/),\n" +
                           std::string(kUsageEnd);
const std::string kWindowsUsage = std::string(kUsageStart) +
                                  "%LOCALAPPDATA%\\vellumfall\\vellumfall.save,\n" +
                                  std::string(kUsageEnd);
constexpr std::string_view kBrokenPipe = "vellumfall: cannot write output: Broken pipe\n";

// The title menu twice (a failed choice shows it again), then Quit Game.
const std::string kMenuTwice = std::string(kTitleMenu) + std::string(kTitleMenu);

// The first turn, then a help and a turn for every "h" typed, then the end of input.
std::string helpAnswered(std::size_t requests) {
    std::string text = std::string(kTitleMenu) + std::string(kField);
    for (std::size_t request = 0; request < requests; ++request) {
        text += kHelp;
        text += kField;
    }
    return text + "\n";
}
const std::string kHelpAnswered = helpAnswered(kHelpRequests);

struct Case {
    std::string_view name;
    // What is typed, from the title menu on, with the sizes divided by `divisor`; nothing
    // when null.
    std::function<bool(int fd, std::size_t divisor)> feed;
    Input input = Input::Fed;
    Output output = Output::Pipe;
    // Given after the launcher's command.
    std::vector<const char*> arguments;
    // SIGHUP is ignored when the game starts, and sent once it has printed something.
    bool hangUpIgnored = false;
    // SIGPIPE is ignored when the game starts, as by Node, Python or a service manager.
    bool pipeSignalIgnored = false;
    Outcome outcome;
    // Where a launcher cannot but end otherwise: its name and its outcome.
    std::vector<std::pair<std::string_view, Outcome>> otherwise;

    // The hostile inputs, played long, as against the hostile environments, which end at
    // once.
    bool isLongInput() const { return feed && output == Output::Pipe && !hangUpIgnored; }

    const Outcome& outcomeFor(std::string_view launcher) const {
        for (const auto& [otherLauncher, other] : otherwise) {
            if (otherLauncher == launcher) {
                return other;
            }
        }
        return outcome;
    }
};

bool endlessMoves(int fd, std::size_t /*divisor*/) {
    while (writeText(fd, "n\ns\n")) {
    }
    return true;
}

// Node and wine cannot die of SIGPIPE (Node ignores it, Windows has none): the write fails.
const std::vector<std::pair<std::string_view, Outcome>> kWriteFailsInstead{
    {"node", Outcome{1, 0, kBrokenPipe, "", false}},
    {"wine", Outcome{1, 0, kBrokenPipe, "", false}}};

// The cases leave out what they do not change, which GCC 12 takes for a mistake.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
const std::array kCases{
    Case{"long-word-in-game",
         [](int fd, std::size_t divisor) {
             return writeText(fd, "0\n") && writeRepeated(fd, 'x', kLongWordBytes / divisor);
         }},
    Case{"long-word-at-menu",
         [](int fd, std::size_t divisor) {
             return writeRepeated(fd, 'x', kLongWordBytes / divisor);
         }},
    Case{"long-number-at-menu",
         [](int fd, std::size_t divisor) {
             return writeRepeated(fd, '7', kLongWordBytes / divisor);
         }},
    // No C++ library between the game and its input holds a digit run whole.
    Case{.name = "ten-million-digits-at-menu",
         .feed =
             [](int fd, std::size_t divisor) {
                 return writeRepeated(fd, '1', kDigits / divisor) && writeText(fd, "\n3\n");
             },
         .outcome = {.outputEnd = kMenuTwice, .wholeOutput = true}},
    Case{"million-lines-in-game",
         [](int fd, std::size_t divisor) {
             return writeText(fd, "0\n") && writeShortLines(fd, kShortLines / divisor);
         }},
    Case{"garbage-in-game",
         [](int fd, std::size_t divisor) {
             return writeText(fd, "0\n") && writeGarbage(fd, kGarbageBytes / divisor, false);
         }},
    Case{"garbage-at-menu",
         [](int fd, std::size_t divisor) {
             return writeGarbage(fd, kGarbageBytes / divisor, true);
         }},
    // Node opens a standard stream closed before it started on /dev/null.
    Case{.name = "stdin-closed",
         .input = Input::Closed,
         .outcome = {1, 0, "vellumfall: cannot read input: Bad file descriptor\n", ""},
         .otherwise = {{"node", Outcome{.outputEnd = ">>\n"}}}},
    Case{.name = "stdin-a-directory",
         .input = Input::Directory,
         .outcome = {1, 0, "vellumfall: cannot read input: Is a directory\n", ""}},
    Case{.name = "stdout-full-with-endless-input",
         .feed = endlessMoves,
         .output = Output::FullDisk,
         .outcome = {1, 0, "vellumfall: cannot write output: No space left on device\n", ""}},
    // As `vellumfall < moves | head -c 100`: a filter dies of SIGPIPE, silently.
    Case{.name = "reader-gone",
         .feed = endlessMoves,
         .output = Output::GoneAfter100Bytes,
         .outcome = {0, SIGPIPE, "", ""},
         .otherwise = kWriteFailsInstead},
    Case{.name = "reader-gone-with-sigpipe-ignored",
         .feed = endlessMoves,
         .output = Output::GoneAfter100Bytes,
         .pipeSignalIgnored = true,
         .outcome = {1, 0, kBrokenPipe, ""}},
    // A full pipe that refuses writes instead of waiting, and takes part of a write: every
    // byte must still arrive, once and in order.
    Case{.name = "slow-reader-of-a-non-blocking-pipe",
         .feed =
             [](int fd, std::size_t /*divisor*/) {
                 std::string typed = "0\n";
                 for (std::size_t request = 0; request < kHelpRequests; ++request) {
                     typed += "h\n";
                 }
                 return writeText(fd, typed);
             },
         .output = Output::SlowNonBlocking,
         .outcome = {.outputEnd = kHelpAnswered, .wholeOutput = true}},
    Case{.name = "sighup-ignored-at-start",
         .feed =
             [](int fd, std::size_t /*divisor*/) {
                 return writeText(fd, "0\n") && writeShortLines(fd, 1000);
             },
         .hangUpIgnored = true},
    Case{.name = "empty-argument",
         .input = Input::Closed,
         .arguments = {""},
         .outcome = {2, 0, "vellumfall: unknown argument ''; try 'vellumfall --help'\n", "", true}},
    Case{.name = "help-and-version",
         .input = Input::Closed,
         .arguments = {"--help", "--version"},
         .outcome = {0, 0, "", kUsage, true},
         .otherwise = {{"wine", {0, 0, "", kWindowsUsage, true}}}},
    Case{.name = "version-to-a-full-disk",
         .input = Input::Closed,
         .output = Output::FullDisk,
         .arguments = {"--version"},
         .outcome = {1, 0, "vellumfall: cannot write output: No space left on device\n", "", true}},
};
#pragma GCC diagnostic pop

const Case* findCase(std::string_view name) {
    for (const Case& known : kCases) {
        if (known.name == name) {
            return &known;
        }
    }
    return nullptr;
}

// In the forked child: the game's standard streams and signals as the case wants them,
// then the launcher's command with the case's arguments.
[[noreturn]] void startGame(const std::vector<const char*>& command, const Case& hostile, int input,
                            int output, int errors) {
    if (hostile.input == Input::Closed) {
        ::close(STDIN_FILENO);
    } else if (hostile.input == Input::Directory) {
        ::dup2(::open("/", O_RDONLY | O_DIRECTORY), STDIN_FILENO);
    } else {
        ::dup2(input, STDIN_FILENO);
    }
    if (hostile.output == Output::FullDisk) {
        ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO);
    } else {
        ::dup2(output, STDOUT_FILENO);
    }
    if (hostile.output == Output::SlowNonBlocking) {
        // The smallest pipe there is, refusing what does not fit instead of waiting.
        ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 4096);
        ::fcntl(STDOUT_FILENO, F_SETFL, ::fcntl(STDOUT_FILENO, F_GETFL) | O_NONBLOCK);
    }
    ::dup2(errors, STDERR_FILENO);
    // Whatever this program ignores, the game starts with the defaults, as from a shell.
    std::signal(SIGPIPE, hostile.pipeSignalIgnored ? SIG_IGN : SIG_DFL);
    if (hostile.hangUpIgnored) {
        std::signal(SIGHUP, SIG_IGN);
    }
    std::vector<const char*> argv = command;
    argv.insert(argv.end(), hostile.arguments.begin(), hostile.arguments.end());
    argv.push_back(nullptr);
    ::execvp(argv[0], const_cast<char* const*>(argv.data()));
    std::perror("exec");
    ::_exit(127);
}

struct Run {
    bool passed = false;
    long peakResidentKb = 0;
};

// What the game writes on one of its streams, read as it comes.
struct Stream {
    int fd;
    std::string kept;
    std::size_t bytes = 0;
    // All of it, or only the last part, which is enough to see how it ended.
    bool keepAll;

    void take(std::string_view piece) {
        bytes += piece.size();
        kept += piece;
        constexpr std::size_t kLastPart = 64 * 1024;
        if (!keepAll && kept.size() > kLastPart) {
            kept.erase(0, kept.size() - kLastPart);
        }
    }
};

// Reads the game's output and errors until both end or the time is up; false then, with
// the game killed. Follows the case's reader: one that goes away, or reads slowly.
bool readUntilTheEnd(const Case& hostile, pid_t child, Stream& output, Stream& errors,
                     std::chrono::steady_clock::duration timeLimit) {
    const auto start = std::chrono::steady_clock::now();
    std::array<char, 64 * 1024> buffer{};
    const std::size_t pieceSize = hostile.output == Output::SlowNonBlocking ? 512 : buffer.size();
    while (output.fd >= 0 || errors.fd >= 0) {
        const auto left = timeLimit - (std::chrono::steady_clock::now() - start);
        const auto leftMs = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
        if (leftMs <= 0) {
            ::kill(child, SIGKILL);
            return false;
        }
        std::array<pollfd, 2> ready{{{output.fd, POLLIN, 0}, {errors.fd, POLLIN, 0}}};
        if (::poll(ready.data(), ready.size(), static_cast<int>(leftMs)) < 0 && errno != EINTR) {
            std::perror("poll");
            return false;
        }
        for (std::size_t index = 0; index < ready.size(); ++index) {
            Stream& stream = index == 0 ? output : errors;
            if (ready[index].revents == 0 || stream.fd < 0) {
                continue;
            }
            const ssize_t got = ::read(stream.fd, buffer.data(), pieceSize);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                ::close(stream.fd);
                stream.fd = -1;
                continue;
            }
            if (output.bytes == 0 && errors.bytes == 0 && hostile.hangUpIgnored) {
                // The game has started and printed: a handler of its own would take it now.
                ::kill(child, SIGHUP);
            }
            stream.take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
            if (index == 0 && hostile.output == Output::GoneAfter100Bytes && output.bytes >= 100) {
                ::close(output.fd);
                output.fd = -1;
            }
            if (index == 0 && hostile.output == Output::SlowNonBlocking) {
                ::usleep(200);
            }
        }
    }
    return true;
}

std::string describe(int status) {
    if (WIFSIGNALED(status)) {
        return std::string("killed by SIG") + sigabbrev_np(WTERMSIG(status));
    }
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

// Plays the case once, with its input's sizes divided by `divisor`, and checks how the
// game ended.
Run play(const std::vector<const char*>& command, std::string_view launcher, const Case& hostile,
         std::size_t divisor) {
    const auto timeLimit = hostile.isLongInput() ? kTimeLimit : kEnvironmentTimeLimit;
    std::array<int, 2> input{};
    std::array<int, 2> output{};
    std::array<int, 2> errors{};
    if (::pipe2(input.data(), O_CLOEXEC) != 0 || ::pipe2(output.data(), O_CLOEXEC) != 0 ||
        ::pipe2(errors.data(), O_CLOEXEC) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    const Outcome& expected = hostile.outcomeFor(launcher);
    Stream gameOutput{output[0], {}, 0, expected.wholeOutput};
    Stream gameErrors{errors[0], {}, 0, true};
    // Forked before anything big is allocated here: what the child holds until exec counts
    // in its peak resident size.
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (child == 0) {
        startGame(command, hostile, input[0], output[1], errors[1]);
    }
    ::close(input[0]);
    ::close(output[1]);
    ::close(errors[1]);

    const auto start = std::chrono::steady_clock::now();
    bool allWritten = false;
    std::thread feeder([&] {
        allWritten = !hostile.feed || hostile.feed(input[1], divisor);
        ::close(input[1]);
    });
    const bool ended = readUntilTheEnd(hostile, child, gameOutput, gameErrors, timeLimit);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The endless feeder stops when the game has gone and its pipe with it.
    feeder.join();

    std::cout << hostile.name << (divisor > 1 ? " (a quarter)" : "") << ": " << gameOutput.bytes
              << " bytes printed, " << usage.ru_maxrss << " kB resident at most, " << seconds
              << " s\n";
    Run run{true, usage.ru_maxrss};
    const auto fail = [&run](const auto&... what) {
        std::cout << "FAIL: ";
        (std::cout << ... << what) << '\n';
        run.passed = false;
    };
    const bool signalled = WIFSIGNALED(status);
    if (!ended) {
        fail("still running after ",
             std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count(), " s");
    } else if (signalled ? WTERMSIG(status) != expected.signal
                         : expected.signal != 0 || WEXITSTATUS(status) != expected.status) {
        fail(describe(status), ", not as expected");
    }
    if (run.passed && !allWritten && expected.status == 0 && expected.signal == 0) {
        fail("the game stopped reading before the end of its input");
    }
    if (gameErrors.kept != expected.errors) {
        fail("standard error was \"", gameErrors.kept, "\", not \"", expected.errors, "\"");
    }
    const std::string_view shown = gameOutput.kept;
    if (expected.wholeOutput ? shown != expected.outputEnd : !shown.ends_with(expected.outputEnd)) {
        fail("the output ", expected.wholeOutput ? "is not" : "does not end with", " \"",
             expected.outputEnd.substr(0, 200), "\"; it ends with \"",
             shown.substr(shown.size() > 200 ? shown.size() - 200 : 0), "\"");
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const Case* found = argc >= 6 ? findCase(argv[1]) : nullptr;
    if (found == nullptr) {
        std::cerr << "usage: hostile_input CASE LAUNCHER MAX_RESIDENT_KB MAX_GROWTH_KB COMMAND "
                     "[ARGUMENT...]\n";
        return 2;
    }
    const Case& hostile = *found;
    const std::string_view launcher = argv[2];
    const long maxResidentKb = std::strtol(argv[3], nullptr, 10);
    const long maxGrowthKb = std::strtol(argv[4], nullptr, 10);
    const std::vector<const char*> command(argv + 5, argv + argc);
    // A game that stops reading early must fail its check, not kill the feeder.
    std::signal(SIGPIPE, SIG_IGN);

    const Run full = play(command, launcher, hostile, 1);
    bool passed = full.passed;
    if (full.peakResidentKb > maxResidentKb) {
        std::cout << "FAIL: " << full.peakResidentKb << " kB resident, more than " << maxResidentKb
                  << " kB\n";
        passed = false;
    }
    if (passed && hostile.isLongInput()) {
        // A runtime's garbage collector moves its peak by a few MB from one run to the next,
        // while memory held per byte or per turn grows in every run: a growth over the bound
        // is measured again, and the lowest peak of each size counts.
        long fullKb = full.peakResidentKb;
        long quarterKb = std::numeric_limits<long>::max();
        for (int round = 1; passed && round <= kGrowthRounds; ++round) {
            if (round > 1) {
                const Run again = play(command, launcher, hostile, 1);
                passed = again.passed;
                fullKb = std::min(fullKb, again.peakResidentKb);
            }
            const Run quarter = play(command, launcher, hostile, 4);
            if (!quarter.passed) {
                std::cout << "FAIL: a quarter of the input failed\n";
                passed = false;
                break;
            }
            quarterKb = std::min(quarterKb, quarter.peakResidentKb);
            std::cout << "growth from a quarter of the input to all of it: " << fullKb - quarterKb
                      << " kB (limit " << maxGrowthKb << " kB)\n";
            if (fullKb - quarterKb <= maxGrowthKb) {
                break;
            }
            if (round == kGrowthRounds) {
                std::cout << "FAIL: the game holds memory that grows with its input\n";
                passed = false;
            }
        }
    }
    return passed ? 0 : 1;
}
