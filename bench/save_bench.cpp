// What saving costs: writing the save of a 3,000-turn game to the disk as a terminal game
// does after every line (the whole file, flushed, renamed into place), and resuming that
// save, which replays the 3,000 turns.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "app/Program.h"
#include "app/SaveFiles.h"
#include "app/SaveFormat.h"
#include "console/SilentConsole.h"
#include "platform/posix/PosixSaveFiles.h"

namespace {

constexpr int kTurns = 3000;

std::time_t fixedClock() {
    return 1'000'000;
}

class MemoryFiles final : public SaveFiles {
public:
    std::optional<std::string> autosavePath() override { return "save"; }
    std::string autosaveDescription() override { return "memory"; }
    std::optional<std::string> read(const std::string& /*path*/, std::size_t /*limit*/) override {
        return saved;
    }
    void replace(const std::string& /*path*/, const std::string& text) override { saved = text; }
    void remove(const std::string& /*path*/) override { saved.reset(); }
    std::optional<std::string> saved;
};

// The save of a game that has played the tour for kTurns turns.
const std::string& longSave() {
    static const std::string save = [] {
        std::ifstream file(VELLUMFALL_TOUR_FILE);
        const std::string tour{std::istreambuf_iterator<char>(file), {}};
        std::string typed = "0\n";
        while (static_cast<int>(std::count(typed.begin(), typed.end(), '\n')) < kTurns) {
            typed += tour;
        }
        std::istringstream in(typed);
        std::ostringstream out;
        std::ostringstream errors;
        SilentConsole console;
        MemoryFiles files;
        ProgramOptions options;
        options.clock = fixedClock;
        options.autosave.emplace(Session::Autosave{files, "save", errors, false});
        runProgram(in, out, errors, console, std::move(options));
        return files.saved.value_or("");
    }();
    return save;
}

void BM_SaveATurnAtTurn3000(benchmark::State& state) {
    const SaveRecord record = parseSave(longSave());
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vellumfall-bench-" + std::to_string(::getpid()));
    const std::string path = (folder / "vellumfall.save").string();
    PosixSaveFiles files;
    for (auto _ : state) {
        files.replace(path, formatSave(record));
    }
    std::filesystem::remove_all(folder);
    state.counters["save_bytes"] = static_cast<double>(longSave().size());
}
BENCHMARK(BM_SaveATurnAtTurn3000)->Unit(benchmark::kMicrosecond);

void BM_ResumeA3000TurnSave(benchmark::State& state) {
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream errors;
        SilentConsole console;
        ProgramOptions options;
        options.clock = fixedClock;
        options.resume = parseSave(longSave());
        if (runProgram(in, out, errors, console, std::move(options)) != 0) {
            state.SkipWithError("the save did not resume");
            return;
        }
    }
}
BENCHMARK(BM_ResumeA3000TurnSave)->Unit(benchmark::kMillisecond);

}  // namespace
