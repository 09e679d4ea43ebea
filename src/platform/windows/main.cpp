#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "app/FrontEnd.h"
#include "console/TerminalConsole.h"
#include "platform/windows/ConsoleInput.h"
#include "platform/windows/ConsoleScreen.h"
#include "platform/windows/ConsoleState.h"
#include "platform/windows/CrtStreams.h"
#include "platform/windows/WindowsSaveFiles.h"
#include "platform/windows/WindowsTerminal.h"

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// A line ends in "\n" as everywhere else: in text mode the C runtime would write "\r\n",
// and a piped session would differ from the same session on any other system. Piped or
// redirected input is taken byte for byte too, where text mode would drop "\r" and stop
// at Ctrl-Z. A console is read apart, by ConsoleInput.
void useBinaryModes() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::_setmode(::_fileno(stdin), _O_BINARY);
}

// The game on the process's standard handles and its console window.
class WindowsFrontEnd final : public FrontEnd {
public:
    WindowsFrontEnd() { useBinaryModes(); }

    std::streambuf& plainOutput() override { return plainOut; }
    std::streambuf& errorOutput() override { return errors; }
    SaveFiles& saveFiles() override { return files; }

    TerminalFacts terminalFacts() override {
        TerminalFacts facts{.inputIsTerminal = console_state::isConsole(inputHandle),
                            .outputIsTerminal = console_state::isConsole(outputHandle),
                            .term = std::nullopt,
                            .noColor = environment("NO_COLOR"),
                            .takesEscapes = std::nullopt};
        // The modes the consoles have now are the ones to go back to.
        console_state::watch(inputHandle, outputHandle);
        // A console takes sequences once asked to, from Windows 10 on; TERM is not its way.
        if (facts.outputIsTerminal) {
            facts.takesEscapes = console_state::enableSequences();
        }
        return facts;
    }

    std::size_t width() override { return screen.width(); }

    GameParts openGame(const TerminalPolicy& policy, WordWrapper* wrapper) override {
        screen.wrapWith(wrapper);
        output.emplace(::_fileno(stdout), wrapper);
        if (console_state::isConsole(inputHandle)) {
            input =
                std::make_unique<ConsoleInput>(inputHandle, policy.inputEchoed ? &screen : nullptr);
        } else {
            input = std::make_unique<CrtInput>(::_fileno(stdin));
        }
        gameIn.emplace(input.get());
        gameOut.emplace(&*output);
        terminal.emplace(*gameOut, inputHandle);
        console.emplace(*gameOut, *terminal, policy);
        console_state::installCtrlHandler();
        return {*gameIn, *gameOut, *console};
    }

private:
    HANDLE inputHandle = ::GetStdHandle(STD_INPUT_HANDLE);
    HANDLE outputHandle = ::GetStdHandle(STD_OUTPUT_HANDLE);
    CrtOutput plainOut{::_fileno(stdout)};
    CrtOutput errors{::_fileno(stderr)};
    WindowsSaveFiles files;
    ConsoleScreen screen{outputHandle};
    std::optional<CrtOutput> output;
    std::unique_ptr<std::streambuf> input;
    std::optional<std::istream> gameIn;
    std::optional<std::ostream> gameOut;
    std::optional<WindowsTerminal> terminal;
    std::optional<TerminalConsole> console;
};

}  // namespace

int main(int argc, char** argv) {
    WindowsFrontEnd frontEnd;
    // A program may be started with no arguments at all, not even its name.
    return runFrontEnd(frontEnd,
                       std::span<const char* const>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
