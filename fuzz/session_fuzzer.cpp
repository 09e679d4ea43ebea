// One whole session, title menu and game, played from the fuzz input: the input is what
// the player types, and its end ends the session exactly as it ends the process.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "app/Program.h"
#include "console/SilentConsole.h"

namespace {

// Output is thrown away unseen; the sanitizers watch how it is made, not what it says.
class DiscardingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type character) override { return traits_type::not_eof(character); }
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
};

// Zombies scatter from the clock; a fixed one makes every run of an input the same.
std::time_t fixedClock() {
    return 1'000'000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    DiscardingBuffer discard;
    std::ostream out(&discard);
    SilentConsole console;
    if (runProgram(in, out, console, fixedClock) != 0) {
        // Every session ends with status 0, whether the player quits or the input runs out.
        __builtin_trap();
    }
    return 0;
}
