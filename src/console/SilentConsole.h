#pragma once

#include "console/Console.h"

// A console for sessions that no one watches on a terminal (fuzzing, benchmarks): every
// effect is ignored.
class SilentConsole final : public Console {
public:
    void useGameColours() override {}
    void clearScreen() override {}
    void waitForKey() override {}
    void restoreTerminal() override {}
};
