#pragma once

#include "app/SaveFiles.h"

// The saves as POSIX keeps files: the autosave in the user's state folder,
// $XDG_STATE_HOME/vellumfall/ (by default ~/.local/state/vellumfall/), written to a
// temporary file beside it, flushed to the disk and renamed over it.
class PosixSaveFiles final : public SaveFiles {
public:
    std::optional<std::string> autosavePath() override;
    std::string autosaveDescription() override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    void replace(const std::string& path, const std::string& text) override;
    void remove(const std::string& path) override;
};
