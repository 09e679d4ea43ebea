#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where each system keeps a program's state, and so the autosave, from its environment:
// the XDG base directory convention on POSIX systems ($XDG_STATE_HOME, by default
// ~/.local/state), %LOCALAPPDATA% on Windows. Nothing where the environment names no
// folder (a relative path counts as none, as the convention says).
std::optional<std::string> xdgAutosavePath(const std::optional<std::string>& stateHome,
                                           const std::optional<std::string>& home);
std::optional<std::string> windowsAutosavePath(const std::optional<std::string>& localAppData);

// The same, in words for --help.
inline constexpr std::string_view kXdgAutosave =
    "$XDG_STATE_HOME/vellumfall/vellumfall.save (by default under ~/.local/state/)";
inline constexpr std::string_view kWindowsAutosave = "%LOCALAPPDATA%\\vellumfall\\vellumfall.save";
