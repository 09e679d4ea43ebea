#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"

// The game's text read from and written to file descriptors with read(2) and write(2),
// so that a failure is seen with its reason instead of being taken for the end of input.

class DescriptorInput final : public ChunkedInputBuffer {
public:
    explicit DescriptorInput(int fd) : fd(fd) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    int fd;
};

class DescriptorOutput : public ChunkedOutputBuffer {
public:
    explicit DescriptorOutput(int fd) : fd(fd) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    int fd;
};

// Writes all of `text` to `fd`, waiting where the descriptor is not ready; throws
// StreamFailure when the system refuses.
void writeAll(int fd, std::string_view text);
