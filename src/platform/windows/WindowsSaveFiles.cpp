#include "platform/windows/WindowsSaveFiles.h"

#include <windows.h>

#include <string_view>
#include <system_error>

#include "app/AutosavePath.h"

namespace {

// Paths are UTF-8 in the game and UTF-16 for the system.
std::wstring wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(),
                          size);
    return converted;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(),
                          size, nullptr, nullptr);
    return converted;
}

// The system's words for its last error, without the line end they come with.
[[noreturn]] void fail() {
    std::string reason = std::system_category().message(static_cast<int>(::GetLastError()));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == '.' || reason.back() == ' ')) {
        reason.pop_back();
    }
    throw SaveFiles::Failure(reason);
}

// A handle closed however its scope is left.
class Handle {
public:
    explicit Handle(HANDLE opened) : handle(opened) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle; }

private:
    HANDLE handle;
};

void makeFolders(const std::wstring& folder) {
    for (std::size_t separator = folder.find(L'\\', 3);;
         separator = folder.find(L'\\', separator + 1)) {
        const std::wstring part = folder.substr(0, separator);
        if (::CreateDirectoryW(part.c_str(), nullptr) == 0 &&
            ::GetLastError() != ERROR_ALREADY_EXISTS) {
            fail();
        }
        if (separator == std::wstring::npos) {
            return;
        }
    }
}

}  // namespace

std::optional<std::string> WindowsSaveFiles::autosavePath() {
    std::wstring folder(MAX_PATH, L'\0');
    DWORD size = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(),
                                           static_cast<DWORD>(folder.size()));
    if (size > folder.size()) {
        folder.resize(size);
        size = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), size);
    }
    if (size == 0 || size > folder.size()) {
        return std::nullopt;
    }
    folder.resize(size);
    return windowsAutosavePath(narrow(folder));
}

std::string WindowsSaveFiles::autosaveDescription() {
    return std::string(kWindowsAutosave);
}

std::optional<std::string> WindowsSaveFiles::read(const std::string& path, std::size_t limit) {
    const Handle file(::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        fail();
    }
    // Not a pipe or a console given for a file, which would not end.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        throw Failure("not a file");
    }
    std::string text;
    constexpr DWORD kPiece = 65536;
    while (text.size() <= limit) {
        const std::size_t old = text.size();
        text.resize(old + kPiece);
        DWORD got = 0;
        if (::ReadFile(file.get(), text.data() + old, kPiece, &got, nullptr) == 0) {
            fail();
        }
        text.resize(old + got);
        if (got == 0) {
            break;
        }
    }
    if (text.size() > limit + 1) {
        text.resize(limit + 1);
    }
    return text;
}

void WindowsSaveFiles::replace(const std::string& path, const std::string& text) {
    const std::wstring target = wide(path);
    const std::size_t separator = target.rfind(L'\\');
    if (separator != std::wstring::npos) {
        makeFolders(target.substr(0, separator));
    }
    const std::wstring temporary = target + L".tmp";
    {
        const Handle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            fail();
        }
        std::string_view rest = text;
        while (!rest.empty()) {
            DWORD written = 0;
            if (::WriteFile(file.get(), rest.data(), static_cast<DWORD>(rest.size()), &written,
                            nullptr) == 0 ||
                written == 0) {
                const DWORD error = ::GetLastError();
                ::DeleteFileW(temporary.c_str());
                ::SetLastError(error);
                fail();
            }
            rest.remove_prefix(written);
        }
        if (::FlushFileBuffers(file.get()) == 0) {
            fail();
        }
    }
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        ::SetLastError(error);
        fail();
    }
}

void WindowsSaveFiles::remove(const std::string& path) {
    ::DeleteFileW(wide(path).c_str());
}
