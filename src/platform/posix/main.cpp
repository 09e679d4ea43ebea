#include <sys/ioctl.h>
#include <unistd.h>

#include <iostream>
#include <istream>
#include <memory>
#include <ostream>
#include <span>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "console/WordWrapper.h"
#include "platform/posix/DescriptorStreams.h"
#include "platform/posix/TerminalConsole.h"
#include "platform/posix/TerminalSetup.h"
#include "platform/posix/TerminalState.h"
#ifdef VELLUMFALL_LINE_EDITING
#include "platform/posix/EditedInput.h"
#endif

namespace {

// The terminal's width, asked of the terminal again only after it was resized.
std::size_t outputWidth() {
    static unsigned seenResizes = 0;
    static std::size_t width = 0;
    static bool known = false;
    if (const unsigned resizes = terminal_state::resizes(); !known || resizes != seenResizes) {
        winsize size{};
        width = ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
        seenResizes = resizes;
        known = true;
    }
    return width;
}

std::unique_ptr<ChunkedInputBuffer> makeInput(const TerminalSetup& terminal, WordWrapper* screen) {
#ifdef VELLUMFALL_LINE_EDITING
    if (terminal.lineEditing && screen != nullptr) {
        return std::make_unique<EditedInput>(*screen, STDIN_FILENO, STDOUT_FILENO);
    }
#endif
    return std::make_unique<DescriptorInput>(STDIN_FILENO,
                                             terminal.inputIsTerminal ? screen : nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    // A program may be started with no arguments at all, not even its name.
    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto status = handleCommandLine(arguments, std::cout, std::cerr)) {
        return *status;
    }

    const TerminalSetup terminal = TerminalSetup::detect(STDIN_FILENO, STDOUT_FILENO);
    // Before the line editor exists: the terminal's mode as the game found it is the one
    // to leave behind.
    terminal_state::watch(STDIN_FILENO, STDOUT_FILENO);
    WordWrapper screen(outputWidth);
    WordWrapper* wrapping = terminal.outputIsTerminal ? &screen : nullptr;
    DescriptorOutput output(STDOUT_FILENO, wrapping);
    const std::unique_ptr<ChunkedInputBuffer> input = makeInput(terminal, wrapping);
    std::istream in(input.get());
    std::ostream out(&output);
    TerminalConsole console(out, STDIN_FILENO, terminal);
    terminal_state::installSignalHandlers();
    return runProgram(in, out, std::cerr, console);
}
