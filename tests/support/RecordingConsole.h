#pragma once

#include <string>

#include "console/Console.h"

// A console for tests: it counts what the game asked of the terminal, and can mark each
// request in a log so a test sees where in the text it happened.
class RecordingConsole final : public Console {
public:
    void useGameColours() override {
        ++colourChanges;
        log += "[colours]";
    }
    void clearScreen() override {
        ++screenClears;
        log += "[clear]";
    }
    void waitForKey() override {
        ++keyWaits;
        log += "[key]";
    }
    void restoreTerminal() override { log += "[restore]"; }

    int colourChanges = 0;
    int screenClears = 0;
    int keyWaits = 0;
    std::string log;
};
