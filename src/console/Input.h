#pragma once

#include <optional>
#include <string>

struct Io;

// Longest word kept, and most digits of a number. Every command and answer of the game is
// far shorter, and every menu choice has far fewer digits, so a longer one can never match;
// the rest of it is read and thrown away, so no input, however long, is held whole.
inline constexpr std::size_t kMaxWordLength = 32;

// Flushes the output, then reads one whitespace-delimited word into `word`.
// At the end of input it throws SessionEnd.
void readWord(Io& io, std::string& word);

// Flushes the output, then reads one whole number as formatted extraction of an int does:
// blanks skipped, an optional sign, decimal digits up to the first other character, which
// stays in the input. Input that is not a number, or a number out of the int's range,
// gives no choice, and the rest of its line is discarded. At the end of input it throws
// SessionEnd, unless a number in range was read before it.
std::optional<int> readMenuChoice(Io& io);
