#pragma once

#include <algorithm>
#include <initializer_list>
#include <string_view>

// Commands and answers match only exactly: no prefixes, no folding of case.
inline bool isOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    // Not std::ranges: the C++ library that builds the game for the web has no ranges.
    return std::any_of(words.begin(), words.end(),
                       [word](std::string_view candidate) { return word == candidate; });
}
