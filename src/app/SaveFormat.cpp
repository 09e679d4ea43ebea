#include "app/SaveFormat.h"

#include <charconv>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view kHeaderStart = "vellumfall save ";

// The keyword of each kind of entry, in the order of SaveRecord::Kind, and of a screen line.
constexpr std::string_view kLine = "line";
constexpr std::string_view kText = "text";
constexpr std::string_view kKey = "key";
constexpr std::string_view kScatter = "scatter";
constexpr std::string_view kScreen = "screen";

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

// The length of the UTF-8 character that starts at `text[at]`, or 0 where the bytes are
// not one.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned lowest = 0;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    unsigned code = lead & (0x7fU >> static_cast<unsigned>(length));
    for (std::size_t next = 1; next < length; ++next) {
        const auto byte = static_cast<unsigned char>(text[at + next]);
        if ((byte & 0xc0U) != 0x80U) {
            return 0;
        }
        code = (code << 6U) | (byte & 0x3fU);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < lowest || code > 0x10ffff || surrogate ? 0 : length;
}

void appendHex(std::string& out, unsigned char byte) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4U];
    out += kDigits[byte & 0xfU];
}

// Backslashes, control characters and bytes that are not UTF-8 as escapes, so that a save
// is plain text; and a blank that ends the text too, which an editor might take away.
std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8Length(text, at);
        if (byte == '\\') {
            out += "\\\\";
        } else if (length == 0 || isControl(byte) || (byte == ' ' && at + 1 == text.size())) {
            appendHex(out, byte);
        } else {
            out.append(text, at, length);
            at += length;
            continue;
        }
        ++at;
    }
    return out;
}

std::optional<unsigned> hexDigit(char digit) {
    if (digit >= '0' && digit <= '9') {
        return static_cast<unsigned>(digit - '0');
    }
    if (digit >= 'a' && digit <= 'f') {
        return static_cast<unsigned>(digit - 'a' + 10);
    }
    if (digit >= 'A' && digit <= 'F') {
        return static_cast<unsigned>(digit - 'A' + 10);
    }
    return std::nullopt;
}

class Reader {
public:
    explicit Reader(std::string_view file) : rest(file) {}

    // The next line without its line end, or nothing at the end of the file.
    std::optional<std::string_view> nextLine() {
        if (rest.empty()) {
            return std::nullopt;
        }
        ++number;
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.size() > 4 * kLongestEntry) {
            fail("it is longer than any entry");
        }
        return line;
    }

    [[noreturn]] void fail(std::string_view problem) const {
        throw SaveUnreadable("damaged at line " + std::to_string(number) + ": " +
                             std::string(problem));
    }

    std::string unescape(std::string_view text) const {
        std::string out;
        out.reserve(text.size());
        for (std::size_t at = 0; at < text.size();) {
            const auto byte = static_cast<unsigned char>(text[at]);
            if (byte == '\\') {
                out += unescapeOne(text.substr(at));
                at += text.substr(at).starts_with("\\\\") ? std::size_t{2} : std::size_t{4};
                continue;
            }
            const std::size_t length = utf8Length(text, at);
            if (length == 0 || isControl(byte)) {
                fail("it is not plain UTF-8 text");
            }
            out.append(text, at, length);
            at += length;
        }
        if (out.size() > kLongestEntry) {
            fail("it is longer than any entry");
        }
        return out;
    }

    int number = 0;

private:
    char unescapeOne(std::string_view escaped) const {
        if (escaped.starts_with("\\\\")) {
            return '\\';
        }
        if (escaped.size() >= 4 && escaped[1] == 'x') {
            const auto high = hexDigit(escaped[2]);
            const auto low = hexDigit(escaped[3]);
            if (high && low) {
                return static_cast<char>((*high << 4U) | *low);
            }
        }
        fail("a backslash starts no escape it knows");
    }

    std::string_view rest;
};

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

void readHeader(Reader& reader) {
    const auto header = reader.nextLine();
    if (!header || !header->starts_with(kHeaderStart)) {
        throw SaveUnreadable("not a Vellumfall save");
    }
    const auto version = parseInt(header->substr(kHeaderStart.size()));
    if (!version || *version < 1) {
        throw SaveUnreadable("not a Vellumfall save");
    }
    if (*version > kSaveVersion) {
        throw SaveUnreadable("saved by a newer Vellumfall (save format " +
                             std::to_string(*version) + "; this one reads format " +
                             std::to_string(kSaveVersion) + ")");
    }
}

SaveRecord::Entry readScatter(const Reader& reader, std::string_view square) {
    const std::size_t blank = square.find(' ');
    const auto x = parseInt(square.substr(0, blank));
    const auto y =
        blank == std::string_view::npos ? std::nullopt : parseInt(square.substr(blank + 1));
    if (!x || !y) {
        reader.fail("a scatter takes two whole numbers");
    }
    return {SaveRecord::Kind::Scatter, {}, *x, *y};
}

}  // namespace

std::string saveHeader() {
    return std::string(kHeaderStart) + std::to_string(kSaveVersion) + '\n';
}

std::string formatEntry(const SaveRecord::Entry& entry) {
    std::string line;
    const auto withText = [&line](std::string_view keyword, std::string_view text) {
        line = keyword;
        if (!text.empty()) {
            line += ' ';
            line += escape(text);
        }
    };
    switch (entry.kind) {
        case SaveRecord::Kind::Line: withText(kLine, entry.text); break;
        case SaveRecord::Kind::Text: withText(kText, entry.text); break;
        case SaveRecord::Kind::Key: line = kKey; break;
        case SaveRecord::Kind::Scatter:
            line = std::string(kScatter) + ' ' + std::to_string(entry.x) + ' ' +
                   std::to_string(entry.y);
            break;
    }
    line += '\n';
    return line;
}

std::string formatScreen(const std::vector<std::string>& screen) {
    std::string text;
    for (const std::string& line : screen) {
        text += kScreen;
        if (!line.empty()) {
            text += ' ';
            text += escape(line);
        }
        text += '\n';
    }
    return text;
}

std::string formatSave(const SaveRecord& record) {
    std::string file = saveHeader();
    for (const SaveRecord::Entry& entry : record.entries) {
        file += formatEntry(entry);
    }
    file += formatScreen(record.screen);
    return file;
}

bool takeBackLastLine(SaveRecord& record) {
    for (std::size_t entry = record.entries.size(); entry > 0; --entry) {
        const SaveRecord::Kind kind = record.entries[entry - 1].kind;
        if (kind == SaveRecord::Kind::Line || kind == SaveRecord::Kind::Text) {
            record.entries.resize(entry - 1);
            record.screen.clear();
            record.screenKnown = false;
            return true;
        }
    }
    return false;
}

SaveRecord parseSave(std::string_view file) {
    if (file.size() > kLargestSave) {
        throw SaveUnreadable("larger than any save");
    }
    Reader reader(file);
    readHeader(reader);
    SaveRecord record;
    while (const auto line = reader.nextLine()) {
        const std::size_t blank = line->find(' ');
        const std::string_view keyword = line->substr(0, blank);
        const std::string_view rest =
            blank == std::string_view::npos ? std::string_view() : line->substr(blank + 1);
        if (keyword == kScreen) {
            if (record.screen.size() == kScreenLines) {
                reader.fail("the screen has more lines than a save keeps");
            }
            record.screen.push_back(reader.unescape(rest));
            continue;
        }
        if (!record.screen.empty()) {
            reader.fail("the screen must come last");
        }
        if (keyword == kLine || keyword == kText) {
            record.entries.push_back(
                {keyword == kLine ? SaveRecord::Kind::Line : SaveRecord::Kind::Text,
                 reader.unescape(rest), 0, 0});
        } else if (keyword == kKey && blank == std::string_view::npos) {
            record.entries.push_back({SaveRecord::Kind::Key, {}, 0, 0});
        } else if (keyword == kScatter) {
            record.entries.push_back(readScatter(reader, rest));
        } else {
            reader.fail("unknown entry '" + escape(keyword.substr(0, 20)) + "'");
        }
    }
    if (record.screen.empty()) {
        throw SaveUnreadable("damaged: it ends before its screen");
    }
    return record;
}
