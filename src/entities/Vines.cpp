#include "entities/Vines.h"

#include <ostream>

void Vines::regrow(std::ostream& out) {
    if (hp == 1) {
        out << "The vines quickly regrow" << '\n';
        ++hp;
    }
}
