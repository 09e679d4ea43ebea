#include "platform/web/HostCalls.h"

#include <emscripten/emscripten.h>

#include <string>

// Every call goes to Module.host. A host reports a failure by throwing a Node-style error
// whose `code` names it ("EPIPE"), which becomes this module's errno for it. The bodies
// are JavaScript, which clang-format would take for C++.
// clang-format off

// The piece waits on the module between the two calls, which come one right after the other.
EM_ASYNC_JS(int, hostAwaitInput, (const char* prompt, int promptSize, int edited), {
    try {
        const promptText = UTF8ToString(prompt, promptSize);
        let piece = new Uint8Array(0);
        while (piece !== null && piece.length === 0) {
            piece = await Module.host.read(promptText, edited !== 0);
        }
        Module.unreadPiece = piece;
        return piece === null ? 0 : piece.length;
    } catch (error) {
        return -(ERRNO_CODES[error.code] || ERRNO_CODES.EIO);
    }
});

// A terminal's bytes, or a pipe's, as they come; `ended` stands for the end of input.
EM_ASYNC_JS(int, hostAwaitBytes, (int waitMs, int ended), {
    try {
        const piece = await Module.host.readBytes(waitMs < 0 ? undefined : waitMs);
        Module.unreadPiece = piece;
        return piece === null ? ended : piece.length;
    } catch (error) {
        return -(ERRNO_CODES[error.code] || ERRNO_CODES.EIO);
    }
});

EM_JS(void, hostTakeInput, (char* destination), {
    HEAPU8.set(Module.unreadPiece, destination);
    Module.unreadPiece = null;
});

EM_JS(int, hostWrite, (int stream, const char* text, int size), {
    try {
        Module.host.write(stream, HEAPU8.slice(text, text + size));
        return 0;
    } catch (error) {
        return ERRNO_CODES[error.code] || ERRNO_CODES.EIO;
    }
});

EM_JS(int, hostIsTerminal, (int fd), { return Module.host.isTerminal(fd) ? 1 : 0; });

// The value's UTF-8 size and the value itself, copied by the second call; -1 when unset.
EM_JS(int, hostEnvironmentSize, (const char* name), {
    const value = Module.host.environment(UTF8ToString(name));
    Module.environmentValue = typeof value === 'string' ? value : null;
    return value === null || value === undefined ? -1 : lengthBytesUTF8(value);
});

EM_JS(void, hostTakeEnvironment, (char* destination, int size), {
    stringToUTF8(Module.environmentValue, destination, size + 1);
    Module.environmentValue = null;
});

EM_JS(int, hostShowsEffects, (), { return Module.host.showsEffects === true ? 1 : 0; });

EM_JS(int, hostColumns, (), { return Module.host.columns ? Module.host.columns() : 0; });

EM_JS(void, hostSayOnInterrupt, (const char* line, int size), {
    if (typeof Module.host.sayOnInterrupt === 'function') {
        Module.host.sayOnInterrupt(HEAPU8.slice(line, line + size));
    }
});

EM_JS(void, hostSetColours, (), { Module.host.setColours(); });
EM_JS(void, hostResetColours, (), { Module.host.resetColours(); });
EM_JS(void, hostClearScreen, (), { Module.host.clearScreen(); });

EM_JS(void, hostSetRawMode, (int on), { Module.host.setRawMode(on !== 0); });

EM_ASYNC_JS(void, hostSignal, (const char* name), {
    await Module.host.signal(UTF8ToString(name));
});

EM_JS(int, hostContinues, (), { return Module.host.continues(); });

EM_JS(void, hostKeepTerminal, (const char* giveBack, int giveBackSize, const char* takeAgain,
                               int takeAgainSize), {
    Module.host.keepTerminal(HEAPU8.slice(giveBack, giveBack + giveBackSize),
                             HEAPU8.slice(takeAgain, takeAgain + takeAgainSize));
});

EM_JS(void, hostWatchSignals, (const char* deadly, const char* stops), {
    const names = (list) => UTF8ToString(list).split(' ').filter((name) => name.length > 0);
    Module.host.watchSignals(names(deadly), names(stops));
});

EM_JS(int, hostCanShowPosition, (), {
    return typeof Module.host.showPosition === 'function' ? 1 : 0;
});

// The kinds in the order of PositionChange.
EM_JS(void, hostShowPosition, (int level, int x, int y, int change), {
    Module.host.showPosition(level, x, y, ['start', 'move', 'death', 'return'][change]);
});

EM_ASYNC_JS(int, hostWaitForKey, (), {
    try {
        await Module.host.waitForKey();
        return 0;
    } catch (error) {
        return ERRNO_CODES[error.code] || ERRNO_CODES.EIO;
    }
});

// clang-format on

namespace host {

int awaitInput(std::string_view prompt, bool edited) {
    return hostAwaitInput(prompt.data(), static_cast<int>(prompt.size()), edited ? 1 : 0);
}

int awaitBytes(std::optional<std::chrono::milliseconds> wait) {
    return hostAwaitBytes(wait ? static_cast<int>(wait->count()) : -1, kInputEnded);
}

void takeInput(char* destination) {
    hostTakeInput(destination);
}

int write(Stream stream, std::string_view text) {
    return hostWrite(static_cast<int>(stream), text.data(), static_cast<int>(text.size()));
}

bool isTerminal(int fd) {
    return hostIsTerminal(fd) != 0;
}

std::optional<std::string> environment(const char* name) {
    const int size = hostEnvironmentSize(name);
    if (size < 0) {
        return std::nullopt;
    }
    // Room for the terminating NUL that stringToUTF8 writes.
    std::string value(static_cast<std::size_t>(size) + 1, '\0');
    hostTakeEnvironment(value.data(), size);
    value.resize(static_cast<std::size_t>(size));
    return value;
}

bool showsEffects() {
    return hostShowsEffects() != 0;
}

std::size_t columns() {
    const int columns = hostColumns();
    return columns > 0 ? static_cast<std::size_t>(columns) : 0;
}

void sayOnInterrupt(std::string_view line) {
    hostSayOnInterrupt(line.data(), static_cast<int>(line.size()));
}

void setColours() {
    hostSetColours();
}

void resetColours() {
    hostResetColours();
}

void clearScreen() {
    hostClearScreen();
}

int waitForKey() {
    return hostWaitForKey();
}

void setRawMode(bool on) {
    hostSetRawMode(on ? 1 : 0);
}

void signalJob(std::string_view name) {
    hostSignal(std::string(name).c_str());
}

unsigned continues() {
    return static_cast<unsigned>(hostContinues());
}

void keepTerminal(std::string_view giveBack, std::string_view takeAgain) {
    hostKeepTerminal(giveBack.data(), static_cast<int>(giveBack.size()), takeAgain.data(),
                     static_cast<int>(takeAgain.size()));
}

void watchSignals(std::string_view deadly, std::string_view stops) {
    hostWatchSignals(std::string(deadly).c_str(), std::string(stops).c_str());
}

bool canShowPosition() {
    return hostCanShowPosition() != 0;
}

void showPosition(int level, int x, int y, PositionChange change) {
    static_assert(static_cast<int>(PositionChange::NewGame) == 0 &&
                  static_cast<int>(PositionChange::Move) == 1 &&
                  static_cast<int>(PositionChange::Death) == 2 &&
                  static_cast<int>(PositionChange::ReturnToStart) == 3);
    hostShowPosition(level, x, y, static_cast<int>(change));
}

}  // namespace host
