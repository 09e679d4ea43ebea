#include "platform/posix/KeyReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "console/StreamFailure.h"

namespace {

constexpr unsigned char kEscape = 0x1b;
// The bytes of one key arrive together; a lone Escape is followed by nothing this soon.
constexpr int kRestOfKeyMs = 50;
// No key sends a longer sequence; a stream of bytes is not one key.
constexpr int kLongestSequence = 16;

// Waits until `fd` has input, redrawing the wait after the game was stopped and continued.
void waitForInput(int fd, terminal_state::Redraw& redraw) {
    pollfd ready{fd, POLLIN, 0};
    int polled = 0;
    do {
        polled = ::poll(&ready, 1, -1);
        const int pollError = errno;
        redraw.ifContinued();
        errno = pollError;
    } while (polled < 0 && errno == EINTR);
}

// False at the end of input.
bool readByte(int fd, unsigned char& byte) {
    for (;;) {
        const ssize_t got = ::read(fd, &byte, 1);
        if (got >= 0) {
            return got == 1;
        }
        if (errno != EINTR) {
            failToRead(errno);
        }
    }
}

// The next byte of the same key, if one comes at once.
bool readFollowingByte(int fd, unsigned char& byte) {
    pollfd ready{fd, POLLIN, 0};
    int polled = 0;
    do {
        polled = ::poll(&ready, 1, kRestOfKeyMs);
    } while (polled < 0 && errno == EINTR);
    return polled > 0 && readByte(fd, byte);
}

bool isFinalByteOfSequence(unsigned char byte) {
    return byte >= 0x40 && byte <= 0x7e;
}

// After Escape: "[" starts a control sequence that runs to its final byte ("ESC [ [ A"
// on the Linux console has a bracket more), "O" takes one byte more, and anything else
// is Alt held with that key.
void readRestOfEscape(int fd) {
    unsigned char byte = 0;
    if (!readFollowingByte(fd, byte)) {
        return;
    }
    if (byte == 'O') {
        readFollowingByte(fd, byte);
        return;
    }
    if (byte != '[' || !readFollowingByte(fd, byte)) {
        return;
    }
    if (byte == '[') {
        readFollowingByte(fd, byte);
        return;
    }
    for (int length = 0; length < kLongestSequence && !isFinalByteOfSequence(byte); ++length) {
        if (!readFollowingByte(fd, byte)) {
            return;
        }
    }
}

int continuationBytesAfter(unsigned char lead) {
    if (lead >= 0xf0) {
        return 3;
    }
    if (lead >= 0xe0) {
        return 2;
    }
    return lead >= 0xc0 ? 1 : 0;
}

}  // namespace

void readOneKey(int fd, terminal_state::Redraw& redraw) {
    waitForInput(fd, redraw);
    unsigned char first = 0;
    if (!readByte(fd, first)) {
        return;
    }
    if (first == kEscape) {
        readRestOfEscape(fd);
        return;
    }
    unsigned char byte = 0;
    for (int left = continuationBytesAfter(first); left > 0; --left) {
        if (!readFollowingByte(fd, byte)) {
            return;
        }
    }
}
