#include "platform/web/HostSaveFiles.h"

#include <emscripten/emscripten.h>

#include <string_view>
#include <system_error>

#include "app/AutosavePath.h"
#include "platform/web/HostCalls.h"

// A host with files has readFile(path, limit), which returns the bytes or null when there
// is no such file, replaceFile(path, bytes) and removeFile(path); a failure throws a
// Node-style error whose `code` names it. The bodies are JavaScript.
// clang-format off

EM_JS(int, hostHasFiles, (), { return typeof Module.host.readFile === 'function' ? 1 : 0; });

// The autosave a host names itself (a page's storage), its size as UTF-8, or -1.
EM_JS(int, hostAutosaveNameSize, (), {
    const name = Module.host.autosaveName;
    if (typeof name !== 'string') {
        return -1;
    }
    Module.fileBytes = new TextEncoder().encode(name);
    return Module.fileBytes.length;
});

EM_JS(int, hostIsWindows, (), { return Module.host.platform === 'win32' ? 1 : 0; });

// The file's size, -1 when there is none, or minus 2 and the errno of a failure.
EM_JS(int, hostReadFile, (const char* path, int limit), {
    try {
        const bytes = Module.host.readFile(UTF8ToString(path), limit);
        if (bytes === null || bytes === undefined) {
            return -1;
        }
        Module.fileBytes = bytes;
        return bytes.length;
    } catch (error) {
        return -2 - (ERRNO_CODES[error.code] || ERRNO_CODES.EIO);
    }
});

EM_JS(void, hostTakeFileBytes, (char* destination), {
    HEAPU8.set(Module.fileBytes, destination);
    Module.fileBytes = null;
});

EM_JS(int, hostReplaceFile, (const char* path, const char* text, int size), {
    try {
        Module.host.replaceFile(UTF8ToString(path), HEAPU8.slice(text, text + size));
        return 0;
    } catch (error) {
        return ERRNO_CODES[error.code] || ERRNO_CODES.EIO;
    }
});

EM_JS(void, hostRemoveFile, (const char* path), {
    try {
        Module.host.removeFile(UTF8ToString(path));
    } catch (error) {
        // Nothing the player could do about it.
    }
});

// clang-format on

namespace {

std::string takeBytes(int size) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    hostTakeFileBytes(bytes.data());
    return bytes;
}

[[noreturn]] void fail(int errorNumber) {
    throw SaveFiles::Failure(std::generic_category().message(errorNumber));
}

}  // namespace

std::optional<std::string> HostSaveFiles::autosavePath() {
    if (hostHasFiles() == 0) {
        return std::nullopt;
    }
    if (const int size = hostAutosaveNameSize(); size >= 0) {
        return takeBytes(size);
    }
    return hostIsWindows() != 0
               ? windowsAutosavePath(host::environment("LOCALAPPDATA"))
               : xdgAutosavePath(host::environment("XDG_STATE_HOME"), host::environment("HOME"));
}

std::string HostSaveFiles::autosaveDescription() {
    if (hostHasFiles() != 0 && hostAutosaveNameSize() >= 0) {
        return "this browser's storage";
    }
    return std::string(hostIsWindows() != 0 ? kWindowsAutosave : kXdgAutosave);
}

std::optional<std::string> HostSaveFiles::read(const std::string& path, std::size_t limit) {
    if (hostHasFiles() == 0) {
        return std::nullopt;
    }
    const int size = hostReadFile(path.c_str(), static_cast<int>(limit));
    if (size == -1) {
        return std::nullopt;
    }
    if (size < -1) {
        fail(-2 - size);
    }
    return takeBytes(size);
}

void HostSaveFiles::replace(const std::string& path, const std::string& text) {
    if (const int error = hostReplaceFile(path.c_str(), text.data(), static_cast<int>(text.size()));
        error != 0) {
        fail(error);
    }
}

void HostSaveFiles::remove(const std::string& path) {
    hostRemoveFile(path.c_str());
}
