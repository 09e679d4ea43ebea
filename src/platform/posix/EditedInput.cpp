#include "platform/posix/EditedInput.h"

#include <histedit.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include "console/StreamFailure.h"
#include "console/WordWrapper.h"
#include "platform/posix/DescriptorStreams.h"
#include "platform/posix/TerminalState.h"

namespace {

// Enough to go back through a long game, and a bound on what is kept.
constexpr int kHistorySize = 500;

struct KeyBinding {
    const char* keys;
    const char* command;
};

// Keys beyond libedit's emacs defaults, as a shell has them: Ctrl-W takes back a word,
// Ctrl-U the line up to the cursor, and Home, End and Delete in the forms terminals send.
constexpr std::array<KeyBinding, 11> kBindings{{
    {"^W", "ed-delete-prev-word"},
    {"^U", "vi-kill-line-prev"},
    {"\\e[H", "ed-move-to-beg"},
    {"\\e[F", "ed-move-to-end"},
    {"\\eOH", "ed-move-to-beg"},
    {"\\eOF", "ed-move-to-end"},
    {"\\e[1~", "ed-move-to-beg"},
    {"\\e[4~", "ed-move-to-end"},
    {"\\e[7~", "ed-move-to-beg"},
    {"\\e[8~", "ed-move-to-end"},
    {"\\e[3~", "ed-delete-next-char"},
}};

}  // namespace

EditedInput::EditedInput(WordWrapper& screen, int outputFd)
    : screen(screen), outputFd(outputFd), seenResizes(terminal_state::resizes()) {
    editor = el_init("vellumfall", stdin, stdout, stderr);
    entered = history_init();
    HistEvent event{};
    history(entered, &event, H_SETSIZE, kHistorySize);
    history(entered, &event, H_SETUNIQUE, 1);
    el_set(editor, EL_CLIENTDATA, this);
    el_set(editor, EL_PROMPT, &EditedInput::promptOf);
    el_set(editor, EL_EDITOR, "emacs");
    el_set(editor, EL_HIST, history, entered);
    // libedit puts the terminal's mode back around signals, and redraws after Ctrl-Z.
    el_set(editor, EL_SIGNAL, 1);
    for (const KeyBinding& binding : kBindings) {
        el_set(editor, EL_BIND, binding.keys, binding.command, nullptr);
    }
}

EditedInput::~EditedInput() {
    el_end(editor);
    history_end(entered);
}

char* EditedInput::promptOf(editline* editor) {
    void* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return static_cast<EditedInput*>(self)->prompt.data();
}

bool EditedInput::readChunk(std::string& chunk) {
    prompt = screen.currentLine();
    if (!prompt.empty()) {
        // The prompt is on the screen already; the editor draws it again from the start
        // of the line, where it expects to begin.
        writeAll(outputFd, "\r");
    }
    if (const unsigned resizes = terminal_state::resizes(); resizes != seenResizes) {
        seenResizes = resizes;
        el_resize(editor);
    }
    int count = 0;
    const char* line = el_gets(editor, &count);
    if (count < 0) {
        failToRead(errno);
    }
    if (line == nullptr || count == 0) {
        return false;
    }
    screen.startLine();
    std::string_view text(line, static_cast<std::size_t>(count));
    chunk.append(text);
    if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    if (!text.empty()) {
        HistEvent event{};
        history(entered, &event, H_ENTER, std::string(text).c_str());
    }
    return true;
}
