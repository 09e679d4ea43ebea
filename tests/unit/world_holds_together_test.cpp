#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "map/EventPassages.h"
#include "map/Places.h"

// The location table walked as a whole: where every way out leads, which rows claim which
// squares, and whether the start reaches every place and every place the start. The ways
// an event opens (a door with its key, stairs once their guard is dead) count as open.

namespace {

struct Square {
    int x;
    int y;
    int level;
    auto operator<=>(const Square&) const = default;
};

// Where a way out may lead without a row, and why that is meant.
struct Beyond {
    std::string_view why;
    bool (*holds)(const Square&);
};
const Beyond kBeyondTheRows[] = {
    {"the deep water west of the lake pulls the player under, on every level",
     [](const Square& s) { return s.x < -5; }},
    {"the vines east of the forest lash out, on every level",
     [](const Square& s) { return s.x > 5; }},
    {"the fog north of the fields sends the player back to the start",
     [](const Square& s) { return s.y < -6; }},
    // Two quirks of the game, kept as its rules stand: with no row there, the ways of the
    // square left behind stay in force, so the walk goes on east under ground, or upward.
    {"the rocks under the pond open east into unmapped rock",
     [](const Square& s) { return s.level == 1 && s.x == -2 && (s.y == 1 || s.y == 2); }},
    {"the top floor of the clock tower opens up into nothing",
     [](const Square& s) { return s.level == -5; }},
};

// Where every game starts, and where death and the fog bring the player back.
constexpr Square kStart{0, 0, 0};

std::string spanText(Span span) {
    if (span.first == INT_MIN && span.last == INT_MAX) {
        return "every";
    }
    return span.first == span.last ? std::to_string(span.first)
                                   : std::to_string(span.first) + ".." + std::to_string(span.last);
}

std::string nameOf(const Place& place) {
    std::ostringstream name;
    name << "row " << &place - allPlaces().data() << " (level " << place.level << ", x "
         << spanText(place.x) << ", y " << spanText(place.y) << ", \""
         << place.description.substr(0, 40) << "...\")";
    return name.str();
}

std::string squareText(const Square& s) {
    std::ostringstream text;
    text << '(' << s.x << ',' << s.y << ',' << s.level << ')';
    return text.str();
}

const Place* placeAt(const Square& s) {
    return findPlace(s.x, s.y, s.level);
}

// The squares, with rows, that one step through the ways out of `from` reaches.
std::vector<Square> stepsFrom(const Square& from) {
    std::vector<Square> next;
    const Place* place = placeAt(from);
    for (const Way& d : kWays) {
        const Square to{from.x + d.dx, from.y + d.dy, from.level + d.dz};
        if ((waysOut(*place).bits & d.bit) != 0 && placeAt(to) != nullptr) {
            next.push_back(to);
        }
    }
    return next;
}

// The walk over the whole table: every square reached from the start, and every square of
// a bounded row plus those the walk reached of the rows that cover a whole level.
struct Walk {
    std::set<Square> reached;
    std::vector<Square> squares;
};

const Walk& walk() {
    static const Walk result = [] {
        Walk w;
        std::deque<Square> queue{kStart};
        w.reached.insert(kStart);
        while (!queue.empty()) {
            for (const Square& to : stepsFrom(queue.front())) {
                if (w.reached.insert(to).second) {
                    queue.push_back(to);
                }
            }
            queue.pop_front();
        }
        for (const Place& place : allPlaces()) {
            if (!place.isUnbounded()) {
                for (int x = place.x.first; x <= place.x.last; ++x) {
                    for (int y = place.y.first; y <= place.y.last; ++y) {
                        w.squares.push_back({x, y, place.level});
                    }
                }
            }
        }
        for (const Square& s : w.reached) {
            if (placeAt(s)->isUnbounded()) {
                w.squares.push_back(s);
            }
        }
        return w;
    }();
    return result;
}

}  // namespace

TEST(WorldHoldsTogetherTest, EveryWayOutLeadsToAPlaceOrToAnEdgeMeantAsOne) {
    std::vector<int> uses(std::size(kBeyondTheRows));
    for (const Square& from : walk().squares) {
        const Place& place = *placeAt(from);
        for (const Way& d : kWays) {
            const Square to{from.x + d.dx, from.y + d.dy, from.level + d.dz};
            if ((waysOut(place).bits & d.bit) == 0 || placeAt(to) != nullptr) {
                continue;
            }
            bool meant = false;
            for (std::size_t i = 0; i < uses.size(); ++i) {
                if (kBeyondTheRows[i].holds(to)) {
                    ++uses[i];
                    meant = true;
                }
            }
            EXPECT_TRUE(meant) << nameOf(place) << " opens " << d.letter << " at "
                               << squareText(from) << " into " << squareText(to)
                               << ", where no row lies and no edge is meant";
        }
    }
    for (std::size_t i = 0; i < uses.size(); ++i) {
        EXPECT_GT(uses[i], 0) << "no way leads where " << kBeyondTheRows[i].why;
    }
}

TEST(WorldHoldsTogetherTest, NoTwoRowsClaimTheSameSquare) {
    const auto places = allPlaces();
    const auto overlap = [](Span a, Span b) { return a.first <= b.last && b.first <= a.last; };
    for (std::size_t i = 0; i < places.size(); ++i) {
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            const Place& a = places[i];
            const Place& b = places[j];
            EXPECT_FALSE(a.level == b.level && overlap(a.x, b.x) && overlap(a.y, b.y))
                << nameOf(a) << " and " << nameOf(b) << " claim the same squares";
        }
    }
}

TEST(WorldHoldsTogetherTest, TheStartReachesEveryPlaceAndEveryPlaceTheStart) {
    // Backwards: the squares from which some way leads to one already known to reach the start.
    std::map<Square, std::vector<Square>> comesFrom;
    for (const Square& s : walk().squares) {
        for (const Square& to : stepsFrom(s)) {
            comesFrom[to].push_back(s);
        }
    }
    std::set<Square> leadsBack{kStart};
    std::deque<Square> queue{kStart};
    while (!queue.empty()) {
        for (const Square& from : comesFrom[queue.front()]) {
            if (leadsBack.insert(from).second) {
                queue.push_back(from);
            }
        }
        queue.pop_front();
    }

    std::map<const Place*, std::vector<Square>> squaresOf;
    for (const Square& s : walk().squares) {
        squaresOf[placeAt(s)].push_back(s);
    }
    for (const Place& place : allPlaces()) {
        ASSERT_TRUE(squaresOf.contains(&place)) << nameOf(place) << " is never reached";
        for (const Square& s : squaresOf[&place]) {
            EXPECT_TRUE(walk().reached.contains(s))
                << nameOf(place) << " is not reached from the start at " << squareText(s);
            EXPECT_TRUE(leadsBack.contains(s))
                << nameOf(place) << " has no way back to the start from " << squareText(s);
        }
    }
}

TEST(WorldHoldsTogetherTest, EveryEventHasItsRowAndOpensOnlyWhatTheRowLeavesIt) {
    for (const EventPassage& passage : allEventPassages()) {
        int rows = 0;
        for (const Place& place : allPlaces()) {
            rows += place.event == passage.event ? 1 : 0;
        }
        EXPECT_GT(rows, 0) << "no row has the event \"" << passage.name << "\"";
    }
    for (const Place& place : allPlaces()) {
        if (place.event == Event::None) {
            continue;
        }
        const EventPassage& passage = eventPassage(place.event);
        EXPECT_EQ(place.event, passage.event) << nameOf(place) << " has an unlisted event";
        EXPECT_EQ(0, place.open.bits & passage.opens.bits)
            << nameOf(place) << " always opens what its event \"" << passage.name << "\" opens";
    }
}
