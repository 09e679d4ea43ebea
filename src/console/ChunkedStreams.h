#pragma once

#include <array>
#include <streambuf>
#include <string>
#include <string_view>

class WordWrapper;

// Stream buffers over whatever a platform reads from and writes to: a file descriptor, a
// line editor, a web page. A platform says only how to get and put one piece of text; the
// buffering, and the few rules that hold wherever the game runs, live here.

// Input, a piece at a time: what one read, one edited line or one message from a page
// brings. A UTF-8 byte-order mark at the very start of the input is skipped: editors on
// Windows put one at the start of a file, and it is not part of the first word.
class ChunkedInputBuffer : public std::streambuf {
protected:
    // Appends the next piece of input to `chunk`. Returns false at the end of input;
    // throws StreamFailure when the source fails.
    virtual bool readChunk(std::string& chunk) = 0;

    int_type underflow() override;

private:
    // Reads on until the start of the input tells whether it is a mark, which may come
    // split over pieces; returns what the last read returned.
    bool skipByteOrderMark(bool more);

    std::string piece;
    bool atStart = true;
};

// Output, buffered until it is full or flushed, then handed on in one piece. With a
// wrapper, the text is broken between words on its way to a terminal, the same way on
// every platform; a word it holds back goes out at the flush, when the player is about to
// read.
class ChunkedOutputBuffer : public std::streambuf {
public:
    explicit ChunkedOutputBuffer(WordWrapper* textWrapper = nullptr);

protected:
    // Writes all of `text`, or throws StreamFailure.
    virtual void writeChunk(std::string_view text) = 0;

    int_type overflow(int_type character) override;
    int sync() override;

private:
    void handOn();
    void writeWrapped();

    WordWrapper* wrapper;
    std::string wrapped;
    std::array<char, 8192> buffer{};
};
