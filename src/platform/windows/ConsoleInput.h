#pragma once

#include <windows.h>

#include <string>

#include "console/ChunkedStreams.h"

class ConsoleScreen;

// Lines from a console, as its own editing hands them over, read in the console's UTF-16
// and passed on as UTF-8 with "\n" line ends, as on every other platform. A character the
// console could not make of the bytes it was given (an invalid byte from a Unix terminal
// under wine, which becomes U+FFFD) is dropped, as a POSIX terminal's line editor drops it.
// Ctrl-Z, then Enter, ends the input, as it does for the C runtime's text mode.
class ConsoleInput final : public ChunkedInputBuffer {
public:
    // `echoedTo`: each line read was ended with Enter on the console the text is wrapped for,
    // which took the cursor to the start of a line.
    ConsoleInput(HANDLE console, ConsoleScreen* echoedTo) : input(console), screen(echoedTo) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    // Appends the letters of `units` to `chunk`; false once Ctrl-Z ends the input.
    bool takeLetters(std::wstring_view units, std::string& chunk);

    HANDLE input;
    ConsoleScreen* screen;
    wchar_t highHalf = 0;
    bool ended = false;
};
