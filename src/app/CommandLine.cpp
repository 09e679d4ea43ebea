#include "app/CommandLine.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

#include "app/Version.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: vellumfall [--help | --version]\n"
    "A small text adventure for the console. Run it without arguments to play: the title\n"
    "menu takes a number, and in the game you type one word and press Enter.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Set NO_COLOR to play without colours. The exit status is 0 when you quit or the\n"
    "input ends, 1 when the input cannot be read or the output written, and 2 for a\n"
    "command line it does not know.\n";

bool isHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

bool isVersion(std::string_view argument) {
    return argument == "--version" || argument == "-V";
}

int writeAndReport(std::ostream& out, std::ostream& errors, std::string_view text) {
    out << text;
    out.flush();
    if (!out) {
        errors << "vellumfall: cannot write output\n";
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out,
                                     std::ostream& errors) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    const auto unknown = std::find_if(arguments.begin(), arguments.end(), [](const char* argument) {
        return !isHelp(argument) && !isVersion(argument);
    });
    if (unknown != arguments.end()) {
        errors << "vellumfall: unknown argument '" << *unknown << "'; try 'vellumfall --help'\n";
        return 2;
    }
    if (isHelp(arguments.front())) {
        return writeAndReport(out, errors, kUsage);
    }
    return writeAndReport(out, errors, "vellumfall " + std::string(kVersion) + '\n');
}
