#pragma once

#include <iosfwd>
#include <optional>
#include <span>

// The program's few options, the same on every platform. The game itself takes none:
// these are the conventions of a command-line program around it.
//
// Returns the exit status when the arguments ask for something other than a game: 0 after
// the usage (--help, -h) or the version (--version, -V) on `out`; 2 after one line on
// `errors` naming an argument it does not know. Without arguments, nothing: play.
std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out,
                                     std::ostream& errors);
