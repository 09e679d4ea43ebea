#include "app/FrontEnd.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/SaveFiles.h"
#include "console/StreamFailure.h"
#include "console/WordWrapper.h"

namespace {

// --help and --version, with the system's reason when they cannot be written.
CommandLine answerCommandLine(std::span<const char* const> arguments, std::ostream& out,
                              std::ostream& errors, SaveFiles& files) {
    out.exceptions(std::ios::badbit);
    CommandLine request;
    try {
        request = handleCommandLine(arguments, out, errors, files.autosaveDescription());
    } catch (const StreamFailure& failure) {
        errors << "vellumfall: " << failure.what() << '\n';
        request.exitStatus = 1;
    }
    errors.flush();
    return request;
}

// The saved game --continue asks for, or the exit status of a refusal.
struct Resumed {
    std::optional<SaveRecord> record;
    std::string name;
    int refusal = 0;
};

Resumed readSave(const CommandLine& request, SaveFiles& files,
                 const std::optional<std::string>& autosavePath, std::ostream& errors) {
    Resumed resumed;
    const std::optional<std::string> path = request.saveFile ? request.saveFile : autosavePath;
    resumed.name = path.value_or("");
    try {
        const std::optional<std::string> text =
            path ? files.read(*path, kLargestSave) : std::nullopt;
        if (!text) {
            errors << "vellumfall: there is no saved game to continue"
                   << (path ? " in " + *path : std::string()) << '\n';
            resumed.refusal = 1;
        } else {
            resumed.record = parseSave(*text);
        }
    } catch (const SaveFiles::Failure& failure) {
        errors << "vellumfall: " << *path << ": " << failure.what() << '\n';
        resumed.refusal = 1;
    } catch (const SaveUnreadable& refusal) {
        errors << "vellumfall: " << *path << ": " << refusal.what() << '\n';
        resumed.refusal = 1;
    }
    errors.flush();
    return resumed;
}

bool saveWaiting(SaveFiles& files, const std::string& path) {
    try {
        return files.read(path, 0).has_value();
    } catch (const SaveFiles::Failure&) {
        return false;
    }
}

}  // namespace

int runFrontEnd(FrontEnd& frontEnd, std::span<const char* const> arguments, bool takeBackALine) {
    std::ostream plainOut(&frontEnd.plainOutput());
    std::ostream errors(&frontEnd.errorOutput());
    SaveFiles& files = frontEnd.saveFiles();
    CommandLine request = answerCommandLine(arguments, plainOut, errors, files);
    if (request.exitStatus) {
        return *request.exitStatus;
    }
    request.resume = request.resume || takeBackALine;
    const TerminalFacts facts = frontEnd.terminalFacts();
    const TerminalPolicy policy = decideTerminal(facts);
    // Piped or redirected, the game reads and writes no file of its own: scripts stay pure.
    const std::optional<std::string> autosavePath =
        policy.autosave ? files.autosavePath() : std::nullopt;

    ProgramOptions options;
    options.clock = frontEnd.clock();
    if (request.resume) {
        Resumed resumed = readSave(request, files, files.autosavePath(), errors);
        if (resumed.refusal != 0) {
            return resumed.refusal;
        }
        options.resume = std::move(resumed.record);
        options.resumeName = resumed.name;
        if (takeBackALine && !takeBackLastLine(*options.resume)) {
            return 1;
        }
    } else if (autosavePath && saveWaiting(files, *autosavePath)) {
        errors << "vellumfall: a saved game is waiting: 'vellumfall --continue' resumes it, "
                  "and a new game replaces it\n";
        errors.flush();
    }
    if (autosavePath) {
        options.autosave.emplace(Session::Autosave{
            .files = files,
            .path = *autosavePath,
            .errors = errors,
            .resumedFromIt = request.resume && options.resumeName == *autosavePath});
    }

    WordWrapper screen([&frontEnd] { return frontEnd.width(); });
    const GameParts game = frontEnd.openGame(policy, policy.wrap ? &screen : nullptr);
    return runProgram(game.in, game.out, errors, game.console, std::move(options));
}
