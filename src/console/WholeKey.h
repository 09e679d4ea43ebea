#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Where one key ends in what a terminal in key mode sends: an arrow, a function key, Home or
// End sends an escape sequence of several bytes, a letter beyond ASCII several bytes of
// UTF-8. Every front end that reads keys itself splits its bytes with these rules, so that
// nothing of a key is left for the next read.

// The bytes of one key arrive together; a lone Escape is followed by nothing this soon. A
// key still unfinished when no byte has come for so long is whole as it stands.
inline constexpr std::chrono::milliseconds kRestOfKey{50};
// No key sends a longer sequence; a stream of bytes is not one key.
inline constexpr std::size_t kLongestKey = 16;

// The length of the first key in `bytes`, the bytes read so far; 0 while they are the start
// of a key that is not whole yet: then wait for more, but no longer than kRestOfKey. A
// length short of all the bytes leaves the rest for the next key (a letter broken off by
// another key).
std::size_t wholeKeyLength(std::string_view bytes);

// Where a key's bytes come from.
class KeySource {
public:
    virtual ~KeySource() = default;

    // Appends to `bytes` what has come, waiting at most `wait` for it, or for ever without
    // one. Returns false at the end of input; true, appending nothing, when the wait ended
    // without a byte.
    virtual bool readKeyBytes(std::string& bytes,
                              std::optional<std::chrono::milliseconds> wait) = 0;

protected:
    KeySource() = default;
    KeySource(const KeySource&) = default;
    KeySource& operator=(const KeySource&) = default;
};

// Bytes that have come from a key source and are not yet taken as keys: many keys at once,
// when a long line is pasted, each taken without moving the rest.
class KeyBuffer {
public:
    std::string_view unread() const { return std::string_view(bytes).substr(next); }
    bool empty() const { return next == bytes.size(); }
    // Appends what `source` brings (see KeySource::readKeyBytes).
    bool readFrom(KeySource& source, std::optional<std::chrono::milliseconds> wait);
    // Takes the first `count` unread bytes, all of them without a count.
    std::string take(std::size_t count = std::string::npos);
    void clear();

private:
    std::string bytes;
    std::size_t next = 0;
};

// The next whole key, read from `source` after the bytes left in `pending` by the keys
// before; the bytes of later keys stay in `pending`. Nothing at the end of input.
std::optional<std::string> readWholeKey(KeySource& source, KeyBuffer& pending);
