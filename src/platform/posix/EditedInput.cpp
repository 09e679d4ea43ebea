#include "platform/posix/EditedInput.h"

#include <histedit.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <string_view>

#include "console/LineHistory.h"
#include "console/StreamFailure.h"
#include "console/WordWrapper.h"
#include "platform/posix/DescriptorStreams.h"
#include "platform/posix/TerminalState.h"

namespace {

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

EditedInput::EditedInput(WordWrapper& text, int keyboard, int display)
    : screen(text),
      inputFd(keyboard),
      outputFd(display),
      seenResizes(terminal_state::resizes()),
      lineRedraw{terminal_state::continues(), [this] {
                     // The shell wrote over the line while the game was stopped; the editor
                     // draws it again from where it believes the line starts.
                     writeAll(this->outputFd, "\r");
                     el_set(editor, EL_REFRESH);
                 }} {
    // The terminal's encoding, so that a letter beyond ASCII is edited as one character.
    std::setlocale(LC_CTYPE, "");
    editor = el_init("vellumfall", stdin, stdout, stderr);
    entered = history_init();
    HistEvent event{};
    history(entered, &event, H_SETSIZE, static_cast<int>(LineHistory::kSize));
    history(entered, &event, H_SETUNIQUE, 1);
    el_set(editor, EL_CLIENTDATA, this);
    el_set(editor, EL_PROMPT, &EditedInput::promptOf);
    el_set(editor, EL_EDITOR, "emacs");
    el_set(editor, EL_HIST, history, entered);
    // Signals are the game's own (TerminalState.h): libedit's handler would pass each one on
    // to the whole process group, killing the shell script or launcher that started the game.
    // Reading keys ourselves, we put the line back on the screen after Ctrl-Z instead.
    el_set(editor, EL_SIGNAL, 0);
    el_set(editor, EL_GETCFN, static_cast<el_rfunc_t>(&EditedInput::readCharacter));
    for (const KeyBinding& binding : kBindings) {
        el_set(editor, EL_BIND, binding.keys, binding.command, nullptr);
    }
}

EditedInput::~EditedInput() {
    el_end(editor);
    history_end(entered);
}

int EditedInput::readCharacter(editline* editor, wchar_t* character) {
    void* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return static_cast<EditedInput*>(self)->readCharacter(*character);
}

int EditedInput::readCharacter(wchar_t& character) {
    std::mbstate_t state{};
    for (;;) {
        waitForInput();
        char byte = 0;
        const ssize_t got = ::read(inputFd, &byte, 1);
        if (got == 0) {
            return 0;
        }
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) {
                continue;
            }
            return -1;
        }
        const std::size_t length = std::mbrtowc(&character, &byte, 1, &state);
        if (length == static_cast<std::size_t>(-1)) {
            // Not a character of the terminal's encoding: dropped, as libedit would.
            state = {};
        } else if (length != static_cast<std::size_t>(-2)) {
            return 1;
        }
    }
}

void EditedInput::waitForInput() {
    pollfd ready{inputFd, POLLIN, 0};
    int polled = 0;
    do {
        // poll is never restarted after a handler; but a signal that came while the editor
        // was busy, or with the keys, cuts no poll short: so look after every one.
        polled = ::poll(&ready, 1, -1);
        const int pollError = errno;
        if (const unsigned resizes = terminal_state::resizes(); resizes != seenResizes) {
            seenResizes = resizes;
            el_resize(editor);
        }
        lineRedraw.ifContinued();
        errno = pollError;
    } while (polled < 0 && errno == EINTR);
}

char* EditedInput::promptOf(editline* editor) {
    void* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return static_cast<EditedInput*>(self)->prompt.data();
}

bool EditedInput::readChunk(std::string& chunk) {
    // Before the prompt is drawn: a stop from then on calls for drawing it again.
    lineRedraw.shownAt = terminal_state::continues();
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
