#include <emscripten/emscripten.h>

#include <ctime>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "console/WordWrapper.h"
#include "platform/web/HostConsole.h"
#include "platform/web/HostStreams.h"

// The module has no main: the host calls these, and may call playGame again for a new
// game, since a session leaves nothing behind.

namespace {

// The bits of playGame's `terminal`, the same in web/page.js and web/npm/vellumfall.js.
constexpr int kInputIsTerminal = 1;
constexpr int kOutputIsTerminal = 2;
constexpr int kEscapes = 4;
constexpr int kColours = 8;
// The host's terminal has a width (host::columns) to wrap the text at; the page has none,
// and wraps the text itself.
constexpr int kWrapped = 16;

HostTerminal decode(int bits) {
    return {.inputIsTerminal = (bits & kInputIsTerminal) != 0,
            .outputIsTerminal = (bits & kOutputIsTerminal) != 0,
            .escapes = (bits & kEscapes) != 0,
            .colours = (bits & kColours) != 0};
}

// The page hands the game its seed, so that a game replayed from the page's save meets its
// zombies where they were. Without one, the clock is the system's, as on every platform.
std::optional<std::time_t> chosenSeed;

std::time_t seededClock() {
    return *chosenSeed;
}

}  // namespace

// From now on, every game's clock reads `seed`.
extern "C" EMSCRIPTEN_KEEPALIVE void useSeed(int seed) {
    chosenSeed = seed;
}

// `arguments` holds `count` arguments, each followed by a NUL; an empty one is an
// argument too. Returns the exit status when they ask for something other than a game,
// else -1.
extern "C" EMSCRIPTEN_KEEPALIVE int runCommandLine(int count, const char* arguments) {
    std::vector<const char*> list;
    for (int index = 0; index < count; ++index) {
        list.push_back(arguments);
        arguments += std::string_view(arguments).size() + 1;
    }
    HostOutput output(host::Stream::Output);
    HostOutput errorOutput(host::Stream::Errors);
    std::ostream out(&output);
    std::ostream errors(&errorOutput);
    const auto status = handleCommandLine(std::span<const char* const>(list), out, errors);
    out.flush();
    errors.flush();
    return status.value_or(-1);
}

// Plays one session and returns its exit status.
extern "C" EMSCRIPTEN_KEEPALIVE int playGame(int terminal) {
    WordWrapper screen(host::columns);
    WordWrapper* wrapping = (terminal & kWrapped) != 0 ? &screen : nullptr;
    HostInput input((terminal & kInputIsTerminal) != 0 ? wrapping : nullptr);
    HostOutput output(host::Stream::Output, wrapping);
    HostOutput errorOutput(host::Stream::Errors);
    std::istream in(&input);
    std::ostream out(&output);
    std::ostream errors(&errorOutput);
    HostConsole console(out, decode(terminal));
    return runProgram(in, out, errors, console, chosenSeed ? seededClock : systemClock);
}
