#include <unistd.h>

#include <iostream>

#include "app/Program.h"
#include "console/TerminalConsole.h"

int main() {
    // The game reads and writes only through the C++ streams, so they need not keep step
    // with C's; unbuffered they would cost a system call per character.
    std::ios::sync_with_stdio(false);
    TerminalConsole console(std::cout, STDIN_FILENO, STDOUT_FILENO);
    TerminalConsole::installSignalHandlers();
    return runProgram(std::cin, std::cout, console);
}
