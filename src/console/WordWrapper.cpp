#include "console/WordWrapper.h"

#include <utility>

namespace {

constexpr char kEscape = '\x1b';
// The prompt is only wanted short; a longer line is not kept whole.
constexpr std::size_t kLongestKeptLine = 1024;
// A word this long is placed at once rather than held back.
constexpr std::size_t kLongestHeldWord = 4096;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xc0U) == 0x80U;
}

bool isFinalByteOfSequence(char byte) {
    return byte >= 0x40 && byte <= 0x7e;
}

}  // namespace

WordWrapper::WordWrapper(std::function<std::size_t()> terminalWidth)
    : width(std::move(terminalWidth)) {}

void WordWrapper::wrap(std::string_view text, std::string& wrapped) {
    for (const char byte : text) {
        take(byte, wrapped);
    }
}

void WordWrapper::flush(std::string& wrapped) {
    placeWord(wrapped);
    placeBlanks(wrapped);
}

void WordWrapper::startLine() {
    column = 0;
    blanks = 0;
    line.clear();
    lineStarted = false;
}

void WordWrapper::take(char byte, std::string& wrapped) {
    if (!lineStarted) {
        // Asked when the line begins, not when the last one ended: a resize in between
        // counts.
        lineWidth = width();
        lineStarted = true;
    }
    if (escape == Escape::Started) {
        escape = byte == '[' ? Escape::ControlSequence : Escape::None;
        wrapped += byte;
        return;
    }
    if (escape == Escape::ControlSequence) {
        wrapped += byte;
        if (isFinalByteOfSequence(byte)) {
            escape = Escape::None;
            // Cursor home: what follows starts a line.
            if (byte == 'H') {
                column = 0;
                line.clear();
            }
        }
        return;
    }
    if (byte == kEscape) {
        flush(wrapped);
        escape = Escape::Started;
        wrapped += byte;
    } else if (byte == '\n') {
        endLine(wrapped);
    } else if (byte == '\r') {
        // Back to the start of the same line, to write it again.
        flush(wrapped);
        wrapped += byte;
        column = 0;
        line.clear();
    } else if (byte == ' ') {
        placeWord(wrapped);
        ++blanks;
    } else {
        word += byte;
        if (!isContinuationByte(byte)) {
            ++wordColumns;
        }
        if (word.size() > kLongestHeldWord) {
            placeWord(wrapped);
        }
    }
}

void WordWrapper::placeWord(std::string& wrapped) {
    if (word.empty()) {
        return;
    }
    if (lineWidth > 0 && column + blanks + wordColumns > lineWidth) {
        // The blanks where the line breaks are not written: they would only push the
        // cursor on. Nor is an indent that would push the first word of a line past its
        // end, where the terminal would cut the word.
        if (column > 0) {
            wrapped += '\n';
            column = 0;
            line.clear();
        }
        blanks = 0;
    }
    placeBlanks(wrapped);
    emit(word, wordColumns, wrapped);
    word.clear();
    wordColumns = 0;
}

void WordWrapper::placeBlanks(std::string& wrapped) {
    // Blanks past the last column would fold onto a line of their own.
    if (lineWidth > 0 && column + blanks > lineWidth) {
        blanks = 0;
    }
    emit(std::string(blanks, ' '), blanks, wrapped);
    blanks = 0;
}

void WordWrapper::endLine(std::string& wrapped) {
    flush(wrapped);
    wrapped += '\n';
    startLine();
}

void WordWrapper::emit(std::string_view text, std::size_t columns, std::string& wrapped) {
    wrapped += text;
    column += columns;
    // A word wider than the terminal folds; the cursor ends where the terminal put it.
    while (lineWidth > 0 && column > lineWidth) {
        column -= lineWidth;
    }
    if (line.size() + text.size() <= kLongestKeptLine) {
        line += text;
    }
}
