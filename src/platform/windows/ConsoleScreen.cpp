#include "platform/windows/ConsoleScreen.h"

#include "console/WordWrapper.h"

std::size_t ConsoleScreen::width() {
    if (!known) {
        CONSOLE_SCREEN_BUFFER_INFO screen{};
        // The window, not the buffer: a buffer wider than its window scrolls sideways.
        const int windowColumns = ::GetConsoleScreenBufferInfo(output, &screen) != 0
                                      ? screen.srWindow.Right - screen.srWindow.Left + 1
                                      : 0;
        columns = windowColumns > 0 ? static_cast<std::size_t>(windowColumns) : 0;
        known = true;
    }
    return columns;
}

void ConsoleScreen::startLine() {
    known = false;
    if (words != nullptr) {
        words->startLine();
    }
}
