#include "app/CommandLine.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "app/Version.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: vellumfall [--continue [FILE] | --help | --version]\n"
    "A small text adventure for the console. Run it without arguments to play: the title\n"
    "menu takes a number, and in the game you type one word and press Enter.\n"
    "\n"
    "  -c, --continue [FILE]  resume the saved game, or the one saved in FILE\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "\n"
    "On a terminal the game is saved after every line you type, in\n";

constexpr std::string_view kUsageEnd =
    ",\n"
    "and quitting the game removes its save.\n"
    "\n"
    "Set NO_COLOR to play without colours. The exit status is 0 when you quit or the\n"
    "input ends, 1 when the input cannot be read, the output written or a save resumed,\n"
    "and 2 for a command line it does not know.\n";

bool isHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

bool isVersion(std::string_view argument) {
    return argument == "--version" || argument == "-V";
}

bool isContinue(std::string_view argument) {
    return argument == "--continue" || argument == "-c";
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

CommandLine answered(int exitStatus) {
    CommandLine request;
    request.exitStatus = exitStatus;
    return request;
}

int unknownArgument(std::ostream& errors, std::string_view argument) {
    errors << "vellumfall: unknown argument '" << argument << "'; try 'vellumfall --help'\n";
    return 2;
}

}  // namespace

CommandLine handleCommandLine(std::span<const char* const> arguments, std::ostream& out,
                              std::ostream& errors, std::string_view autosave) {
    if (arguments.empty()) {
        return {};
    }
    if (isContinue(arguments.front())) {
        if (arguments.size() > 2) {
            return answered(unknownArgument(errors, arguments[2]));
        }
        CommandLine resume;
        resume.resume = true;
        if (arguments.size() == 2) {
            resume.saveFile = arguments[1];
        }
        return resume;
    }
    const auto unknown = std::find_if(arguments.begin(), arguments.end(), [](const char* argument) {
        return !isHelp(argument) && !isVersion(argument);
    });
    if (unknown != arguments.end()) {
        return answered(unknownArgument(errors, *unknown));
    }
    if (isHelp(arguments.front())) {
        return answered(writeAndReport(
            out, errors, std::string(kUsage) + std::string(autosave) + std::string(kUsageEnd)));
    }
    return answered(writeAndReport(out, errors, "vellumfall " + std::string(kVersion) + '\n'));
}
