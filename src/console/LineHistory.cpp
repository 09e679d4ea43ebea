#include "console/LineHistory.h"

void LineHistory::add(const std::string& line) {
    if (line.empty() || (!lines.empty() && lines.back() == line)) {
        return;
    }
    lines.push_back(line);
    if (lines.size() > kSize) {
        lines.pop_front();
    }
}
