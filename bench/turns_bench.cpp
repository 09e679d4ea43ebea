// Turns per second and heap allocations per turn of a long session played in-process:
// the game reads a tour of the fields over and over (walking, fighting the centipede,
// taking and eating the berry, the inventory, looking, help, a declined quit) and writes
// into a buffer that is thrown away. Each benchmark iteration is one turn.
//
// The global operator new is replaced (AllocationCounter.cpp), so the allocations the game
// makes while it plays are counted exactly and reported as allocs_per_turn.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <ctime>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>

#include "AllocationCounter.h"
#include "console/Io.h"
#include "console/SilentConsole.h"
#include "game/World.h"

namespace {

// Plays the same words for ever: when the reader reaches the end of the script, the
// buffer is pointed at its start again, without copying or allocating.
class LoopingScript final : public std::streambuf {
public:
    explicit LoopingScript(std::string words) : script(std::move(words)) { rewind(); }

protected:
    int_type underflow() override {
        rewind();
        return traits_type::to_int_type(*gptr());
    }

private:
    void rewind() { setg(script.data(), script.data(), script.data() + script.size()); }

    std::string script;
};

// Takes the output into a small buffer, as a file stream would, and drops it when full
// or flushed. It keeps count of the bytes, for the bytes_per_turn figure.
class DiscardingBuffer final : public std::streambuf {
public:
    DiscardingBuffer() { reset(); }

    std::size_t bytesWritten() const { return bytes + static_cast<std::size_t>(pptr() - pbase()); }

protected:
    int_type overflow(int_type character) override {
        reset();
        if (!traits_type::eq_int_type(character, traits_type::eof())) {
            sputc(traits_type::to_char_type(character));
        }
        return traits_type::not_eof(character);
    }
    int sync() override {
        reset();
        return 0;
    }

private:
    void reset() {
        bytes += static_cast<std::size_t>(pptr() - pbase());
        setp(buffer.data(), buffer.data() + buffer.size());
    }

    std::array<char, 4096> buffer{};
    std::size_t bytes = 0;
};

std::time_t fixedClock() {
    return 1'000'000;
}

std::string readTour() {
    std::ifstream file(VELLUMFALL_TOUR_FILE);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (const char character : text) {
        lines += character == '\n' ? 1 : 0;
    }
    return lines;
}

void playTurn(World& world) {
    const Player& player = world.player;
    world.showLocation(player.getX(), player.getY(), player.getZ());
}

// One turn per line of `script`, which must bring the player back to where it started.
void playScript(benchmark::State& state, const std::string& script) {
    const std::size_t turnsPerRound = countLines(script);
    if (turnsPerRound == 0) {
        state.SkipWithError("the tour is empty (VELLUMFALL_TOUR_FILE)");
        return;
    }
    LoopingScript input(script);
    DiscardingBuffer output;
    std::istream in(&input);
    std::ostream out(&output);
    SilentConsole console;
    Io io{in, out, console};
    World world(io, fixedClock);

    // Warm-up: the first rounds fill the inventory and size every buffer once.
    for (std::size_t turn = 0; turn < 3 * turnsPerRound; ++turn) {
        playTurn(world);
    }
    const Player& player = world.player;
    if (player.getX() != 0 || player.getY() != 0 || player.getZ() != 0) {
        state.SkipWithError("the tour does not bring the player back to the start");
        return;
    }

    const std::size_t allocationsBefore = allocationCount();
    const std::size_t bytesBefore = output.bytesWritten();
    for (auto _ : state) {
        playTurn(world);
    }
    // Read both counts before the counters below allocate their own map entries.
    const std::size_t allocations = allocationCount() - allocationsBefore;
    const std::size_t bytes = output.bytesWritten() - bytesBefore;
    const auto turns = static_cast<double>(state.iterations());
    state.counters["turns_per_second"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
    state.counters["allocs_per_turn"] = static_cast<double>(allocations) / turns;
    state.counters["bytes_per_turn"] = static_cast<double>(bytes) / turns;
}

// The tour of bench/tour.txt: every command a short word.
void BM_Tour(benchmark::State& state) {
    static const std::string tour = readTour();
    playScript(state, tour);
}
BENCHMARK(BM_Tour);

// Unknown words of 20 letters, longer than a std::string keeps without the heap: the
// price of a word that is not one of the game's.
void BM_LongUnknownWords(benchmark::State& state) {
    playScript(state, "northnorthnorthnorth\n");
}
BENCHMARK(BM_LongUnknownWords);

}  // namespace

BENCHMARK_MAIN();
