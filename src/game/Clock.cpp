#include "game/Clock.h"

std::time_t systemClock() {
    return std::time(nullptr);
}
