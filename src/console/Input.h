#pragma once

#include <optional>
#include <string>

struct Io;

// Longest word kept. Every command and answer of the game is far shorter, so a longer
// word can never match one; the rest of it is read and thrown away, so no input, however
// long, is held whole.
inline constexpr std::size_t kMaxWordLength = 32;

// Flushes the output, then reads one whitespace-delimited word into `word`.
// At the end of input it throws SessionEnd.
void readWord(Io& io, std::string& word);

// Flushes the output, then reads one whole number with plain formatted extraction.
// Input that is not a number gives no choice, and the rest of its line is discarded.
// At the end of input it throws SessionEnd.
std::optional<int> readMenuChoice(Io& io);
