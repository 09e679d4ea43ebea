#include "app/Program.h"

#include <ios>
#include <istream>
#include <memory>
#include <ostream>
#include <string_view>
#include <utility>

#include "app/Menus.h"
#include "app/Settings.h"
#include "console/Console.h"
#include "console/Io.h"
#include "console/SessionEnd.h"
#include "console/StreamFailure.h"
#include "game/World.h"

namespace {

// A stream only sets a flag when its buffer fails, and the game would read on from a
// failed stream for ever. With these masks the buffer's StreamFailure goes on up to
// runProgram instead. The old masks are put back when the session is over, so nothing
// done to the streams afterwards can throw.
class FailuresRaised {
public:
    FailuresRaised(std::istream& input, std::ostream& output)
        : in(input), out(output), inMask(input.exceptions()), outMask(output.exceptions()) {
        in.exceptions(std::ios::badbit);
        out.exceptions(std::ios::badbit);
    }
    // A mask set again throws at once on a failed stream: left alone where it is the same.
    ~FailuresRaised() {
        if (in.exceptions() != inMask) {
            in.exceptions(inMask);
        }
        if (out.exceptions() != outMask) {
            out.exceptions(outMask);
        }
    }
    FailuresRaised(const FailuresRaised&) = delete;
    FailuresRaised& operator=(const FailuresRaised&) = delete;

private:
    std::istream& in;
    std::ostream& out;
    std::ios::iostate inMask;
    std::ios::iostate outMask;
};

int reportFailure(std::ostream& errors, Console& console, std::string_view problem) {
    console.restoreTerminal();
    errors << "vellumfall: " << problem << '\n';
    errors.flush();
    return 1;
}

}  // namespace

int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, Console& console,
               ProgramOptions options) {
    bool saveKept = false;
    try {
        // The console writes to the live streams, the game to the session's.
        const FailuresRaised liveFailuresRaised(in, out);
        Session session(in, out, console, options.clock, std::move(options.autosave),
                        std::move(options.resume));
        const FailuresRaised failuresRaised(session.in(), session.out());
        Io io{session.in(), session.out(), session.console()};
        Settings settings;
        const auto world = std::make_unique<World>(io, session.scatter());
        io.console.useGameColours();
        try {
            runMainMenu(io, settings, *world);
        } catch (const SessionEnd& end) {
            if (session.replaying()) {
                throw SaveUnreadable("it does not replay to where it was saved");
            }
            if (end.reason == SessionEnd::Reason::EndOfInput) {
                io.out << '\n';
            }
            saveKept =
                session.end(end.reason == SessionEnd::Reason::PlayerQuit || world->finaleShown);
        }
        io.out.flush();
    } catch (const StreamFailure& failure) {
        return reportFailure(errors, console, failure.what());
    } catch (const SaveUnreadable& refusal) {
        return reportFailure(errors, console, options.resumeName + ": " + refusal.what());
    } catch (const std::ios::failure&) {
        // A stream whose buffer failed without saying why.
        return reportFailure(errors, console, "cannot read input or write output");
    }
    console.restoreTerminal();
    if (saveKept) {
        errors << Session::kSavedLine;
        errors.flush();
    }
    return 0;
}

int runProgram(std::istream& in, std::ostream& out, std::ostream& errors, Console& console,
               Clock clock) {
    ProgramOptions options;
    options.clock = clock;
    return runProgram(in, out, errors, console, std::move(options));
}
