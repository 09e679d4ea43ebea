#include "map/Places.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The y range each level-0 column covers, west to east.
struct Column {
    int x;
    int firstY;
    int lastY;
};
constexpr Column kSurfaceColumns[] = {{-5, -6, 5}, {-4, -6, 7}, {-3, -6, 8}, {-2, -6, 8},
                                      {-1, -6, 8}, {0, -6, 8},  {1, -6, 8},  {2, -6, 8},
                                      {3, -6, 8},  {4, -6, 8},  {5, -6, 8}};

}  // namespace

TEST(PlacesTest, NoTwoRowsOverlap) {
    const auto places = allPlaces();
    for (std::size_t i = 0; i < places.size(); ++i) {
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            const Place& a = places[i];
            const Place& b = places[j];
            const bool overlap = a.level == b.level && a.x.first <= b.x.last &&
                                 b.x.first <= a.x.last && a.y.first <= b.y.last &&
                                 b.y.first <= a.y.last;
            EXPECT_FALSE(overlap) << "rows " << i << " and " << j;
        }
    }
}

TEST(PlacesTest, EverySurfaceColumnCoversExactlyItsRange) {
    for (const Column& column : kSurfaceColumns) {
        for (int y = -10; y <= 12; ++y) {
            const bool inside = column.firstY <= y && y <= column.lastY;
            EXPECT_EQ(inside, findPlace(column.x, y, 0) != nullptr)
                << "x " << column.x << ", y " << y;
        }
    }
    for (int y = -10; y <= 12; ++y) {
        EXPECT_EQ(nullptr, findPlace(-6, y, 0));
        EXPECT_EQ(nullptr, findPlace(6, y, 0));
    }
}

TEST(PlacesTest, EveryRowIsFoundAtItsOwnPositions) {
    for (const Place& place : allPlaces()) {
        const int x = place.x.first == kEverywhere.first ? 1234 : place.x.first;
        for (int y = std::max(place.y.first, -20); y <= std::min(place.y.last, 20); ++y) {
            EXPECT_EQ(&place, findPlace(x, y, place.level)) << place.description;
        }
    }
}

TEST(PlacesTest, BelowGroundOnlyTheListedSquaresHaveRows) {
    const std::set<std::pair<int, int>> listed{{-5, 1}, {-5, 2}, {-4, 1}, {-4, 2}, {-3, 1},
                                               {-3, 2}, {0, 8},  {1, 7},  {1, 8},  {2, 6},
                                               {2, 7},  {3, 0},  {3, 5},  {3, 6}};
    for (int x = -7; x <= 7; ++x) {
        for (int y = -8; y <= 10; ++y) {
            EXPECT_EQ(listed.contains({x, y}), findPlace(x, y, 1) != nullptr);
        }
    }
}

TEST(PlacesTest, TheTowerFloorsCoverEverySquareAndNothingLiesBeyond) {
    for (const int level : {-2, -3, -4}) {
        EXPECT_NE(nullptr, findPlace(-99999, 123456, level));
        EXPECT_EQ(findPlace(0, 0, level), findPlace(2, 7, level));
    }
    EXPECT_NE(nullptr, findPlace(0, 2, -1));
    EXPECT_NE(nullptr, findPlace(2, 7, -1));
    EXPECT_EQ(nullptr, findPlace(1, 2, -1));
    for (const int level : {2, 7, -5, -99}) {
        EXPECT_EQ(nullptr, findPlace(0, 0, level));
    }
    EXPECT_EQ(nullptr, findPlace(0, 9, 0));
    EXPECT_EQ(nullptr, findPlace(-5, 6, 0));
    EXPECT_EQ(nullptr, findPlace(-4, 8, 0));
}

TEST(PlacesTest, OnlyThePondSquaresOpenDownOnTheSurfaceOutsideEvents) {
    for (const Place& place : allPlaces()) {
        if (place.level != 0 || place.event != Event::None) {
            continue;
        }
        const bool pond =
            place.x.first >= -5 && place.x.last <= -3 && place.y.first == 1 && place.y.last == 2;
        EXPECT_EQ(pond, place.open.down()) << place.description;
    }
}

TEST(PlacesTest, RowsOpenTheirFixedDirections) {
    EXPECT_EQ(exits("NEWS"), findPlace(0, 0, 0)->open);
    EXPECT_EQ(exits("NEWSU"), findPlace(0, 2, 0)->open);
    EXPECT_EQ(exits("ES"), findPlace(0, 4, 0)->open);
    EXPECT_EQ(exits("EWSU"), findPlace(-5, 1, 1)->open);
    EXPECT_EQ(exits("NEU"), findPlace(-3, 2, 1)->open);
    EXPECT_EQ(exits("UD"), findPlace(5, 5, -3)->open);
    EXPECT_EQ(exits("N"), findPlace(5, 8, 0)->open);
    EXPECT_EQ(exits(""), exits(""));
}

TEST(PlacesTest, EventsAreBoundToTheirPlaces) {
    EXPECT_EQ(Event::HouseDoor, findPlace(0, -1, 0)->event);
    EXPECT_EQ(Event::OldSword, findPlace(0, -2, 0)->event);
    EXPECT_EQ(Event::Temple, findPlace(-4, 7, 0)->event);
    EXPECT_EQ(Event::TempleDoor, findPlace(-3, 7, 0)->event);
    EXPECT_EQ(Event::TowerEntrance, findPlace(2, 8, 0)->event);
    EXPECT_EQ(Event::DarkBuilding, findPlace(0, 8, 0)->event);
    EXPECT_EQ(Event::DarkForest, findPlace(4, -4, 0)->event);
    EXPECT_EQ(Event::DarkForestByVines, findPlace(5, -4, 0)->event);
    EXPECT_EQ(Event::VineCoveredBuilding, findPlace(1, 4, 0)->event);
    EXPECT_EQ(Event::Forge, findPlace(1, 5, 0)->event);
    EXPECT_EQ(Event::ClockTowerGroundFloor, findPlace(2, 7, 0)->event);
    EXPECT_EQ(Event::HealingPlace, findPlace(3, -5, 0)->event);
    EXPECT_EQ(Event::HealingPlace, findPlace(3, 0, 0)->event);
    EXPECT_EQ(Event::HealingPlace, findPlace(0, 2, -1)->event);
    EXPECT_EQ(Event::StoneDoor, findPlace(3, 1, 0)->event);
    EXPECT_EQ(Event::AbandonedBuilding, findPlace(3, 5, 0)->event);
    EXPECT_EQ(Event::SealedDoor, findPlace(3, 6, 0)->event);
    EXPECT_EQ(Event::Altar, findPlace(5, -6, 0)->event);
    EXPECT_EQ(Event::GolemFloor, findPlace(9, 9, -2)->event);
    EXPECT_EQ(Event::Meteor, findPlace(9, 9, -4)->event);
    EXPECT_EQ(Event::Finale, findPlace(3, 0, 1)->event);
    int eventRows = 0;
    for (const Place& place : allPlaces()) {
        eventRows += place.event != Event::None ? 1 : 0;
    }
    EXPECT_EQ(21, eventRows);
}
