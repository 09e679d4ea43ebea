#pragma once

#include "entities/Zombie.h"
#include "game/Clock.h"

// Where chance enters the game: the square a zombie lands on when the meteor throws it. A
// live game asks the clock; a game resumed from its save puts each zombie down where it
// landed the first time, whatever the clock or the C library behind it.
class ZombieScatter {
public:
    virtual ~ZombieScatter() = default;
    virtual void scatter(Zombie& zombie) = 0;

protected:
    ZombieScatter() = default;
    ZombieScatter(const ZombieScatter&) = default;
    ZombieScatter& operator=(const ZombieScatter&) = default;
};

// The live scatter: Zombie::scatter, from the clock.
class ClockScatter final : public ZombieScatter {
public:
    explicit ClockScatter(Clock time) : clock(time) {}
    void scatter(Zombie& zombie) override { zombie.scatter(clock); }

private:
    Clock clock;
};
