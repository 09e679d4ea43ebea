#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The program's few options, the same on every platform. The game itself takes none:
// these are the conventions of a command-line program around it.
struct CommandLine {
    // Set where the arguments are answered already: 0 after the usage (--help, -h) or the
    // version (--version, -V) on `out`; 2 after one line on `errors` naming an argument it
    // does not know.
    std::optional<int> exitStatus;
    // --continue [FILE]: the saved game to resume, FILE or the autosave.
    bool resume = false;
    std::optional<std::string> saveFile;
};

// Reads the arguments after the program's name. `autosave` says, for --help, where this
// front end keeps the game's save.
CommandLine handleCommandLine(std::span<const char* const> arguments, std::ostream& out,
                              std::ostream& errors, std::string_view autosave);
