#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Letters as a line editor handles them: one character of UTF-8 each, however many bytes it
// takes, and as wide on the screen as terminals draw it.

// The letter that `key` is, when it is exactly one printable character of well-formed
// UTF-8; nothing for a control key or bytes that are not UTF-8.
std::optional<char32_t> letterOf(std::string_view key);

void appendLetter(std::string& text, char32_t letter);
std::string textOf(std::u32string_view letters);
// The letters of `text`; what is not UTF-8 is left out.
std::u32string lettersOf(std::string_view text);

// The columns a terminal gives `letter`: 2 for the wide letters of East Asian scripts and
// for emoji, 0 for a mark that combines with the letter before it, else 1.
std::size_t columnsOf(char32_t letter);
