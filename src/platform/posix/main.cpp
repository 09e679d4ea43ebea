#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "app/FrontEnd.h"
#include "console/TerminalConsole.h"
#include "console/WordWrapper.h"
#include "platform/posix/DescriptorStreams.h"
#include "platform/posix/PosixSaveFiles.h"
#include "platform/posix/PosixTerminal.h"
#include "platform/posix/TerminalState.h"
#ifdef VELLUMFALL_LINE_EDITING
#include "platform/posix/EditedInput.h"
#endif

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// The game on the process's standard descriptors and its terminal.
class PosixFrontEnd final : public FrontEnd {
public:
    std::streambuf& plainOutput() override { return plainOut; }
    std::streambuf& errorOutput() override { return errors; }
    SaveFiles& saveFiles() override { return files; }

    TerminalFacts terminalFacts() override {
        return {.inputIsTerminal = ::isatty(STDIN_FILENO) == 1,
                .outputIsTerminal = ::isatty(STDOUT_FILENO) == 1,
                .term = environment("TERM"),
                .noColor = environment("NO_COLOR"),
                .takesEscapes = std::nullopt};
    }

    // Asked of the terminal again only after it was resized.
    std::size_t width() override {
        if (const unsigned resizes = terminal_state::resizes();
            !widthKnown || resizes != seenResizes) {
            winsize size{};
            columns = ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
            seenResizes = resizes;
            widthKnown = true;
        }
        return columns;
    }

    GameParts openGame(const TerminalPolicy& policy, WordWrapper* screen) override {
        // Before the line editor exists: the terminal's mode as the game found it is the one
        // to leave behind.
        terminal_state::watch(STDIN_FILENO, STDOUT_FILENO);
        output.emplace(STDOUT_FILENO, screen);
        input = makeInput(policy, screen);
        gameIn.emplace(input.get());
        gameOut.emplace(&*output);
        terminal.emplace(*gameOut, STDIN_FILENO);
        console.emplace(*gameOut, *terminal, policy);
        terminal_state::installSignalHandlers();
        return {*gameIn, *gameOut, *console};
    }

private:
    static std::unique_ptr<std::streambuf> makeInput(const TerminalPolicy& policy,
                                                     WordWrapper* screen) {
#ifdef VELLUMFALL_LINE_EDITING
        if (policy.lineEditing && screen != nullptr) {
            return std::make_unique<EditedInput>(*screen, STDIN_FILENO, STDOUT_FILENO);
        }
#endif
        return std::make_unique<DescriptorInput>(STDIN_FILENO,
                                                 policy.inputEchoed ? screen : nullptr);
    }

    DescriptorOutput plainOut{STDOUT_FILENO};
    DescriptorOutput errors{STDERR_FILENO};
    PosixSaveFiles files;
    unsigned seenResizes = 0;
    std::size_t columns = 0;
    bool widthKnown = false;
    std::optional<DescriptorOutput> output;
    std::unique_ptr<std::streambuf> input;
    std::optional<std::istream> gameIn;
    std::optional<std::ostream> gameOut;
    std::optional<PosixTerminal> terminal;
    std::optional<TerminalConsole> console;
};

}  // namespace

int main(int argc, char** argv) {
    PosixFrontEnd frontEnd;
    // A program may be started with no arguments at all, not even its name.
    return runFrontEnd(frontEnd,
                       std::span<const char* const>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
