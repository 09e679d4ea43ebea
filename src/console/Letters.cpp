#include "console/Letters.h"

#include <algorithm>
#include <array>

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// The marks that combine with the letter before them, in the blocks where they are most
// often typed.
constexpr std::array<Range, 5> kCombiningMarks{{
    {0x0300, 0x036f},
    {0x1ab0, 0x1aff},
    {0x1dc0, 0x1dff},
    {0x200b, 0x200f},
    {0xfe00, 0xfe0f},
}};

// The blocks that terminals draw two columns wide: East Asian scripts and emoji.
constexpr std::array<Range, 14> kWideLetters{{
    {0x1100, 0x115f},
    {0x2e80, 0x303e},
    {0x3041, 0x33ff},
    {0x3400, 0x4dbf},
    {0x4e00, 0x9fff},
    {0xa000, 0xa4cf},
    {0xac00, 0xd7a3},
    {0xf900, 0xfaff},
    {0xfe30, 0xfe4f},
    {0xff00, 0xff60},
    {0xffe0, 0xffe6},
    {0x1f300, 0x1f64f},
    {0x1f900, 0x1f9ff},
    {0x20000, 0x3fffd},
}};

template <std::size_t count>
bool isIn(const std::array<Range, count>& ranges, char32_t letter) {
    return std::any_of(ranges.begin(), ranges.end(), [letter](const Range& range) {
        return letter >= range.first && letter <= range.last;
    });
}

bool isContinuationByte(unsigned char byte) {
    return (byte & 0xc0U) == 0x80U;
}

}  // namespace

std::optional<char32_t> letterOf(std::string_view key) {
    if (key.empty()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(key[0]);
    std::size_t length = 1;
    char32_t letter = lead;
    char32_t smallest = 0;
    if (lead >= 0xc0 && lead <= 0xdf) {
        length = 2;
        letter = lead & 0x1fU;
        smallest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        letter = lead & 0x0fU;
        smallest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        letter = lead & 0x07U;
        smallest = 0x10000;
    } else if (lead >= 0x80) {
        return std::nullopt;
    }
    if (key.size() != length) {
        return std::nullopt;
    }
    for (std::size_t at = 1; at < length; ++at) {
        const auto byte = static_cast<unsigned char>(key[at]);
        if (!isContinuationByte(byte)) {
            return std::nullopt;
        }
        letter = (letter << 6U) | (byte & 0x3fU);
    }
    const bool control = letter < 0x20 || (letter >= 0x7f && letter < 0xa0);
    const bool surrogate = letter >= 0xd800 && letter <= 0xdfff;
    if (letter < smallest || letter > 0x10ffff || control || surrogate) {
        return std::nullopt;
    }
    return letter;
}

void appendLetter(std::string& text, char32_t letter) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (letter < 0x80) {
        text += byte(letter);
    } else if (letter < 0x800) {
        text += byte(0xc0U | (letter >> 6U));
        text += byte(0x80U | (letter & 0x3fU));
    } else if (letter < 0x10000) {
        text += byte(0xe0U | (letter >> 12U));
        text += byte(0x80U | ((letter >> 6U) & 0x3fU));
        text += byte(0x80U | (letter & 0x3fU));
    } else {
        text += byte(0xf0U | (letter >> 18U));
        text += byte(0x80U | ((letter >> 12U) & 0x3fU));
        text += byte(0x80U | ((letter >> 6U) & 0x3fU));
        text += byte(0x80U | (letter & 0x3fU));
    }
}

std::string textOf(std::u32string_view letters) {
    std::string text;
    for (const char32_t letter : letters) {
        appendLetter(text, letter);
    }
    return text;
}

std::u32string lettersOf(std::string_view text) {
    std::u32string letters;
    while (!text.empty()) {
        std::size_t length = 1;
        while (length < text.size() && length < 4 &&
               isContinuationByte(static_cast<unsigned char>(text[length]))) {
            ++length;
        }
        if (const auto letter = letterOf(text.substr(0, length))) {
            letters += *letter;
        }
        text.remove_prefix(length);
    }
    return letters;
}

std::size_t columnsOf(char32_t letter) {
    if (isIn(kCombiningMarks, letter)) {
        return 0;
    }
    return isIn(kWideLetters, letter) ? 2 : 1;
}
