#include "support/GameHarness.h"

#include "app/Program.h"
#include "console/SessionEnd.h"

std::time_t fixedClock() {
    return 1'000'000;
}

GameHarness::GameHarness() = default;

void GameHarness::type(std::string_view words) {
    // Keep what has not been read yet, then add the new words.
    std::string unread;
    if (in.rdbuf()->in_avail() > 0) {
        unread.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    unread += words;
    unread += '\n';
    in.clear();
    in.str(unread);
}

std::string GameHarness::playTurn() {
    const Player& player = world.player;
    world.showLocation(player.getX(), player.getY(), player.getZ());
    return takeOutput();
}

std::string GameHarness::command(std::string_view words) {
    type(words);
    const std::string printed = playTurn();
    return printed.substr(printed.find(">>") + 2);
}

std::string GameHarness::playAll() {
    std::string printed;
    try {
        for (;;) {
            printed += playTurn();
        }
    } catch (const SessionEnd&) {
        printed += takeOutput();
    }
    return printed;
}

void GameHarness::placePlayer(int x, int y, int z) {
    Player& player = world.player;
    player.returnToStart();
    for (; x > 0; --x)
        player.moveEast();
    for (; x < 0; ++x)
        player.moveWest();
    for (; y > 0; --y)
        player.moveSouth();
    for (; y < 0; ++y)
        player.moveNorth();
    for (; z > 0; --z)
        player.moveDown();
    for (; z < 0; ++z)
        player.moveUp();
}

std::string GameHarness::takeOutput() {
    std::string printed = out.str();
    out.str("");
    return printed;
}

std::string runWholeProgram(std::string_view input, RecordingConsole& console) {
    std::istringstream programInput{std::string(input)};
    std::ostringstream programOutput;
    std::ostringstream errors;
    runProgram(programInput, programOutput, errors, console, fixedClock);
    return programOutput.str();
}
