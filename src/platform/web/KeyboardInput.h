#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"
#include "console/LineEditor.h"

class HostKeyboard;
class WordWrapper;

// Standard input of a terminal host (Node), read through its keyboard so that keys typed
// ahead of a read are not lost.

// As it comes: the lines of a terminal in line mode, the pieces of a pipe. `echoedTo`,
// where input comes from the terminal the text is wrapped for: each line read was ended
// with Enter, which took the cursor to the start of a line.
class KeyboardInput final : public ChunkedInputBuffer {
public:
    KeyboardInput(HostKeyboard& source, WordWrapper* echoedTo)
        : keyboard(source), screen(echoedTo) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    HostKeyboard& keyboard;
    WordWrapper* screen;
};

// Lines edited with the console's line editor, the keyboard in raw mode. What the game
// printed on the line before reading it (">>", say) is the editor's prompt; `shown` is the
// wrapper of the text on the screen, which knows it and is told when the Enter of the player
// starts a new line.
class EditedKeyboardInput final : public ChunkedInputBuffer, private EditorTerminal {
public:
    EditedKeyboardInput(HostKeyboard& source, WordWrapper& shown)
        : keyboard(source), screen(shown) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    std::optional<std::string> nextKey(const std::function<void()>& showAgain) override;
    void draw(std::string_view bytes) override;
    std::size_t width() override;

    HostKeyboard& keyboard;
    WordWrapper& screen;
    std::size_t columns = 0;
    unsigned columnsAt = 0;
    bool columnsKnown = false;
    LineEditor editor{*this};
};
