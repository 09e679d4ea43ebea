#include "console/LineEditor.h"

#include <array>
#include <limits>
#include <string>

#include "console/Letters.h"

enum class EditAction {
    Enter,
    EndOrDelete,
    Backspace,
    Delete,
    Left,
    Right,
    Home,
    End,
    Up,
    Down,
    KillToEnd,
    KillToStart,
    KillWord,
};

namespace {

struct Binding {
    std::string_view key;
    EditAction action;
};

// The keys of a shell's emacs mode, and the forms terminals send Home, End and Delete in.
constexpr std::array<Binding, 33> kBindings{{
    {"\r", EditAction::Enter},         {"\n", EditAction::Enter},
    {"\x04", EditAction::EndOrDelete}, {"\x7f", EditAction::Backspace},
    {"\x08", EditAction::Backspace},   {"\x1b[3~", EditAction::Delete},
    {"\x02", EditAction::Left},        {"\x1b[D", EditAction::Left},
    {"\x1bOD", EditAction::Left},      {"\x06", EditAction::Right},
    {"\x1b[C", EditAction::Right},     {"\x1bOC", EditAction::Right},
    {"\x01", EditAction::Home},        {"\x1b[H", EditAction::Home},
    {"\x1bOH", EditAction::Home},      {"\x1b[1~", EditAction::Home},
    {"\x1b[7~", EditAction::Home},     {"\x05", EditAction::End},
    {"\x1b[F", EditAction::End},       {"\x1bOF", EditAction::End},
    {"\x1b[4~", EditAction::End},      {"\x1b[8~", EditAction::End},
    {"\x10", EditAction::Up},          {"\x1b[A", EditAction::Up},
    {"\x1bOA", EditAction::Up},        {"\x0e", EditAction::Down},
    {"\x1b[B", EditAction::Down},      {"\x1bOB", EditAction::Down},
    {"\x0b", EditAction::KillToEnd},   {"\x15", EditAction::KillToStart},
    {"\x17", EditAction::KillWord},    {"\x1b[1;5D", EditAction::Left},
    {"\x1b[1;5C", EditAction::Right},
}};

std::optional<EditAction> actionOf(std::string_view key) {
    for (const Binding& binding : kBindings) {
        if (binding.key == key) {
            return binding.action;
        }
    }
    return std::nullopt;
}

std::size_t columnsOfLetters(std::u32string_view letters) {
    std::size_t columns = 0;
    for (const char32_t letter : letters) {
        columns += columnsOf(letter);
    }
    return columns;
}

std::string cursorMove(std::size_t count, char direction) {
    return "\x1b[" + std::to_string(count) + direction;
}

}  // namespace

std::optional<std::string> LineEditor::readLine(std::string_view shownPrompt) {
    prompt = shownPrompt;
    promptColumns = columnsOfLetters(lettersOf(prompt));
    line.clear();
    cursor = 0;
    recalled = history.size();
    typed.clear();
    at = 0;
    drawnColumns = 0;
    if (!prompt.empty()) {
        // Drawn again from the start of the line, as the editor knows it.
        terminal.draw("\r" + prompt);
        at = promptColumns;
        drawnColumns = at;
        keepCursorOnScreen();
    }
    for (;;) {
        const std::optional<std::string> key = terminal.nextKey([this] { drawAgain(); });
        if (!key) {
            if (line.empty()) {
                return std::nullopt;
            }
            std::string text = textOf(line);
            line.clear();
            return text;
        }
        const std::optional<EditAction> action = actionOf(*key);
        if (!action) {
            // A key of its own that is no letter (F1, Escape, Tab) does nothing.
            if (const auto letter = letterOf(*key); letter && *letter >= U' ') {
                insert(*letter);
            }
            continue;
        }
        const Outcome outcome = perform(*action);
        if (outcome == Outcome::Entered) {
            return textOf(line) + '\n';
        }
        if (outcome == Outcome::Ended) {
            return std::nullopt;
        }
    }
}

LineEditor::Outcome LineEditor::perform(EditAction action) {
    switch (action) {
        case EditAction::Enter: enter(); return Outcome::Entered;
        case EditAction::EndOrDelete:
            if (line.empty()) {
                terminal.draw("^D");
                return Outcome::Ended;
            }
            erase(cursor, cursor + 1);
            break;
        case EditAction::Backspace: erase(cursor > 0 ? cursor - 1 : 0, cursor); break;
        case EditAction::Delete: erase(cursor, cursor + 1); break;
        case EditAction::Left: moveCursor(cursor > 0 ? cursor - 1 : 0); break;
        case EditAction::Right: moveCursor(cursor + 1); break;
        case EditAction::Home: moveCursor(0); break;
        case EditAction::End: moveCursor(line.size()); break;
        case EditAction::Up:
            if (recalled > 0) {
                recall(recalled - 1);
            }
            break;
        case EditAction::Down:
            if (recalled < history.size()) {
                recall(recalled + 1);
            }
            break;
        case EditAction::KillToEnd: erase(cursor, line.size()); break;
        case EditAction::KillToStart: erase(0, cursor); break;
        case EditAction::KillWord: {
            std::size_t start = cursor;
            while (start > 0 && line[start - 1] == U' ') {
                --start;
            }
            while (start > 0 && line[start - 1] != U' ') {
                --start;
            }
            erase(start, cursor);
            break;
        }
    }
    return Outcome::Editing;
}

void LineEditor::insert(char32_t letter) {
    if (cursor < line.size()) {
        line.insert(cursor, 1, letter);
        ++cursor;
        redraw();
        return;
    }
    // Typed at the end, as most letters are: only the letter itself is drawn, so a long line
    // pasted costs no more than its letters.
    line += letter;
    ++cursor;
    std::string bytes;
    appendLetter(bytes, letter);
    terminal.draw(bytes);
    at += columnsOf(letter);
    drawnColumns = at;
    keepCursorOnScreen();
}

void LineEditor::moveCursor(std::size_t index) {
    if (index > line.size()) {
        return;
    }
    moveTo(columnsBefore(index));
    cursor = index;
}

void LineEditor::recall(std::size_t index) {
    if (recalled == history.size()) {
        typed = line;
    }
    recalled = index;
    line = index == history.size() ? typed : lettersOf(history.at(index));
    cursor = line.size();
    redraw();
}

void LineEditor::erase(std::size_t from, std::size_t to) {
    if (from >= to || to > line.size()) {
        return;
    }
    line.erase(from, to - from);
    cursor = from;
    redraw();
}

void LineEditor::enter() {
    // Below the whole line, however many rows it takes; a terminal in key mode still turns
    // the "\n" into "\r\n", as it does for the game's text.
    const std::size_t width = rowWidth();
    if (const std::size_t endRow = drawnColumns / width, row = at / width; endRow > row) {
        terminal.draw(cursorMove(endRow - row, 'B'));
    }
    terminal.draw("\n");
    history.add(textOf(line));
}

std::size_t LineEditor::columnsBefore(std::size_t index) const {
    return promptColumns + columnsOfLetters(std::u32string_view(line).substr(0, index));
}

void LineEditor::redraw() {
    if (const std::size_t row = at / rowWidth(); row > 0) {
        terminal.draw(cursorMove(row, 'A'));
    }
    const std::size_t drawnBefore = drawnColumns;
    drawLine();
    if (drawnColumns < drawnBefore) {
        // What was drawn past the new end, on its row, or on the rows below it too.
        const bool moreRows = drawnBefore / rowWidth() > drawnColumns / rowWidth();
        terminal.draw(moreRows ? "\x1b[J" : "\x1b[K");
    }
    moveTo(columnsBefore(cursor));
}

void LineEditor::drawAgain() {
    drawLine();
    moveTo(columnsBefore(cursor));
}

void LineEditor::drawLine() {
    terminal.draw("\r" + prompt + textOf(line));
    at = columnsBefore(line.size());
    drawnColumns = at;
    keepCursorOnScreen();
}

void LineEditor::moveTo(std::size_t column) {
    const std::size_t width = rowWidth();
    const std::size_t fromRow = at / width;
    const std::size_t fromColumn = at % width;
    const std::size_t toRow = column / width;
    const std::size_t toColumn = column % width;
    std::string moves;
    if (toRow != fromRow) {
        moves =
            toRow < fromRow ? cursorMove(fromRow - toRow, 'A') : cursorMove(toRow - fromRow, 'B');
        moves += '\r';
        if (toColumn > 0) {
            moves += cursorMove(toColumn, 'C');
        }
    } else if (toColumn < fromColumn) {
        moves.assign(fromColumn - toColumn, '\b');
    } else if (toColumn > fromColumn) {
        moves = cursorMove(toColumn - fromColumn, 'C');
    }
    if (!moves.empty()) {
        terminal.draw(moves);
    }
    at = column;
}

void LineEditor::keepCursorOnScreen() {
    // Text that ends in the last column leaves the cursor there, waiting to wrap; a blank
    // takes it to the next row, which is where the editor counts it, whatever the terminal.
    const std::size_t width = terminal.width();
    if (width > 0 && at > 0 && at % width == 0) {
        terminal.draw(" \r");
    }
}

std::size_t LineEditor::rowWidth() {
    const std::size_t width = terminal.width();
    return width > 0 ? width : std::numeric_limits<std::size_t>::max();
}
