#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"

class ConsoleScreen;

// The game's text read from and written to the C runtime's file descriptors with _read
// and _write, in the text or binary mode main() gave them, so that a failure is seen
// with its reason instead of being taken for the end of input.

class CrtInput final : public ChunkedInputBuffer {
public:
    // `echoedTo`, where input comes from the console the text is wrapped for: each line
    // read was ended with Enter, which took the cursor to the start of a line.
    explicit CrtInput(int fd, ConsoleScreen* echoedTo = nullptr) : fd(fd), echoedTo(echoedTo) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    int fd;
    ConsoleScreen* echoedTo;
};

// With a wrapper, the text is wrapped on its way to the console.
class CrtOutput final : public ChunkedOutputBuffer {
public:
    explicit CrtOutput(int fd, WordWrapper* wrapper = nullptr)
        : ChunkedOutputBuffer(wrapper), fd(fd) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    int fd;
};
