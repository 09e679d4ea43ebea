#include "console/Io.h"

#include <ostream>

void printLine(std::ostream& out, std::string_view text) {
    out << text << '\n';
}
