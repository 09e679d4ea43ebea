#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

// Files as a front end's system keeps them, for the saves: where the autosave lives, and
// reading, replacing and removing a file. Each front end brings its own (POSIX calls, the
// Windows API, Node's fs, the page's storage).
class SaveFiles {
public:
    // A file could not be read or written; `what()` is the system's reason.
    class Failure : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    virtual ~SaveFiles() = default;

    // The autosave's path, or nothing where the system names no folder for it (no HOME).
    virtual std::optional<std::string> autosavePath() = 0;
    // Where the autosave is kept, in the system's terms, for --help: a phrase of one line.
    virtual std::string autosaveDescription() = 0;
    // The whole file, or nothing when there is none; at most `limit` bytes and one more, so
    // that a larger file shows as larger without being read whole. Throws Failure.
    virtual std::optional<std::string> read(const std::string& path, std::size_t limit) = 0;
    // Replaces the file with `text` so that, whatever happens meanwhile (a kill, a power
    // cut), the file holds either its old text or the new one, whole; makes its folder
    // where there is none. Throws Failure.
    virtual void replace(const std::string& path, const std::string& text) = 0;
    // Removes the file, if there is one; a failure is not worth the player's attention.
    virtual void remove(const std::string& path) = 0;

protected:
    SaveFiles() = default;
    SaveFiles(const SaveFiles&) = default;
    SaveFiles& operator=(const SaveFiles&) = default;
};
