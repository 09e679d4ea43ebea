#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"

// The game's text read from and written to the C runtime's file descriptors with _read
// and _write, in binary mode, so that a failure is seen with its reason instead of being
// taken for the end of input. (A console is read by ConsoleInput.)

class CrtInput final : public ChunkedInputBuffer {
public:
    explicit CrtInput(int descriptor) : fd(descriptor) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    int fd;
};

// With a wrapper, the text is wrapped on its way to the console.
class CrtOutput final : public ChunkedOutputBuffer {
public:
    explicit CrtOutput(int descriptor, WordWrapper* textWrapper = nullptr)
        : ChunkedOutputBuffer(textWrapper), fd(descriptor) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    int fd;
};
