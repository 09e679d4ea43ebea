#pragma once

#include "platform/posix/TerminalState.h"

// Reads one key from a terminal in key mode, all of it: an arrow, a function key, Home or
// End sends an escape sequence of several bytes, and a letter beyond ASCII several bytes
// of UTF-8. Nothing of the key is left for the next read. Returns at the end of input
// too; throws StreamFailure when the terminal cannot be read.
void readOneKey(int fd, terminal_state::Redraw& redraw);
