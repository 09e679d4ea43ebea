#include "WorldPage.h"

#include <sstream>
#include <string_view>

#include "LevelDrawing.h"
#include "map/EventPassages.h"

namespace {

std::string spanText(Span span) {
    if (span.first == kEverywhere.first && span.last == kEverywhere.last) {
        return "every";
    }
    return span.first == span.last
               ? std::to_string(span.first)
               : std::to_string(span.first) + " to " + std::to_string(span.last);
}

std::string letters(Exits exits) {
    std::string text;
    for (const Way& way : kWays) {
        if ((exits.bits & way.bit) != 0) {
            text += way.letter;
        }
    }
    return text.empty() ? "-" : text;
}

void writeLevel(std::ostringstream& page, int level) {
    int rows = 0;
    std::ostringstream events;
    for (const Place& place : allPlaces()) {
        if (place.level != level) {
            continue;
        }
        ++rows;
        if (place.event == Event::None) {
            continue;
        }
        const EventPassage& passage = eventPassage(place.event);
        events << "| " << rowLabel(place) << " | " << spanText(place.x) << " | "
               << spanText(place.y) << " | " << passage.name << " | " << letters(place.open)
               << " | "
               << (passage.opens.bits == 0
                       ? "-"
                       : letters(passage.opens) + ", " + std::string(passage.when))
               << " |\n";
    }
    const std::string title = "Level " + std::to_string(level) + ": " + levelName(level);
    page << "\n## " << title << "\n\n"
         << rows << (rows == 1 ? " place" : " places") << ".\n\n"
         << "![" << title << "](world/" << levelFileName(level) << ")\n";
    if (!events.str().empty()) {
        page << "\n| row | x | y | event | always open | its event opens |\n"
             << "|---|---|---|---|---|---|\n"
             << events.str();
    }
}

}  // namespace

std::string worldPage(const WorldFacts& facts) {
    std::ostringstream page;
    page << "# The world, level by level\n\n"
         << "<!-- Written by tools/world-map from the game's own tables: do not edit. -->\n\n"
         << "Every place of the location table (`src/map/Places.cpp`), drawn by `tools/world-map` "
            "with the ways its events open (`src/map/EventPassages.cpp`). Each box is one row "
            "of the table, numbered as it stands there from 0; hover over a box for its text. "
            "Black arrows are ways always open, orange dashed ones the ways an event opens, red "
            "ones lead to a square with no row: an edge of the map (`src/map/EdgeHazards.cpp`) "
            "or ground no row covers. Triangles are the ways up and down. The blue ring is where "
            "every game starts, at x "
         << facts.start.x << ", y " << facts.start.y << " on level " << facts.start.level
         << ". x grows east, y south, and the level downward.\n\n"
         << "A place that covers every x and y of its level (the clock tower's upper floors) is "
            "drawn over the squares that the way from the start reaches there, one square more "
            "on each side, with a dashed outline: the place goes on beyond the picture.\n\n"
         << "After a change to the table, regenerate this page and its pictures from the "
            "source folder, and commit them with the change:\n\n"
         << "```sh\n"
         << "cmake --build --preset default && build/world-map docs\n"
         << "```\n\n"
         << "The test `world-map.current` fails while they are behind the table.\n";
    for (const int level : facts.levels) {
        writeLevel(page, level);
    }
    return page.str();
}
