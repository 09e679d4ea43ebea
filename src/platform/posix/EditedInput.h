#pragma once

#include <memory>
#include <string>

#include "console/ChunkedStreams.h"
#include "platform/posix/TerminalState.h"

class WordWrapper;
struct editline;
struct history;

// Lines read from the terminal with libedit: the editing keys of a shell, and Up and Down
// through the lines entered in this process (kept in memory only: the game keeps no
// files). What the game printed on the line before reading it (">>", say) becomes the
// editor's prompt, so that the editor redraws it with the line rather than over it.
class EditedInput final : public ChunkedInputBuffer {
public:
    // `text` is the wrapper of the text on the screen, which knows the prompt and is told
    // when the Enter of the player starts a new line; `keyboard` is the terminal's input
    // and `display` its screen.
    EditedInput(WordWrapper& text, int keyboard, int display);
    ~EditedInput() override;
    EditedInput(const EditedInput&) = delete;
    EditedInput& operator=(const EditedInput&) = delete;

protected:
    bool readChunk(std::string& chunk) override;

private:
    static char* promptOf(editline* editor);
    // The editor's source of characters: one character of the terminal's encoding, 1; the
    // end of input, 0; a failure, -1 with errno.
    static int readCharacter(editline* editor, wchar_t* character);
    int readCharacter(wchar_t& character);
    // Until a key comes; meanwhile follows resizes, and redraws the line after a stop.
    void waitForInput();

    WordWrapper& screen;
    int inputFd;
    int outputFd;
    std::string prompt;
    unsigned seenResizes = 0;
    terminal_state::Redraw lineRedraw;
    editline* editor = nullptr;
    history* entered = nullptr;
};
