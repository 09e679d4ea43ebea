#pragma once

#include <windows.h>

#include <string_view>

// What the game has changed on its console, kept where the console's control handler can
// reach it, and that handler: on Ctrl-C, Ctrl-Break and closing the window it puts the
// modes and colours back before the process ends, with STATUS_CONTROL_C_EXIT for the two
// keys. The handler runs on a thread of its own, so all of this may be called from two
// threads at once.
namespace console_state {

// Whether `handle` is a real console. A pipe, a file or NUL is not (_isatty takes NUL
// for one).
bool isConsole(HANDLE handle);

// The console handles the game reads its keys from and writes its sequences to; the
// modes they have now are the ones to go back to.
void watch(HANDLE input, HANDLE output);

// Has the output console interpret escape sequences; false where it refuses (before
// Windows 10), and the game then does without them.
bool enableSequences();

// Writes the colour sequence and remembers to reset it.
void setColours(std::string_view colours);

// Resets the colours and the modes, whichever the game changed.
void restore();

void installCtrlHandler();

// The line written on standard error, once the console is restored, when Ctrl-C, Ctrl-Break
// or closing the window ends the game; empty for none.
void sayOnExit(std::string_view line);

// Ends the game as Ctrl-C does, with STATUS_CONTROL_C_EXIT once the console is restored;
// also for a key wait that read Ctrl-C as a key.
[[noreturn]] void endAsInterrupted();

}  // namespace console_state
