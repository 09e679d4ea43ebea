#include "platform/posix/KeyReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "console/StreamFailure.h"
#include "console/WholeKey.h"

namespace {

// The terminal's bytes one read(2) of one byte at a time, so that nothing typed after the key
// is taken from the terminal with it: that is the line editor's.
class DescriptorKeys final : public KeySource {
public:
    DescriptorKeys(int keyboardFd, terminal_state::Redraw& waitShown)
        : fd(keyboardFd), redraw(waitShown) {}

    bool readKeyBytes(std::string& bytes, std::optional<std::chrono::milliseconds> wait) override {
        if (!waitForInput(wait)) {
            return true;
        }
        for (;;) {
            char byte = 0;
            const ssize_t got = ::read(fd, &byte, 1);
            if (got >= 0) {
                bytes.append(static_cast<std::size_t>(got), byte);
                return got == 1;
            }
            if (errno != EINTR) {
                failToRead(errno);
            }
        }
    }

private:
    // Until `fd` has input or `wait` is over; meanwhile draws the wait again after the game
    // was stopped and continued. False when the time passed.
    bool waitForInput(std::optional<std::chrono::milliseconds> wait) {
        pollfd ready{fd, POLLIN, 0};
        const int timeout = wait ? static_cast<int>(wait->count()) : -1;
        for (;;) {
            const int polled = ::poll(&ready, 1, timeout);
            const int pollError = errno;
            redraw.ifContinued();
            if (polled >= 0) {
                return polled > 0;
            }
            if (pollError != EINTR) {
                failToRead(pollError);
            }
        }
    }

    int fd;
    terminal_state::Redraw& redraw;
};

}  // namespace

void readOneKey(int fd, terminal_state::Redraw& redraw) {
    DescriptorKeys keys(fd, redraw);
    KeyBuffer pending;
    readWholeKey(keys, pending);
}
