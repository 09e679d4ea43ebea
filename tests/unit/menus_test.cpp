#include "app/Menus.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/Settings.h"
#include "support/GameHarness.h"

namespace {

std::string volumeBar(int level) {
    std::ostringstream out;
    printVolumeBar(out, level);
    return out.str();
}

constexpr std::string_view kMainMenu =
    "Welcome to Vellumfall \n         by Quorrin! \n \n\n"
    "     0 - New Game\n     1 - Controls\n     2 - Options\n     3 - Quit Game \n\n>>";

constexpr std::string_view kOptionsHeading =
    "OPTIONS \n 0 - back \n 1 - volume up \n 2- volume down \n 3- Toggle Debug Mode \n \n";

}  // namespace

TEST(VolumeBarTest, ElevenDashesAroundTheMarker) {
    EXPECT_EQ("> Volume   ||-----------|\n", volumeBar(-1));
    EXPECT_EQ("> Volume   |-|----------|\n", volumeBar(0));
    EXPECT_EQ("> Volume   |------|-----|\n", volumeBar(5));
    EXPECT_EQ("> Volume   |-----------||\n", volumeBar(10));
}

TEST(MainMenuTest, QuitGamePrintsOnlyTheMenu) {
    RecordingConsole console;
    EXPECT_EQ(kMainMenu, runWholeProgram("3", console));
    EXPECT_EQ(1, console.colourChanges);
    EXPECT_EQ(0, console.screenClears);
}

TEST(MainMenuTest, ControlsWaitForAKeyThenTheMenuComesBack) {
    RecordingConsole console;
    const std::string expected = std::string(kMainMenu) +
                                 "n,s,e,w,u,d: move around \na: attack \n"
                                 "take,drop: pickup and drop items \neat: consume certain items \n"
                                 "...and there may be more as well... \n" +
                                 std::string(kMainMenu);
    EXPECT_EQ(expected, runWholeProgram("1 3", console));
    EXPECT_EQ("[colours][key][clear][restore]", console.log);
}

TEST(MainMenuTest, UnknownNumbersRedrawTheMenu) {
    RecordingConsole console;
    const std::string menu(kMainMenu);
    EXPECT_EQ(menu + menu + menu, runWholeProgram("7 -1 3", console));
    EXPECT_EQ(2, console.screenClears);
}

TEST(MainMenuTest, WordsAndHugeNumbersAreInvalidAndTheirLineIsDropped) {
    RecordingConsole console;
    const std::string menu(kMainMenu);
    EXPECT_EQ(menu + menu + menu, runWholeProgram("abc 3\n99999999999 3\n3", console));
}

TEST(MainMenuTest, EndOfInputEndsWithALineEnd) {
    RecordingConsole console;
    EXPECT_EQ(std::string(kMainMenu) + "\n", runWholeProgram("", console));
    // A failed read that runs into the end of input redraws once, then ends.
    EXPECT_EQ(std::string(kMainMenu) + std::string(kMainMenu) + "\n",
              runWholeProgram("abc", console));
}

TEST(MainMenuTest, ANumberFollowedByLettersIsTheNumber) {
    RecordingConsole console;
    const std::string printed = runWholeProgram("1x\n3", console);
    // Controls, then the "x" fails the next read and its line is dropped, then quit.
    EXPECT_EQ(1, console.keyWaits);
    EXPECT_TRUE(printed.ends_with(std::string(kMainMenu) + std::string(kMainMenu)));
}

TEST(OptionsMenuTest, VolumeStopsAtTenAndMinusOne) {
    GameHarness game;
    Settings settings;
    game.type("1 1 1 1 1 1 1 0");
    runOptionsMenu(game.io, settings);
    EXPECT_EQ(10, settings.volumeLevel);

    game.type("2 2 2 2 2 2 2 2 2 2 2 2 2 0");
    runOptionsMenu(game.io, settings);
    EXPECT_EQ(-1, settings.volumeLevel);
}

TEST(OptionsMenuTest, ToggleDebugModeTwiceShowsOnThenOff) {
    GameHarness game;
    Settings settings;
    game.type("3 3 0");
    runOptionsMenu(game.io, settings);
    const std::string bar = "> Volume   |------|-----|\n";
    const std::string heading(kOptionsHeading);
    EXPECT_EQ(heading + bar + "Debug Mode OFF\n" + heading + bar + "Debug Mode ON\n" + heading +
                  bar + "Debug Mode OFF\n",
              game.takeOutput());
    EXPECT_FALSE(settings.debugMode);
    EXPECT_EQ(3, game.console.screenClears);
}

TEST(OptionsMenuTest, InvalidChoicesChangeNothing) {
    GameHarness game;
    Settings settings;
    game.type("9 -3 volume 1 1\n0");
    runOptionsMenu(game.io, settings);
    EXPECT_EQ(5, settings.volumeLevel);
    EXPECT_FALSE(settings.debugMode);
}

TEST(OptionsMenuTest, SeveralNumbersOnOneLineAreReadOneByOne) {
    RecordingConsole console;
    const std::string printed = runWholeProgram("2 1 1 0\n3", console);
    EXPECT_NE(std::string::npos, printed.find("> Volume   |--------|---|\n"));
    EXPECT_TRUE(printed.ends_with(kMainMenu));
}
