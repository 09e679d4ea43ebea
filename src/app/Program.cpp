#include "app/Program.h"

#include <ios>
#include <istream>
#include <memory>
#include <ostream>
#include <string_view>

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
    ~FailuresRaised() {
        in.exceptions(inMask);
        out.exceptions(outMask);
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
               Clock clock) {
    try {
        const FailuresRaised failuresRaised(in, out);
        Io io{in, out, console};
        Settings settings;
        const auto world = std::make_unique<World>(io, clock);
        console.useGameColours();
        try {
            runMainMenu(io, settings, *world);
        } catch (const SessionEnd& end) {
            if (end.reason == SessionEnd::Reason::EndOfInput) {
                out << '\n';
            }
        }
        out.flush();
    } catch (const StreamFailure& failure) {
        return reportFailure(errors, console, failure.what());
    } catch (const std::ios::failure&) {
        // A stream whose buffer failed without saying why.
        return reportFailure(errors, console, "cannot read input or write output");
    }
    console.restoreTerminal();
    return 0;
}
