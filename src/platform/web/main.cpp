#include <emscripten/emscripten.h>

#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/FrontEnd.h"
#include "app/SaveFormat.h"
#include "platform/web/HostCalls.h"
#include "platform/web/HostConsole.h"
#include "platform/web/HostSaveFiles.h"
#include "platform/web/HostStreams.h"

// The module has no main: the host calls `run`, and may call it again for a new game, since
// a session leaves nothing behind.

namespace {

// The game on the JavaScript host the module was given: the page, or Node's terminal.
class WebFrontEnd final : public FrontEnd {
public:
    std::streambuf& plainOutput() override { return plainOut; }
    std::streambuf& errorOutput() override { return errors; }
    SaveFiles& saveFiles() override { return files; }

    TerminalFacts terminalFacts() override {
        return {.inputIsTerminal = host::isTerminal(0),
                .outputIsTerminal = host::isTerminal(1),
                .term = host::environment("TERM"),
                .noColor = host::environment("NO_COLOR"),
                .takesEscapes = host::showsEffects() ? std::optional<bool>(true) : std::nullopt};
    }

    std::size_t width() override { return host::columns(); }

    GameParts openGame(const TerminalPolicy& policy, WordWrapper* screen) override {
        input.emplace(policy.inputEchoed ? screen : nullptr, policy.lineEditing);
        output.emplace(host::Stream::Output, screen);
        gameIn.emplace(&*input);
        gameOut.emplace(&*output);
        console.emplace(*gameOut, policy);
        return {*gameIn, *gameOut, *console};
    }

private:
    HostOutput plainOut{host::Stream::Output};
    HostOutput errors{host::Stream::Errors};
    HostSaveFiles files;
    std::optional<HostInput> input;
    std::optional<HostOutput> output;
    std::optional<std::istream> gameIn;
    std::optional<std::ostream> gameOut;
    std::optional<HostConsole> console;
};

}  // namespace

// The program, as a command runs it: `arguments` holds `count` arguments, each followed by
// a NUL (an empty one is an argument too). Returns the exit status, after the game when the
// arguments ask for one.
extern "C" EMSCRIPTEN_KEEPALIVE int run(int count, const char* arguments) {
    std::vector<const char*> list;
    for (int index = 0; index < count; ++index) {
        list.push_back(arguments);
        arguments += std::string_view(arguments).size() + 1;
    }
    WebFrontEnd frontEnd;
    return runFrontEnd(frontEnd, std::span<const char* const>(list));
}

// The saved game without the last line the player entered (the page's Undo): replayed
// silently, then played on from the screen it reaches. Returns the exit status.
extern "C" EMSCRIPTEN_KEEPALIVE int undo() {
    WebFrontEnd frontEnd;
    return runFrontEnd(frontEnd, {}, true);
}

// Why the save `file` of `size` bytes cannot be used, or "" when it can, before a page
// imports it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* checkSave(const char* file, int size) {
    static std::string problem;
    try {
        parseSave(std::string_view(file, static_cast<std::size_t>(size)));
        problem.clear();
    } catch (const SaveUnreadable& unreadable) {
        problem = unreadable.what();
    }
    return problem.c_str();
}
