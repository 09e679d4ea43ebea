#include "platform/posix/DescriptorStreams.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "console/StreamFailure.h"
#include "console/WordWrapper.h"

namespace {

constexpr std::size_t kReadSize = 4096;

// A descriptor left non-blocking by whoever started the game is waited on, not failed.
bool waitIfNotReady(int fd, short event) {
    // The two are one number on some systems, two on others.
    constexpr std::array kNotReady{EAGAIN, EWOULDBLOCK};
    if (std::ranges::find(kNotReady, errno) == kNotReady.end()) {
        return false;
    }
    pollfd ready{fd, event, 0};
    ::poll(&ready, 1, -1);
    return true;
}

}  // namespace

bool DescriptorInput::readChunk(std::string& chunk) {
    const std::size_t old = chunk.size();
    chunk.resize(old + kReadSize);
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data() + old, kReadSize);
        if (got >= 0) {
            chunk.resize(old + static_cast<std::size_t>(got));
            if (got > 0 && echoedTo != nullptr) {
                echoedTo->startLine();
            }
            return got > 0;
        }
        if (errno != EINTR && !waitIfNotReady(fd, POLLIN)) {
            failToRead(errno);
        }
    }
}

void DescriptorOutput::writeChunk(std::string_view text) {
    writeAll(fd, text);
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written > 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (written == 0) {
            // Nothing taken and no reason given: waiting would be for ever.
            failToWrite(EIO);
        } else if (errno != EINTR && !waitIfNotReady(fd, POLLOUT)) {
            failToWrite(errno);
        }
    }
}
