#include "app/AutosavePath.h"

namespace {

bool isAbsolute(const std::optional<std::string>& folder) {
    return folder.has_value() && folder->starts_with('/');
}

}  // namespace

std::optional<std::string> xdgAutosavePath(const std::optional<std::string>& stateHome,
                                           const std::optional<std::string>& home) {
    if (isAbsolute(stateHome)) {
        return *stateHome + "/vellumfall/vellumfall.save";
    }
    if (isAbsolute(home)) {
        return *home + "/.local/state/vellumfall/vellumfall.save";
    }
    return std::nullopt;
}

std::optional<std::string> windowsAutosavePath(const std::optional<std::string>& localAppData) {
    if (!localAppData || localAppData->empty()) {
        return std::nullopt;
    }
    return *localAppData + "\\vellumfall\\vellumfall.save";
}
