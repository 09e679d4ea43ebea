#include "Svg.h"

#include <sstream>

std::string escapeXml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::vector<std::string> wrapWords(std::string_view text, std::size_t width, std::size_t maxLines) {
    std::istringstream words{std::string(text)};
    std::vector<std::string> lines;
    std::string word;
    bool leftOut = false;
    while (words >> word) {
        if (!lines.empty() && lines.back().size() + 1 + word.size() <= width) {
            lines.back() += ' ' + word;
        } else if (lines.size() < maxLines) {
            lines.push_back(word);
        } else {
            leftOut = true;
            break;
        }
    }
    if (leftOut) {
        lines.back() += "…";
    }
    return lines;
}
