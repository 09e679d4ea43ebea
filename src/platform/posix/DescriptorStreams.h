#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"

class WordWrapper;

// The game's text read from and written to file descriptors with read(2) and write(2),
// so that a failure is seen with its reason instead of being taken for the end of input.

class DescriptorInput final : public ChunkedInputBuffer {
public:
    // `echoedTo`, where input comes from the terminal the text is wrapped for: each line
    // read was ended with Enter, which took the cursor to the start of a line.
    explicit DescriptorInput(int descriptor, WordWrapper* screen = nullptr)
        : fd(descriptor), echoedTo(screen) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    int fd;
    WordWrapper* echoedTo;
};

// With a wrapper, the text is wrapped on its way to the terminal.
class DescriptorOutput final : public ChunkedOutputBuffer {
public:
    explicit DescriptorOutput(int descriptor, WordWrapper* textWrapper = nullptr)
        : ChunkedOutputBuffer(textWrapper), fd(descriptor) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    int fd;
};

// Writes all of `text` to `fd`, waiting where the descriptor is not ready; throws
// StreamFailure when the system refuses.
void writeAll(int fd, std::string_view text);
