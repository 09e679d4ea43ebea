#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "console/Console.h"

// A console for tests: it counts what the game asked of the terminal, and can mark each
// request in a log so a test sees where in the text it happened, and lists where the
// player was shown to stand.
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
    // Kept apart from the log, which tests of the other effects compare whole.
    void showPosition(int level, int x, int y, PositionChange change) override {
        static constexpr std::array kChanges{"new game", "move", "death", "return"};
        positions += std::string(kChanges.at(static_cast<std::size_t>(change))) + " level " +
                     std::to_string(level) + " at " + std::to_string(x) + "," + std::to_string(y) +
                     "\n";
    }

    int colourChanges = 0;
    int screenClears = 0;
    int keyWaits = 0;
    std::string log;
    std::string positions;
};
