#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text for SVG and Markdown: escaped for XML, and broken into short lines.

std::string escapeXml(std::string_view text);

// The words of `text` (its "\n" and runs of blanks read as one blank) in lines of at most
// `width` characters, a longer word alone on its line; at most `maxLines`, the last ending
// in "…" when words were left out.
std::vector<std::string> wrapWords(std::string_view text, std::size_t width, std::size_t maxLines);
