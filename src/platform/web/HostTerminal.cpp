#include "platform/web/HostTerminal.h"

#include <ostream>

#include "console/StreamFailure.h"
#include "console/TerminalSequences.h"
#include "platform/web/HostCalls.h"
#include "platform/web/HostKeyboard.h"

namespace {

// Raw mode while a key is read, and the mode before it afterwards, however the wait ends.
class KeyMode {
public:
    explicit KeyMode(HostKeyboard& keys) : keyboard(keys), wasRaw(keys.isRaw()) {
        keyboard.setRaw(true);
    }
    ~KeyMode() { keyboard.setRaw(wasRaw); }
    KeyMode(const KeyMode&) = delete;
    KeyMode& operator=(const KeyMode&) = delete;

private:
    HostKeyboard& keyboard;
    bool wasRaw;
};

}  // namespace

void HostTerminal::setColours() {
    host::keepTerminal(kResetColours, kGameColours);
    coloured = true;
    if (const int error = host::write(host::Stream::Output, kGameColours); error != 0) {
        failToWrite(error);
    }
}

void HostTerminal::clearScreen() {
    out << kClearScreen;
}

void HostTerminal::readKey(const std::function<void()>& showAgain) {
    const KeyMode keyMode(keyboard);
    keyboard.nextKey(showAgain);
}

void HostTerminal::sayOnInterrupt(std::string_view line) {
    host::sayOnInterrupt(line);
}

void HostTerminal::giveBack() {
    keyboard.setRaw(false);
    if (coloured) {
        coloured = false;
        host::keepTerminal({}, {});
        // Not checked: the output may be what failed.
        host::write(host::Stream::Output, kResetColours);
    }
}
