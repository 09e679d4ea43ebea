#include "platform/windows/ConsoleInput.h"

#include <array>
#include <cerrno>

#include "console/Letters.h"
#include "console/StreamFailure.h"
#include "platform/windows/ConsoleScreen.h"

namespace {

constexpr wchar_t kEndOfInput = 0x1a;  // Ctrl-Z
constexpr char32_t kNotDecoded = 0xfffd;

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xd800 && unit <= 0xdbff;
}

bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xdc00 && unit <= 0xdfff;
}

}  // namespace

bool ConsoleInput::readChunk(std::string& chunk) {
    std::array<wchar_t, 4096> units{};
    while (!ended) {
        DWORD count = 0;
        ::SetLastError(ERROR_SUCCESS);
        const bool read = ::ReadConsoleW(input, units.data(), static_cast<DWORD>(units.size()),
                                         &count, nullptr) != 0;
        // A line cut short by Ctrl-C: the control handler is on its way to end the game.
        if (::GetLastError() == ERROR_OPERATION_ABORTED) {
            continue;
        }
        if (!read) {
            failToRead(EIO);
        }
        if (count == 0) {
            return false;
        }
        const std::size_t before = chunk.size();
        ended = !takeLetters(std::wstring_view(units.data(), count), chunk);
        if (chunk.size() > before) {
            if (screen != nullptr) {
                screen->startLine();
            }
            return true;
        }
    }
    return false;
}

bool ConsoleInput::takeLetters(std::wstring_view units, std::string& chunk) {
    for (std::size_t at = 0; at < units.size(); ++at) {
        const wchar_t unit = units[at];
        if (unit == kEndOfInput) {
            return false;
        }
        if (unit == L'\r' && at + 1 < units.size() && units[at + 1] == L'\n') {
            continue;
        }
        if (isHighSurrogate(unit)) {
            highHalf = unit;
            continue;
        }
        char32_t letter = unit;
        if (isLowSurrogate(unit)) {
            if (highHalf == 0) {
                continue;
            }
            letter = 0x10000 + ((static_cast<char32_t>(highHalf) - 0xd800) << 10U) +
                     (static_cast<char32_t>(unit) - 0xdc00);
        }
        highHalf = 0;
        if (letter != kNotDecoded) {
            appendLetter(chunk, letter);
        }
    }
    return true;
}
