#include <unistd.h>

#include <iostream>
#include <istream>
#include <ostream>
#include <span>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/posix/DescriptorStreams.h"
#include "platform/posix/TerminalConsole.h"
#include "platform/posix/TerminalState.h"

int main(int argc, char** argv) {
    // A program may be started with no arguments at all, not even its name.
    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto status = handleCommandLine(arguments, std::cout, std::cerr)) {
        return *status;
    }
    DescriptorInput input(STDIN_FILENO);
    DescriptorOutput output(STDOUT_FILENO);
    std::istream in(&input);
    std::ostream out(&output);
    TerminalConsole console(out, STDIN_FILENO, STDOUT_FILENO);
    terminal_state::installSignalHandlers();
    return runProgram(in, out, std::cerr, console);
}
