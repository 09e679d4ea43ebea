#include "platform/posix/PosixSaveFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "app/AutosavePath.h"

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

[[noreturn]] void fail(int errorNumber) {
    throw SaveFiles::Failure(std::generic_category().message(errorNumber));
}

// A file descriptor closed however its scope is left.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd; }
    // Closes it, reporting what close reports: on some file systems the write's failure.
    void close() {
        const int closing = fd;
        fd = -1;
        if (::close(closing) != 0) {
            fail(errno);
        }
    }

private:
    int fd;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder and those above it, as the state folder wants them: the user's alone.
void makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            fail(errno);
        }
        if (slash == std::string::npos) {
            return;
        }
    }
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            fail(written < 0 ? errno : EIO);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

std::optional<std::string> PosixSaveFiles::autosavePath() {
    return xdgAutosavePath(environment("XDG_STATE_HOME"), environment("HOME"));
}

std::string PosixSaveFiles::autosaveDescription() {
    return std::string(kXdgAutosave);
}

std::optional<std::string> PosixSaveFiles::read(const std::string& path, std::size_t limit) {
    // Not blocking on a pipe or a terminal given for a file, which is then refused.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        fail(errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        fail(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        throw Failure("not a file");
    }
    std::string text;
    constexpr std::size_t kPiece = 65536;
    while (text.size() <= limit) {
        const std::size_t old = text.size();
        text.resize(old + kPiece);
        const ssize_t got = ::read(file.get(), text.data() + old, kPiece);
        if (got < 0 && errno == EINTR) {
            text.resize(old);
            continue;
        }
        if (got < 0) {
            fail(errno);
        }
        text.resize(old + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
    }
    if (text.size() > limit + 1) {
        text.resize(limit + 1);
    }
    return text;
}

void PosixSaveFiles::replace(const std::string& path, const std::string& text) {
    const std::string folder = folderOf(path);
    makeFolders(folder);
    const std::string temporary = path + '.' + std::to_string(::getpid()) + ".tmp";
    try {
        Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        if (file.get() < 0) {
            fail(errno);
        }
        writeAll(file.get(), text);
        if (::fsync(file.get()) != 0) {
            fail(errno);
        }
        file.close();
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            fail(errno);
        }
    } catch (const Failure&) {
        ::unlink(temporary.c_str());
        throw;
    }
    // The rename itself is on the disk once the folder is.
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        ::fsync(directory.get());
    }
}

void PosixSaveFiles::remove(const std::string& path) {
    ::unlink(path.c_str());
}
