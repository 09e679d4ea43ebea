#include "platform/web/KeyboardInput.h"

#include "console/WordWrapper.h"
#include "platform/web/HostCalls.h"
#include "platform/web/HostKeyboard.h"

bool KeyboardInput::readChunk(std::string& chunk) {
    if (!keyboard.readAvailable(chunk)) {
        return false;
    }
    if (screen != nullptr) {
        screen->startLine();
    }
    return true;
}

bool EditedKeyboardInput::readChunk(std::string& chunk) {
    const std::optional<std::string> line = editor.readLine(screen.currentLine());
    keyboard.showDrawing();
    if (!line) {
        return false;
    }
    if (line->ends_with('\n')) {
        screen.startLine();
    }
    chunk += *line;
    return true;
}

std::optional<std::string> EditedKeyboardInput::nextKey(const std::function<void()>& showAgain) {
    return keyboard.nextKey(showAgain);
}

void EditedKeyboardInput::draw(std::string_view bytes) {
    keyboard.draw(bytes);
}

std::size_t EditedKeyboardInput::width() {
    // Once for all the keys that came together: a long paste asks the terminal once.
    if (!columnsKnown || columnsAt != keyboard.waits()) {
        columns = host::columns();
        columnsAt = keyboard.waits();
        columnsKnown = true;
    }
    return columns;
}
