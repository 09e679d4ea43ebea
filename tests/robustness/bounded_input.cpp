// Feeds the built game one kind of hostile input through a pipe, made on the fly, and
// checks that it reaches the end of it and exits with status 0, in bounded time and with
// bounded resident memory. Each input is played twice, a quarter of it and all of it, and
// the peak may grow only a little from one to the other: memory held for every turn or
// every byte grows with the input, while what a sanitizer keeps for itself does not, and
// a bound on growth does not flake with the machine's load. A few cases put the game in a hostile
// environment instead (its input closed or a directory, its output a full disk, SIGHUP ignored by
// whoever started it) and check that it ends at once with the status and the one line on standard
// error that such an end calls for.
//
// Usage: bounded_input GAME CASE MAX_RESIDENT_KB MAX_GROWTH_KB
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
#include <string>
#include <string_view>
#include <thread>

namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;
constexpr std::size_t kLongWordBytes = 100 * kMebibyte;
constexpr std::size_t kGarbageBytes = 16 * kMebibyte;
constexpr std::size_t kShortLines = 1'000'000;
// Far more than any of these inputs needs; past it the game is taken to hang.
constexpr auto kTimeLimit = std::chrono::seconds(60);
// The hostile environments end the game at its first read or write.
constexpr auto kEnvironmentTimeLimit = std::chrono::seconds(5);

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
enum class Output { Pipe, FullDisk };

struct Case {
    std::string_view name;
    // What is typed, from the title menu on, with the sizes divided by `divisor`; nothing
    // when null.
    std::function<bool(int fd, std::size_t divisor)> feed;
    Input input = Input::Fed;
    Output output = Output::Pipe;
    // SIGHUP is ignored when the game starts, and sent once it has printed something.
    bool hangUpIgnored = false;
    int expectedStatus = 0;
    // How the output must end: with the line end of the end of input, or with the one line
    // that names the failure (standard error goes into the same pipe).
    std::string_view expectedEnd = "\n";

    // The hostile inputs, played long, as against the hostile environments, which end at
    // once.
    bool isLongInput() const { return feed && output == Output::Pipe && !hangUpIgnored; }
};

bool endlessMoves(int fd, std::size_t /*divisor*/) {
    while (writeText(fd, "n\ns\n")) {
    }
    return true;
}

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
    Case{"stdin-closed", nullptr, Input::Closed, Output::Pipe, false, 1,
         "vellumfall: cannot read input: Bad file descriptor\n"},
    Case{"stdin-a-directory", nullptr, Input::Directory, Output::Pipe, false, 1,
         "vellumfall: cannot read input: Is a directory\n"},
    Case{"stdout-full-with-endless-input", endlessMoves, Input::Fed, Output::FullDisk, false, 1,
         "vellumfall: cannot write output: No space left on device\n"},
    Case{"sighup-ignored-at-start",
         [](int fd, std::size_t /*divisor*/) {
             return writeText(fd, "0\n") && writeShortLines(fd, 1000);
         },
         Input::Fed, Output::Pipe, true},
};

const Case* findCase(std::string_view name) {
    for (const Case& known : kCases) {
        if (known.name == name) {
            return &known;
        }
    }
    return nullptr;
}

// In the forked child: the game's standard streams as the case wants them, then the game.
[[noreturn]] void startGame(const char* game, const Case& hostile, int input, int output) {
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
    ::dup2(output, STDERR_FILENO);
    if (hostile.hangUpIgnored) {
        std::signal(SIGHUP, SIG_IGN);
    }
    ::execl(game, game, static_cast<char*>(nullptr));
    std::perror("exec");
    ::_exit(127);
}

struct Run {
    bool passed = false;
    long peakResidentKb = 0;
};

// Plays the case once, with its input's sizes divided by `divisor`, and checks how the
// game ended.
Run play(const char* game, const Case& hostile, std::size_t divisor) {
    const auto timeLimit = hostile.isLongInput() ? kTimeLimit : kEnvironmentTimeLimit;
    std::array<int, 2> input{};
    std::array<int, 2> output{};
    if (::pipe2(input.data(), O_CLOEXEC) != 0 || ::pipe2(output.data(), O_CLOEXEC) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    // Forked before anything big is allocated here: what the child holds until exec counts
    // in its peak resident size.
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (child == 0) {
        startGame(game, hostile, input[0], output[1]);
    }
    ::close(input[0]);
    ::close(output[1]);

    const auto start = std::chrono::steady_clock::now();
    bool allWritten = false;
    std::thread feeder([&] {
        allWritten = !hostile.feed || hostile.feed(input[1], divisor);
        ::close(input[1]);
    });

    std::string lastOutput;
    std::size_t outputBytes = 0;
    bool timedOut = false;
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        pollfd ready{output[0], POLLIN, 0};
        const auto left = timeLimit - (std::chrono::steady_clock::now() - start);
        const auto leftMs = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
        if (leftMs <= 0) {
            timedOut = true;
            ::kill(child, SIGKILL);
            break;
        }
        if (::poll(&ready, 1, static_cast<int>(leftMs)) < 0 && errno != EINTR) {
            std::perror("poll");
            break;
        }
        if (ready.revents == 0) {
            continue;
        }
        const ssize_t got = ::read(output[0], buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        if (outputBytes == 0 && hostile.hangUpIgnored) {
            // The game has started and printed: a handler of its own would take it now.
            ::kill(child, SIGHUP);
        }
        outputBytes += static_cast<std::size_t>(got);
        lastOutput.append(buffer.data(), static_cast<std::size_t>(got));
        if (lastOutput.size() > buffer.size()) {
            lastOutput.erase(0, lastOutput.size() - buffer.size());
        }
    }

    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The endless feeder stops when the game has gone and its pipe with it.
    feeder.join();
    ::close(output[0]);

    std::cout << hostile.name << (divisor > 1 ? " (a quarter)" : "") << ": " << outputBytes
              << " bytes printed, " << usage.ru_maxrss << " kB resident at most, " << seconds
              << " s\n";

    Run run{true, usage.ru_maxrss};
    if (timedOut) {
        std::cout << "FAIL: still running after "
                  << std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count() << " s\n";
        run.passed = false;
    } else if (WIFSIGNALED(status)) {
        std::cout << "FAIL: killed by signal " << WTERMSIG(status) << '\n';
        run.passed = false;
    } else if (WEXITSTATUS(status) != hostile.expectedStatus) {
        std::cout << "FAIL: exit status " << WEXITSTATUS(status) << ", not "
                  << hostile.expectedStatus << '\n';
        run.passed = false;
    }
    if (run.passed && !allWritten) {
        std::cout << "FAIL: the game stopped reading before the end of its input\n";
        run.passed = false;
    }
    if (run.passed && !std::string_view(lastOutput).ends_with(hostile.expectedEnd)) {
        std::cout << "FAIL: the output does not end with \""
                  << (hostile.expectedEnd == "\n" ? "\\n" : hostile.expectedEnd) << "\"\n";
        run.passed = false;
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const Case* found = argc == 5 ? findCase(argv[2]) : nullptr;
    if (found == nullptr) {
        std::cerr << "usage: bounded_input GAME CASE MAX_RESIDENT_KB MAX_GROWTH_KB\n";
        return 2;
    }
    const Case& hostile = *found;
    const char* game = argv[1];
    const long maxResidentKb = std::strtol(argv[3], nullptr, 10);
    const long maxGrowthKb = std::strtol(argv[4], nullptr, 10);
    // A game that stops reading early must fail its check, not kill the feeder.
    std::signal(SIGPIPE, SIG_IGN);

    const Run full = play(game, hostile, 1);
    bool passed = full.passed;
    if (full.peakResidentKb > maxResidentKb) {
        std::cout << "FAIL: " << full.peakResidentKb << " kB resident, more than " << maxResidentKb
                  << " kB\n";
        passed = false;
    }
    if (passed && hostile.isLongInput()) {
        const Run quarter = play(game, hostile, 4);
        const long growthKb = full.peakResidentKb - quarter.peakResidentKb;
        std::cout << "growth from a quarter of the input to all of it: " << growthKb
                  << " kB (limit " << maxGrowthKb << " kB)\n";
        if (!quarter.passed || growthKb > maxGrowthKb) {
            std::cout << (quarter.passed ? "FAIL: the game holds memory that grows with its input\n"
                                         : "FAIL: a quarter of the input failed\n");
            passed = false;
        }
    }
    return passed ? 0 : 1;
}
