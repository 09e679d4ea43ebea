#pragma once

#include <memory>
#include <string>

#include "console/ChunkedStreams.h"

class WordWrapper;
struct editline;
struct history;

// Lines read from the terminal with libedit: the editing keys of a shell, and Up and Down
// through the lines entered in this process (kept in memory only: the game keeps no
// files). What the game printed on the line before reading it (">>", say) becomes the
// editor's prompt, so that the editor redraws it with the line rather than over it.
class EditedInput final : public ChunkedInputBuffer {
public:
    // `screen` is the wrapper of the text on the screen, which knows the prompt and is told
    // when the Enter of the player starts a new line; `outputFd` is where the screen is.
    EditedInput(WordWrapper& screen, int outputFd);
    ~EditedInput() override;
    EditedInput(const EditedInput&) = delete;
    EditedInput& operator=(const EditedInput&) = delete;

protected:
    bool readChunk(std::string& chunk) override;

private:
    static char* promptOf(editline* editor);

    WordWrapper& screen;
    int outputFd;
    std::string prompt;
    unsigned seenResizes = 0;
    editline* editor = nullptr;
    history* entered = nullptr;
};
