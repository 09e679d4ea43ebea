#include "console/Input.h"

#include <istream>
#include <limits>
#include <ostream>
#include <streambuf>

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
    int choice = 0;
    if (io.in >> choice) {
        return choice;
    }
    if (io.in.eof()) {
        endOfInput();
    }
    io.in.clear();
    io.in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return std::nullopt;
}
