#pragma once

#include <ctime>
#include <streambuf>

// What every fuzz target plays the game with.

// Output is thrown away unseen; the sanitizers watch how it is made, not what it says.
class DiscardingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type character) override { return traits_type::not_eof(character); }
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
};

// Zombies scatter from the clock; a fixed one makes every run of an input the same.
inline std::time_t fixedClock() {
    return 1'000'000;
}
