#pragma once

#include <array>
#include <csignal>
#include <string_view>

// The signals of a POSIX terminal that the game answers: numbers for the POSIX front end,
// names for a JavaScript host that runs on one. (Windows has none of them but SIGINT and
// SIGTERM, and its console its own events.)
struct TerminalSignal {
    int number;
    std::string_view name;
};

// Each ends the game, once the terminal is given back as it was found.
inline constexpr std::array<TerminalSignal, 4> kDeadlySignals{{
    {SIGINT, "SIGINT"},
    {SIGTERM, "SIGTERM"},
    {SIGHUP, "SIGHUP"},
    {SIGQUIT, "SIGQUIT"},
}};

// Each stops the game, once the terminal is given back; continued, the game takes it again
// and shows again what it waits on. SIGTSTP is the key's (Ctrl-Z) or someone's; the system
// sends SIGTTIN and SIGTTOU to a game that touches its terminal from the background.
inline constexpr TerminalSignal kStopKeySignal{SIGTSTP, "SIGTSTP"};
inline constexpr std::array<TerminalSignal, 3> kStopSignals{{
    kStopKeySignal,
    {SIGTTIN, "SIGTTIN"},
    {SIGTTOU, "SIGTTOU"},
}};

// The keys that a terminal in line mode turns into signals for its foreground job. A host
// that reads the keyboard in raw mode gets them as bytes, and sends the signals itself.
struct SignalKey {
    char key;
    TerminalSignal signal;
};
inline constexpr std::array<SignalKey, 3> kSignalKeys{{
    {'\x03', kDeadlySignals[0]},  // Ctrl-C
    {'\x1c', kDeadlySignals[3]},  // Ctrl-backslash
    {'\x1a', kStopKeySignal},     // Ctrl-Z
}};
