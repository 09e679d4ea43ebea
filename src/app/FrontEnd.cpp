#include "app/FrontEnd.h"

#include <optional>
#include <ostream>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "console/StreamFailure.h"
#include "console/WordWrapper.h"

namespace {

// --help and --version, with the system's reason when they cannot be written.
std::optional<int> answerCommandLine(std::span<const char* const> arguments, std::ostream& out,
                                     std::ostream& errors) {
    out.exceptions(std::ios::badbit);
    std::optional<int> status;
    try {
        status = handleCommandLine(arguments, out, errors);
    } catch (const StreamFailure& failure) {
        errors << "vellumfall: " << failure.what() << '\n';
        status = 1;
    }
    errors.flush();
    return status;
}

}  // namespace

int runFrontEnd(FrontEnd& frontEnd, std::span<const char* const> arguments) {
    std::ostream plainOut(&frontEnd.plainOutput());
    std::ostream errors(&frontEnd.errorOutput());
    if (const auto status = answerCommandLine(arguments, plainOut, errors)) {
        return *status;
    }
    const TerminalPolicy policy = decideTerminal(frontEnd.terminalFacts());
    WordWrapper screen([&frontEnd] { return frontEnd.width(); });
    const GameParts game = frontEnd.openGame(policy, policy.wrap ? &screen : nullptr);
    return runProgram(game.in, game.out, errors, game.console, frontEnd.clock());
}
