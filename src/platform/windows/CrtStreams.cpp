#include "platform/windows/CrtStreams.h"

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "console/StreamFailure.h"

namespace {

constexpr unsigned kReadSize = 4096;

// The C runtime keeps the system's own error beside errno, which it maps with a table
// that knows little of pipes: a reader gone away would be "Invalid argument".
int errorNumberOfLastCall() {
    switch (_doserrno) {
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA:
        case ERROR_PIPE_NOT_CONNECTED: return EPIPE;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        default: return errno != 0 ? errno : EIO;
    }
}

void clearLastError() {
    ::SetLastError(ERROR_SUCCESS);
    _doserrno = ERROR_SUCCESS;
    errno = 0;
}

}  // namespace

bool CrtInput::readChunk(std::string& chunk) {
    const std::size_t old = chunk.size();
    chunk.resize(old + kReadSize);
    for (;;) {
        clearLastError();
        const int got = ::_read(fd, chunk.data() + old, kReadSize);
        if (got > 0) {
            chunk.resize(old + static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0) {
            chunk.resize(old);
            return false;
        }
        failToRead(errorNumberOfLastCall());
    }
}

void CrtOutput::writeChunk(std::string_view text) {
    while (!text.empty()) {
        clearLastError();
        const int written = ::_write(fd, text.data(), static_cast<unsigned>(text.size()));
        if (written > 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (written == 0) {
            // Nothing taken and no reason given: trying again would be for ever.
            failToWrite(EIO);
        } else {
            failToWrite(errorNumberOfLastCall());
        }
    }
}
