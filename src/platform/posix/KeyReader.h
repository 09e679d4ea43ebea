#pragma once

#include "platform/posix/TerminalState.h"

// Reads one whole key from a terminal in key mode (see console/WholeKey.h), and nothing
// after it. Returns at the end of input too; throws StreamFailure when the terminal cannot
// be read.
void readOneKey(int fd, terminal_state::Redraw& redraw);
