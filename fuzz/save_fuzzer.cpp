// A save file, read as the game reads one it is asked to continue: from anywhere, so
// anything. What the reader accepts is replayed, and the game either goes on from the
// saved screen or refuses the save; both end the session with a status, never a crash
// or a hang.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzSession.h"
#include "app/Program.h"
#include "app/SaveFormat.h"
#include "console/SilentConsole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    SaveRecord record;
    try {
        record = parseSave(file);
    } catch (const SaveUnreadable&) {
        return 0;
    }
    // A save that reads back as itself once written again.
    if (formatSave(parseSave(formatSave(record))) != formatSave(record)) {
        __builtin_trap();
    }
    DiscardingBuffer discard;
    std::ostream out(&discard);
    std::ostream errors(&discard);
    SilentConsole console;
    // Then one more turn, and the end of the input.
    std::istringstream in("l\n");
    ProgramOptions options;
    options.clock = fixedClock;
    options.resume = std::move(record);
    options.resumeName = "fuzz";
    const int status = runProgram(in, out, errors, console, std::move(options));
    if (status != 0 && status != 1) {
        __builtin_trap();
    }
    return 0;
}
