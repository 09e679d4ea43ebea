#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <istream>
#include <ostream>
#include <span>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/windows/ConsoleScreen.h"
#include "platform/windows/ConsoleState.h"
#include "platform/windows/CrtStreams.h"
#include "platform/windows/WindowsConsole.h"

namespace {

// A line ends in "\n" as everywhere else: in text mode the C runtime would write "\r\n",
// and a piped session would differ from the same session on any other system. Piped or
// redirected input is taken byte for byte too, where text mode would drop "\r" and stop
// at Ctrl-Z; only a console keeps text mode, so that Ctrl-Z then Enter ends the input.
void useBinaryModes(HANDLE input) {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    if (!console_state::isConsole(input)) {
        ::_setmode(::_fileno(stdin), _O_BINARY);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const HANDLE inputHandle = ::GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE outputHandle = ::GetStdHandle(STD_OUTPUT_HANDLE);
    useBinaryModes(inputHandle);
    // A program may be started with no arguments at all, not even its name.
    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto status = handleCommandLine(arguments, std::cout, std::cerr)) {
        return *status;
    }
    // Only a console window is wrapped: piped or redirected, the text is the game's own.
    ConsoleScreen screen(outputHandle);
    ConsoleScreen* wrapping = console_state::isConsole(outputHandle) ? &screen : nullptr;
    CrtInput input(::_fileno(stdin), console_state::isConsole(inputHandle) ? wrapping : nullptr);
    CrtOutput output(::_fileno(stdout), wrapping != nullptr ? &wrapping->wrapper() : nullptr);
    std::istream in(&input);
    std::ostream out(&output);
    WindowsConsole console(out, inputHandle, outputHandle);
    console_state::installCtrlHandler();
    return runProgram(in, out, std::cerr, console);
}
