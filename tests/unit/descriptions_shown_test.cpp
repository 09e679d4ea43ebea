#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "map/Places.h"

// Every description of the map must be shown by at least one transcript, so that a typo
// in the table cannot go unnoticed.
TEST(TranscriptCoverageTest, EveryDescriptionAppearsInSomeTranscript) {
    std::string allExpectedOutput;
    for (const auto& entry : std::filesystem::directory_iterator(VELLUMFALL_TRANSCRIPTS_DIR)) {
        if (entry.path().extension() == ".out") {
            std::ifstream file(entry.path(), std::ios::binary);
            std::ostringstream contents;
            contents << file.rdbuf();
            allExpectedOutput += contents.str();
        }
    }
    for (const Place& place : allPlaces()) {
        const std::string line = std::string(place.description) + '\n';
        EXPECT_NE(std::string::npos, allExpectedOutput.find(line))
            << "No transcript shows level " << place.level << ", x " << place.x.first << ", y "
            << place.y.first << ": " << place.description;
    }
}
