#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A game as it was played, as a save file keeps it: what the player entered and what chance
// decided, in the order it happened, and the screen the game had reached. Replaying the
// entries in a new game brings it back to that screen, on any front end; see
// docs/save-format.md for the file's format.
struct SaveRecord {
    enum class Kind {
        // A line the player entered; its line end is implied.
        Line,
        // Input that ended without a line end.
        Text,
        // A key pressed at "Press any key".
        Key,
        // The square a zombie thrown by the meteor landed on.
        Scatter,
    };
    struct Entry {
        Kind kind;
        std::string text;
        int x = 0;
        int y = 0;
    };

    std::vector<Entry> entries;
    // The screen's text since it was last cleared, a line each; the last is the line the
    // cursor is on, without its line end. Only its last kScreenLines lines are kept.
    std::vector<std::string> screen;
    // False for a record shortened in play (undo), whose screen no one has seen: its replay
    // shows whatever screen it reaches.
    bool screenKnown = true;
};

// A save file cannot be used: `what()` says why, in words for the player.
class SaveUnreadable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The format's version this game writes and reads; a save of a newer one is refused.
inline constexpr int kSaveVersion = 1;
// Bounds on what is read, whatever the file: no game comes near them.
inline constexpr std::size_t kLargestSave = std::size_t{16} << 20;
inline constexpr std::size_t kLongestEntry = std::size_t{1} << 20;
inline constexpr std::size_t kScreenLines = 100;

// The first line of every save.
std::string saveHeader();
// One entry as a line of the file, line end included.
std::string formatEntry(const SaveRecord::Entry& entry);
std::string formatScreen(const std::vector<std::string>& screen);
std::string formatSave(const SaveRecord& record);

// Takes back the last line the player entered, with whatever followed it; false when there
// is none.
bool takeBackLastLine(SaveRecord& record);

// Throws SaveUnreadable for a file that is not a save, one of a newer version, or one that
// is damaged or out of bounds.
SaveRecord parseSave(std::string_view file);
