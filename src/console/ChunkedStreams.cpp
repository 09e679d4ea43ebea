#include "console/ChunkedStreams.h"

#include "console/WordWrapper.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

ChunkedInputBuffer::int_type ChunkedInputBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    piece.clear();
    bool more = true;
    // A source may bring an empty piece without having ended.
    while (piece.empty() && more) {
        more = readChunk(piece);
        if (atStart) {
            more = skipByteOrderMark(more);
        }
    }
    if (piece.empty()) {
        return traits_type::eof();
    }
    setg(piece.data(), piece.data(), piece.data() + piece.size());
    return traits_type::to_int_type(*gptr());
}

bool ChunkedInputBuffer::skipByteOrderMark(bool more) {
    while (more && piece.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(piece)) {
        more = readChunk(piece);
    }
    if (piece.starts_with(kByteOrderMark)) {
        piece.erase(0, kByteOrderMark.size());
    }
    atStart = false;
    return more;
}

ChunkedOutputBuffer::ChunkedOutputBuffer(WordWrapper* textWrapper) : wrapper(textWrapper) {
    setp(buffer.data(), buffer.data() + buffer.size());
}

ChunkedOutputBuffer::int_type ChunkedOutputBuffer::overflow(int_type character) {
    handOn();
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(character);
        pbump(1);
    }
    return traits_type::not_eof(character);
}

int ChunkedOutputBuffer::sync() {
    handOn();
    if (wrapper != nullptr) {
        wrapped.clear();
        wrapper->flush(wrapped);
        writeWrapped();
    }
    return 0;
}

void ChunkedOutputBuffer::handOn() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    // Emptied first: should the write fail, nothing is written twice.
    setp(buffer.data(), buffer.data() + buffer.size());
    if (pending.empty()) {
        return;
    }
    if (wrapper == nullptr) {
        writeChunk(pending);
        return;
    }
    wrapped.clear();
    wrapper->wrap(pending, wrapped);
    writeWrapped();
}

void ChunkedOutputBuffer::writeWrapped() {
    if (!wrapped.empty()) {
        writeChunk(wrapped);
    }
}
