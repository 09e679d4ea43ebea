#pragma once

#include <string_view>

// What every console writes for the game's effects, whichever platform it runs on: the
// colours (bright green on black) and their reset as ANSI sequences, the clearing of the
// screen, and the words of the key wait.
inline constexpr std::string_view kGameColours = "\x1b[92;40m";
inline constexpr std::string_view kResetColours = "\x1b[0m";
inline constexpr std::string_view kClearScreen = "\x1b[H\x1b[2J";
inline constexpr std::string_view kPressAnyKey = "Press any key to continue . . . ";
