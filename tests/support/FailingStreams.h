#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "console/ChunkedStreams.h"
#include "console/StreamFailure.h"

// Stream buffers that give out part-way, as a closed terminal or a full disk does: after
// `failAfter` bytes the next read or write throws StreamFailure. Input comes in small
// pieces, the way a terminal hands over lines, so that pieces are put together too.

class FailingInput final : public ChunkedInputBuffer {
public:
    FailingInput(std::string input, std::size_t failAt, std::size_t piecesOf = 5)
        : text(std::move(input)),
          failAfter(failAt),
          pieceSize(std::max<std::size_t>(1, piecesOf)) {}

    bool failed() const { return hasFailed; }

protected:
    bool readChunk(std::string& chunk) override {
        if (offset >= failAfter) {
            hasFailed = true;
            failToRead(EIO);
        }
        if (offset == text.size()) {
            return false;
        }
        const std::size_t length = std::min({pieceSize, text.size() - offset, failAfter - offset});
        chunk.append(text, offset, length);
        offset += length;
        return true;
    }

private:
    std::string text;
    std::size_t failAfter;
    std::size_t pieceSize;
    std::size_t offset = 0;
    bool hasFailed = false;
};

class FailingOutput final : public ChunkedOutputBuffer {
public:
    explicit FailingOutput(std::size_t failAt) : failAfter(failAt) {}

    bool failed() const { return hasFailed; }
    const std::string& written() const { return text; }

protected:
    void writeChunk(std::string_view chunk) override {
        if (text.size() + chunk.size() > failAfter) {
            hasFailed = true;
            text.append(chunk.substr(0, failAfter - text.size()));
            failToWrite(ENOSPC);
        }
        text.append(chunk);
    }

private:
    std::size_t failAfter;
    std::string text;
    bool hasFailed = false;
};
