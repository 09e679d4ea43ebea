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

bool KeyBuffer::readFrom(KeySource& source, std::optional<std::chrono::milliseconds> wait) {
    return source.readKeyBytes(bytes, wait);
}

std::string KeyBuffer::take(std::size_t count) {
    std::string taken(unread().substr(0, count));
    next += taken.size();
    // What was taken goes once it is most of the buffer, so the rest moves rarely.
    if (next == bytes.size()) {
        clear();
    } else if (next > bytes.size() / 2) {
        bytes.erase(0, next);
        next = 0;
    }
    return taken;
}

void KeyBuffer::clear() {
    bytes.clear();
    next = 0;
}

std::optional<std::string> readWholeKey(KeySource& source, KeyBuffer& pending) {
    for (;;) {
        const std::size_t length = wholeKeyLength(pending.unread());
        if (length > 0) {
            return pending.take(length);
        }
        const std::size_t before = pending.unread().size();
        const auto wait =
            before == 0 ? std::nullopt : std::optional<std::chrono::milliseconds>(kRestOfKey);
        const bool more = pending.readFrom(source, wait);
        if (more && (pending.unread().size() > before || before == 0)) {
            continue;
        }
        // The rest of the key never came, or the input ended: it is whole as it is.
        if (before == 0) {
            return std::nullopt;
        }
        return pending.take();
    }
}
