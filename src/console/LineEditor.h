#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/LineHistory.h"

// What the line editor needs of its terminal: the keys the player presses, whole, and the
// screen they are drawn on.
class EditorTerminal {
public:
    virtual ~EditorTerminal() = default;

    // The next whole key; nothing at the end of input. `showAgain` draws the line again where
    // the game was stopped and continued while it waited.
    virtual std::optional<std::string> nextKey(const std::function<void()>& showAgain) = 0;
    // Draws on the screen, at the latest before the next wait for a key.
    virtual void draw(std::string_view bytes) = 0;
    // The screen's width in columns; 0 when it does not say.
    virtual std::size_t width() = 0;

protected:
    EditorTerminal() = default;
    EditorTerminal(const EditorTerminal&) = default;
    EditorTerminal& operator=(const EditorTerminal&) = default;
};

enum class EditAction;

// Lines edited as in a shell, for a terminal whose host has no line editor of its own (the
// native game has libedit). The keys: Left, Right, Home, End, Backspace, Delete, Ctrl-A,
// Ctrl-E, Ctrl-B, Ctrl-F, Ctrl-K, Ctrl-U, Ctrl-W, Up and Down (and Ctrl-P, Ctrl-N) through
// the lines entered in this session, Enter, and Ctrl-D, which on an empty line ends the
// input. A letter is one character however many bytes of UTF-8 it takes; bytes that are no
// letter are dropped. It draws as libedit does where that is simple: the cursor moved back
// with backspaces, a changed line drawn again from the prompt and cleared after its end.
class LineEditor {
public:
    explicit LineEditor(EditorTerminal& screenAndKeys) : terminal(screenAndKeys) {}

    // One line, ended by "\n", edited behind `prompt`, which the screen shows already at the
    // start of its line. Nothing at the end of input; the line typed so far, without "\n",
    // when the input ends in the middle of it.
    std::optional<std::string> readLine(std::string_view prompt);

private:
    enum class Outcome { Editing, Entered, Ended };

    Outcome perform(EditAction action);
    void insert(char32_t letter);
    void moveCursor(std::size_t index);
    void recall(std::size_t index);
    void erase(std::size_t from, std::size_t to);
    void enter();

    // The screen, in columns from where the prompt starts.
    std::size_t columnsBefore(std::size_t index) const;
    // The line drawn again from the prompt, after a change (redraw) or on a fresh line after
    // a stop (drawAgain).
    void redraw();
    void drawAgain();
    void drawLine();
    void moveTo(std::size_t column);
    void keepCursorOnScreen();
    std::size_t rowWidth();

    EditorTerminal& terminal;
    LineHistory history;
    std::string prompt;
    std::u32string line;
    std::size_t cursor = 0;
    // Where the history stands while Up and Down go through it, and the line being typed
    // before they did.
    std::size_t recalled = 0;
    std::u32string typed;
    // The columns of the prompt, of what was drawn last, and where the cursor is.
    std::size_t promptColumns = 0;
    std::size_t drawnColumns = 0;
    std::size_t at = 0;
};
