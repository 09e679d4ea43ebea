#pragma once

#include <initializer_list>
#include <string_view>

// Commands and answers match only exactly: no prefixes, no folding of case.
inline bool isOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    for (const std::string_view candidate : words) {
        if (word == candidate) {
            return true;
        }
    }
    return false;
}
