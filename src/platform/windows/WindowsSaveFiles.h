#pragma once

#include "app/SaveFiles.h"

// The saves as Windows keeps files: the autosave in %LOCALAPPDATA%\vellumfall\, written to a
// temporary file beside it, flushed to the disk and moved over it in one step.
class WindowsSaveFiles final : public SaveFiles {
public:
    std::optional<std::string> autosavePath() override;
    std::string autosaveDescription() override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    void replace(const std::string& path, const std::string& text) override;
    void remove(const std::string& path) override;
};
