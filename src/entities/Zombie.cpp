#include "entities/Zombie.h"

#include <cstdlib>

void Zombie::scatter(Clock clock) {
    std::srand(static_cast<unsigned>(clock()));
    x = std::rand() % 10 - 5;
    y = std::rand() % 14 - 6;
    z = 0;
}

void Zombie::landAt(int squareX, int squareY) {
    x = squareX;
    y = squareY;
    z = 0;
}
