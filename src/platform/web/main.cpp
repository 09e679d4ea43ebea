#include <emscripten/emscripten.h>

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/FrontEnd.h"
#include "app/SaveFormat.h"
#include "console/TerminalConsole.h"
#include "console/TerminalSignals.h"
#include "console/WordWrapper.h"
#include "platform/web/HostCalls.h"
#include "platform/web/HostKeyboard.h"
#include "platform/web/HostSaveFiles.h"
#include "platform/web/HostStreams.h"
#include "platform/web/HostTerminal.h"
#include "platform/web/KeyboardInput.h"
#include "platform/web/PageTerminal.h"

// The module has no main: the host calls `run`, and may call it again for a new game, since
// a session leaves nothing behind.

namespace {

// The signals a terminal host catches. Of the stop signals only the key's: the system sends
// SIGTTIN and SIGTTOU to a process that touches its terminal from the background, and Node,
// catching them, would try the same call again at once, for ever; at their default they stop
// the whole job, as they stop any program.
void watchSignals() {
    std::string deadly;
    for (const TerminalSignal& signal : kDeadlySignals) {
        deadly.append(signal.name).append(" ");
    }
    host::watchSignals(deadly, kStopKeySignal.name);
}

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
                .takesEscapes = showsEffects ? std::optional<bool>(true) : std::nullopt};
    }

    std::size_t width() override { return host::columns(); }

    GameParts openGame(const TerminalPolicy& policy, WordWrapper* screen) override {
        output.emplace(host::Stream::Output, screen);
        gameOut.emplace(&*output);
        if (showsEffects) {
            input = std::make_unique<HostInput>(policy.inputEchoed ? screen : nullptr,
                                                policy.lineEditing);
            terminal = std::make_unique<PageTerminal>(*gameOut);
        } else {
            watchSignals();
            if (policy.lineEditing && screen != nullptr) {
                input = std::make_unique<EditedKeyboardInput>(keyboard, *screen);
                // The editor has the keyboard for the whole game. Taken before anything is
                // shown: a game started in the background stops here until it is brought to
                // the foreground, as the native one does when its editor starts.
                keyboard.setRaw(true);
                keyboard.settle();
            } else {
                input = std::make_unique<KeyboardInput>(keyboard,
                                                        policy.inputEchoed ? screen : nullptr);
            }
            terminal = std::make_unique<HostTerminal>(*gameOut, keyboard);
        }
        gameIn.emplace(input.get());
        console.emplace(*gameOut, *terminal, policy);
        return {*gameIn, *gameOut, *console};
    }

private:
    // A page shows the effects and reads whole lines itself; a terminal host (Node) only
    // moves bytes.
    bool showsEffects = host::showsEffects();
    HostOutput plainOut{host::Stream::Output};
    HostOutput errors{host::Stream::Errors};
    HostSaveFiles files;
    HostKeyboard keyboard;
    std::optional<HostOutput> output;
    std::unique_ptr<std::streambuf> input;
    std::optional<std::istream> gameIn;
    std::optional<std::ostream> gameOut;
    std::unique_ptr<Terminal> terminal;
    std::optional<TerminalConsole> console;
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
