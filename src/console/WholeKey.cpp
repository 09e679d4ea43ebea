#include "console/WholeKey.h"

namespace {

constexpr char kEscape = '\x1b';

bool isContinuationByte(unsigned char byte) {
    return (byte & 0xc0U) == 0x80U;
}

// The bytes of the UTF-8 letter that `lead` starts; 1 for a byte that starts none, which is a
// key of its own (and dropped where a letter is wanted).
std::size_t letterLength(unsigned char lead) {
    if (lead >= 0xc2 && lead <= 0xdf) {
        return 2;
    }
    if (lead >= 0xe0 && lead <= 0xef) {
        return 3;
    }
    return lead >= 0xf0 && lead <= 0xf4 ? 4 : 1;
}

std::size_t wholeLetterLength(std::string_view bytes) {
    const std::size_t length = letterLength(static_cast<unsigned char>(bytes[0]));
    for (std::size_t at = 1; at < length; ++at) {
        if (at == bytes.size()) {
            return 0;
        }
        if (!isContinuationByte(static_cast<unsigned char>(bytes[at]))) {
            return at;
        }
    }
    return length;
}

// "ESC [" and its parameters run to a final byte; a byte that belongs to no sequence ends
// it early, and starts the next key.
std::size_t wholeControlSequenceLength(std::string_view bytes) {
    for (std::size_t at = 2; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte >= 0x40 && byte <= 0x7e) {
            return at + 1;
        }
        if (byte < 0x20 || byte > 0x7e) {
            return at;
        }
    }
    return 0;
}

// After Escape: "[" starts a control sequence ("ESC [ [ A" on the Linux console has a
// bracket more), "O" takes one byte more, and any other key is that key with Alt held.
std::size_t wholeEscapeLength(std::string_view bytes) {
    if (bytes.size() < 2) {
        return 0;
    }
    if (bytes[1] == 'O') {
        return bytes.size() >= 3 ? 3 : 0;
    }
    if (bytes[1] != '[') {
        const std::size_t alted = wholeKeyLength(bytes.substr(1));
        return alted == 0 ? 0 : alted + 1;
    }
    if (bytes.size() >= 3 && bytes[2] == '[') {
        return bytes.size() >= 4 ? 4 : 0;
    }
    return wholeControlSequenceLength(bytes);
}

}  // namespace

std::size_t wholeKeyLength(std::string_view bytes) {
    if (bytes.empty()) {
        return 0;
    }
    const std::size_t length =
        bytes[0] == kEscape ? wholeEscapeLength(bytes) : wholeLetterLength(bytes);
    if (length == 0 && bytes.size() >= kLongestKey) {
        return kLongestKey;
    }
    return length;
}

std::optional<std::string> readWholeKey(KeySource& source, std::string& pending) {
    for (;;) {
        const std::size_t length = wholeKeyLength(pending);
        const std::size_t before = pending.size();
        if (length == 0) {
            const auto wait = pending.empty()
                                  ? std::nullopt
                                  : std::optional<std::chrono::milliseconds>(kRestOfKey);
            const bool more = source.readKeyBytes(pending, wait);
            if (more && (pending.size() > before || before == 0)) {
                continue;
            }
            // The rest of the key never came, or the input ended: it is whole as it is.
            if (before == 0) {
                return std::nullopt;
            }
        }
        const std::size_t taken = length == 0 ? before : length;
        std::string key = pending.substr(0, taken);
        pending.erase(0, taken);
        return key;
    }
}
