// One whole session, title menu and game, played from the fuzz input: the input is what
// the player types, and its end ends the session exactly as it ends the process. The same
// session is then played twice more, once with reading and once with writing failing
// part-way.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

#include "FuzzSession.h"
#include "app/Program.h"
#include "console/SilentConsole.h"
#include "support/FailingStreams.h"

namespace {

// Where the failing runs give out: anywhere in the input, and anywhere in an output of
// the size such an input makes. Taken from the input itself, so a finding replays.
struct FailurePoints {
    std::size_t readsFailAfter;
    std::size_t readPieceSize;
    std::size_t writesFailAfter;
};

FailurePoints failurePointsFor(const std::string& typed) {
    const std::size_t seed = std::hash<std::string>{}(typed);
    return {seed % (typed.size() + 1), 1 + (seed >> 8U) % 7,
            (seed >> 16U) % (16 * typed.size() + 64)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    DiscardingBuffer discard;
    std::ostream out(&discard);
    std::ostream errors(&discard);
    SilentConsole console;

    // Every session ends with status 0, whether the player quits or the input runs out.
    std::istringstream in(typed);
    if (runProgram(in, out, errors, console, fixedClock) != 0) {
        __builtin_trap();
    }

    // Reading or writing that fails part-way ends the session with status 1, and only then.
    const FailurePoints points = failurePointsFor(typed);
    FailingInput failingInput(typed, points.readsFailAfter, points.readPieceSize);
    std::istream failingIn(&failingInput);
    out.clear();
    if (runProgram(failingIn, out, errors, console, fixedClock) !=
        (failingInput.failed() ? 1 : 0)) {
        __builtin_trap();
    }
    FailingOutput failingOutput(points.writesFailAfter);
    std::ostream failingOut(&failingOutput);
    std::istringstream inAgain(typed);
    if (runProgram(inAgain, failingOut, errors, console, fixedClock) !=
        (failingOutput.failed() ? 1 : 0)) {
        __builtin_trap();
    }
    return 0;
}
