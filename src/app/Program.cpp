#include "app/Program.h"

#include <memory>
#include <ostream>

#include "app/Menus.h"
#include "app/Settings.h"
#include "console/Console.h"
#include "console/Io.h"
#include "console/SessionEnd.h"
#include "game/World.h"

int runProgram(std::istream& in, std::ostream& out, Console& console, Clock clock) {
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
    return 0;
}
