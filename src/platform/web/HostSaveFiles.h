#pragma once

#include "app/SaveFiles.h"

// The saves through the JavaScript host's files: Node's file system, where the autosave
// follows the convention of the system Node runs on, or a page's storage, which names its
// own autosave. A host without files saves nothing.
class HostSaveFiles final : public SaveFiles {
public:
    std::optional<std::string> autosavePath() override;
    std::string autosaveDescription() override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    void replace(const std::string& path, const std::string& text) override;
    void remove(const std::string& path) override;
};
