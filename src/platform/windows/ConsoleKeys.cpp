#include "platform/windows/ConsoleKeys.h"

#include "console/Letters.h"
#include "console/WholeKey.h"

namespace {

// The byte _getch gives first for a key that is no letter.
constexpr char kKeyWithoutLetter = '\0';

bool isModifier(WORD virtualKey) {
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU ||
           virtualKey == VK_CAPITAL || virtualKey == VK_LWIN || virtualKey == VK_RWIN ||
           virtualKey == VK_NUMLOCK || virtualKey == VK_SCROLL;
}

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xd800 && unit <= 0xdbff;
}

bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xdc00 && unit <= 0xdfff;
}

// The console's key presses as bytes. Releases, modifiers alone and other events pass.
class ConsoleKeySource final : public KeySource {
public:
    explicit ConsoleKeySource(HANDLE keyboard) : input(keyboard) {}

    bool readKeyBytes(std::string& bytes, std::optional<std::chrono::milliseconds> wait) override {
        const DWORD timeout = wait ? static_cast<DWORD>(wait->count()) : INFINITE;
        for (;;) {
            const DWORD waited = ::WaitForSingleObject(input, timeout);
            if (waited == WAIT_TIMEOUT) {
                return true;
            }
            INPUT_RECORD record{};
            DWORD count = 0;
            if (waited != WAIT_OBJECT_0 || ::ReadConsoleInputW(input, &record, 1, &count) == 0) {
                return false;
            }
            if (count == 1 && take(record, bytes)) {
                return true;
            }
        }
    }

private:
    // Appends the bytes of a key press; false for a record that brings none.
    bool take(const INPUT_RECORD& record, std::string& bytes) {
        if (record.EventType != KEY_EVENT || record.Event.KeyEvent.bKeyDown == 0) {
            return false;
        }
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        const wchar_t unit = key.uChar.UnicodeChar;
        if (unit == 0) {
            if (isModifier(key.wVirtualKeyCode)) {
                return false;
            }
            bytes += kKeyWithoutLetter;
            return true;
        }
        if (isHighSurrogate(unit)) {
            highHalf = unit;
            return false;
        }
        char32_t letter = unit;
        if (isLowSurrogate(unit)) {
            letter = 0x10000 + ((static_cast<char32_t>(highHalf) - 0xd800) << 10U) +
                     (static_cast<char32_t>(unit) - 0xdc00);
        }
        highHalf = 0;
        appendLetter(bytes, letter);
        return true;
    }

    HANDLE input;
    wchar_t highHalf = 0;
};

}  // namespace

std::string readOneKey(HANDLE input) {
    ConsoleKeySource keys(input);
    KeyBuffer pending;
    return readWholeKey(keys, pending).value_or("");
}
