#include "platform/posix/TerminalSetup.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace {

bool isSetAndNotEmpty(const char* value) {
    return value != nullptr && *value != '\0';
}

}  // namespace

TerminalSetup TerminalSetup::detect(int inputFd, int outputFd) {
    TerminalSetup setup;
    setup.inputIsTerminal = ::isatty(inputFd) == 1;
    setup.outputIsTerminal = ::isatty(outputFd) == 1;
    const char* term = std::getenv("TERM");
    setup.escapes =
        setup.outputIsTerminal && isSetAndNotEmpty(term) && std::string_view(term) != "dumb";
    setup.colours = setup.escapes && !isSetAndNotEmpty(std::getenv("NO_COLOR"));
    setup.lineEditing = setup.escapes && setup.inputIsTerminal;
    return setup;
}
