#include "platform/windows/ConsoleState.h"

#include <mutex>
#include <string>

#include "console/TerminalSequences.h"

namespace {

std::mutex gMutex;
HANDLE gInput = nullptr;
HANDLE gOutput = nullptr;
bool gInputIsConsole = false;
DWORD gInputMode = 0;
DWORD gOutputMode = 0;
bool gOutputModeChanged = false;
bool gColoursSet = false;
std::string gFarewell;

void writeRaw(std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(text.size());
        if (::WriteFile(gOutput, text.data(), size, &written, nullptr) == 0 || written == 0) {
            return;
        }
        text.remove_prefix(written);
    }
}

void restoreLocked() {
    // The reset is a sequence: it goes out while the console still interprets them.
    if (gColoursSet) {
        writeRaw(kResetColours);
        gColoursSet = false;
    }
    if (gOutputModeChanged) {
        ::SetConsoleMode(gOutput, gOutputMode);
        gOutputModeChanged = false;
    }
    // The input's mode as the game found it, whatever changed it meanwhile.
    if (gInputIsConsole) {
        ::SetConsoleMode(gInput, gInputMode);
    }
}

void sayFarewellLocked() {
    if (!gFarewell.empty()) {
        DWORD written = 0;
        ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), gFarewell.data(),
                    static_cast<DWORD>(gFarewell.size()), &written, nullptr);
        ::FlushFileBuffers(::GetStdHandle(STD_ERROR_HANDLE));

        gFarewell.clear();
    }
}

BOOL WINAPI restoreOnCtrl(DWORD event) {
    // Ended here rather than by the system's own handler, which under wine ends the game
    // with status 0: a script could not tell Ctrl-C from a finished game.
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        console_state::endAsInterrupted();
    }
    console_state::restore();
    // Not handled: the default handler goes on to end the process.
    return FALSE;
}

}  // namespace

namespace console_state {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

void watch(HANDLE input, HANDLE output) {
    const std::scoped_lock lock(gMutex);
    gInput = input;
    gOutput = output;
    gInputIsConsole = ::GetConsoleMode(input, &gInputMode) != 0;
}

bool enableSequences() {
    const std::scoped_lock lock(gMutex);
    if (::GetConsoleMode(gOutput, &gOutputMode) == 0) {
        return false;
    }
    const DWORD withSequences =
        gOutputMode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;
    gOutputModeChanged = ::SetConsoleMode(gOutput, withSequences) != 0;
    return gOutputModeChanged;
}

void setColours(std::string_view colours) {
    const std::scoped_lock lock(gMutex);
    gColoursSet = true;
    writeRaw(colours);
}

void restore() {
    const std::scoped_lock lock(gMutex);
    restoreLocked();
}

void installCtrlHandler() {
    ::SetConsoleCtrlHandler(restoreOnCtrl, TRUE);
}

void endAsInterrupted() {
    {
        const std::scoped_lock lock(gMutex);
        restoreLocked();
        sayFarewellLocked();
    }
    ::ExitProcess(STATUS_CONTROL_C_EXIT);
}

void sayOnExit(std::string_view line) {
    const std::scoped_lock lock(gMutex);
    gFarewell = line;
}

}  // namespace console_state
