#pragma once

#include <algorithm>
#include <initializer_list>
#include <string_view>

// Commands and answers match only exactly: no prefixes, no folding of case.
inline bool isOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::ranges::any_of(words,
                               [word](std::string_view candidate) { return word == candidate; });
}
