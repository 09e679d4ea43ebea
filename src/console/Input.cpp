#include "console/Input.h"

#include <climits>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "console/Io.h"
#include "console/SessionEnd.h"

namespace {

// The same blanks that formatted extraction skips in the classic locale.
bool isBlank(int character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\v' ||
           character == '\f' || character == '\r';
}

[[noreturn]] void endOfInput() {
    throw SessionEnd{SessionEnd::Reason::EndOfInput};
}

// The value of at most kMaxWordLength decimal digits with their sign, when an int holds it.
std::optional<int> toInt(std::string_view digits, bool negative) {
    long long magnitude = 0;
    constexpr long long kLargestMagnitude = -static_cast<long long>(INT_MIN);
    for (const char digit : digits) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > kLargestMagnitude) {
            return std::nullopt;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// Up to and with the next line end, or to the end of the input.
void discardLine(std::streambuf& source) {
    constexpr int end = std::char_traits<char>::eof();
    int character = source.sgetc();
    while (character != end && character != '\n') {
        character = source.snextc();
    }
    if (character == '\n') {
        source.sbumpc();
    }
}

}  // namespace

void readWord(Io& io, std::string& word) {
    io.out.flush();
    word.clear();
    std::streambuf* source = io.in.rdbuf();
    constexpr int end = std::char_traits<char>::eof();

    int character = source->sgetc();
    while (character != end && isBlank(character)) {
        character = source->snextc();
    }
    if (character == end) {
        endOfInput();
    }
    while (character != end && !isBlank(character)) {
        if (word.size() < kMaxWordLength) {
            word.push_back(static_cast<char>(character));
        }
        character = source->snextc();
    }
}

std::optional<int> readMenuChoice(Io& io) {
    io.out.flush();
    std::streambuf* source = io.in.rdbuf();
    constexpr int end = std::char_traits<char>::eof();

    int character = source->sgetc();
    while (character != end && isBlank(character)) {
        character = source->snextc();
    }
    const bool negative = character == '-';
    if (character == '-' || character == '+') {
        character = source->snextc();
    }
    // Leading zeros are not kept, so that a number of any length is held in a few digits.
    bool anyDigit = false;
    std::string digits;
    bool tooLong = false;
    while (character >= '0' && character <= '9') {
        anyDigit = true;
        if (character != '0' || !digits.empty()) {
            tooLong = tooLong || digits.size() == kMaxWordLength;
            if (!tooLong) {
                digits.push_back(static_cast<char>(character));
            }
        }
        character = source->snextc();
    }
    std::optional<int> choice;
    if (anyDigit && !tooLong) {
        choice = toInt(digits, negative);
    }
    if (choice) {
        return choice;
    }
    if (character == end) {
        endOfInput();
    }
    discardLine(*source);
    return std::nullopt;
}
