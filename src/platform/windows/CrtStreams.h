#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"

// The game's text read from and written to the C runtime's file descriptors with _read
// and _write, in the text or binary mode main() gave them, so that a failure is seen
// with its reason instead of being taken for the end of input.

class CrtInput final : public ChunkedInputBuffer {
public:
    explicit CrtInput(int fd) : fd(fd) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    int fd;
};

class CrtOutput final : public ChunkedOutputBuffer {
public:
    explicit CrtOutput(int fd) : fd(fd) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    int fd;
};
