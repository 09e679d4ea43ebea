#pragma once

#include <cstddef>
#include <deque>
#include <string>

// The lines entered in this session, for a line editor's Up and Down; kept in memory only,
// since the game writes no files.
class LineHistory {
public:
    // Enough to go back through a long game, and a bound on what is kept.
    static constexpr std::size_t kSize = 500;

    // Keeps `line`, unless it is empty or the same as the line before it; the oldest goes
    // when there are more than kSize.
    void add(const std::string& line);

    std::size_t size() const { return lines.size(); }
    // The line `index` places after the oldest kept.
    const std::string& at(std::size_t index) const { return lines.at(index); }

private:
    std::deque<std::string> lines;
};
