#include "platform/windows/ConsoleScreen.h"

ConsoleScreen::ConsoleScreen(HANDLE output) : output(output), words([this] { return width(); }) {}

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
