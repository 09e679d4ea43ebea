#pragma once

#include "entities/Centipede.h"

// Guards the clock tower's stairs.
class DireCentipede final : public Centipede {
public:
    using Centipede::Centipede;
};
