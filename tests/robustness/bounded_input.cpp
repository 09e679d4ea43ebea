// Feeds the built game one kind of hostile input through a pipe, made on the fly, and
// checks that it reaches the end of it and exits with status 0, in bounded time and with
// bounded resident memory.
//
// Usage: bounded_input GAME CASE MAX_RESIDENT_KB
// Prints one line of figures and exits 0 when the game passed, 1 when it did not.

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

// Each case: what is typed, from the title menu on.
bool feedCase(std::string_view name, int fd) {
    if (name == "long-word-in-game") {
        return writeText(fd, "0\n") && writeRepeated(fd, 'x', kLongWordBytes);
    }
    if (name == "long-word-at-menu") {
        return writeRepeated(fd, 'x', kLongWordBytes);
    }
    if (name == "long-number-at-menu") {
        return writeRepeated(fd, '7', kLongWordBytes);
    }
    if (name == "million-lines-in-game") {
        return writeText(fd, "0\n") && writeShortLines(fd, kShortLines);
    }
    if (name == "garbage-in-game") {
        return writeText(fd, "0\n") && writeGarbage(fd, kGarbageBytes, false);
    }
    if (name == "garbage-at-menu") {
        return writeGarbage(fd, kGarbageBytes, true);
    }
    std::cerr << "unknown case " << name << '\n';
    std::exit(2);
}

bool isKnownCase(std::string_view name) {
    return name == "long-word-in-game" || name == "long-word-at-menu" ||
           name == "long-number-at-menu" || name == "million-lines-in-game" ||
           name == "garbage-in-game" || name == "garbage-at-menu";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || !isKnownCase(argv[2])) {
        std::cerr << "usage: bounded_input GAME CASE MAX_RESIDENT_KB\n";
        return 2;
    }
    const char* game = argv[1];
    const std::string_view caseName = argv[2];
    const long maxResidentKb = std::strtol(argv[3], nullptr, 10);
    // A game that stops reading early must fail its check, not kill the feeder.
    std::signal(SIGPIPE, SIG_IGN);

    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
        std::perror("pipe");
        return 2;
    }
    // Forked before anything big is allocated here: what the child holds until exec counts
    // in its peak resident size.
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        ::dup2(input[0], STDIN_FILENO);
        ::dup2(output[1], STDOUT_FILENO);
        ::execl(game, game, static_cast<char*>(nullptr));
        std::perror("exec");
        ::_exit(127);
    }
    ::close(input[0]);
    ::close(output[1]);

    const auto start = std::chrono::steady_clock::now();
    bool allWritten = false;
    std::thread feeder([&] {
        allWritten = feedCase(caseName, input[1]);
        ::close(input[1]);
    });

    std::size_t outputBytes = 0;
    char lastOutput = 0;
    bool timedOut = false;
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        pollfd ready{output[0], POLLIN, 0};
        const auto left = kTimeLimit - (std::chrono::steady_clock::now() - start);
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
        outputBytes += static_cast<std::size_t>(got);
        lastOutput = buffer[static_cast<std::size_t>(got) - 1];
    }

    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    feeder.join();
    ::close(output[0]);

    std::cout << caseName << ": " << outputBytes << " bytes printed, " << usage.ru_maxrss
              << " kB resident at most (limit " << maxResidentKb << " kB), " << seconds << " s\n";

    bool passed = true;
    if (timedOut) {
        std::cout << "FAIL: still running after " << kTimeLimit.count() << " s\n";
        passed = false;
    } else if (WIFSIGNALED(status)) {
        std::cout << "FAIL: killed by signal " << WTERMSIG(status) << '\n';
        passed = false;
    } else if (WEXITSTATUS(status) != 0) {
        std::cout << "FAIL: exit status " << WEXITSTATUS(status) << ", not 0\n";
        passed = false;
    }
    if (passed && !allWritten) {
        std::cout << "FAIL: the game stopped reading before the end of its input\n";
        passed = false;
    }
    // The end of input is answered with one line end, after everything else.
    if (passed && lastOutput != '\n') {
        std::cout << "FAIL: the output does not end with the line end of the end of input\n";
        passed = false;
    }
    if (usage.ru_maxrss > maxResidentKb) {
        std::cout << "FAIL: " << usage.ru_maxrss << " kB resident, more than " << maxResidentKb
                  << " kB\n";
        passed = false;
    }
    return passed ? 0 : 1;
}
