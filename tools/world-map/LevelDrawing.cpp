#include "LevelDrawing.h"

#include <algorithm>
#include <array>
#include <climits>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "Svg.h"
#include "map/EventPassages.h"

namespace {

constexpr int kCellWidth = 128;
constexpr int kCellHeight = 80;
constexpr int kLeft = 56;     // room for the y axis
constexpr int kTop = 72;      // the title and the x axis
constexpr int kPadding = 20;  // arrows that leave the window
constexpr int kStub = 12;     // an arrow's length on each side of a wall
constexpr int kLane = 5;      // opposite ways pass each other this far from the middle
constexpr int kTextInset = 16;
constexpr std::size_t kCharsPerLine = 16;
constexpr int kLegendHeight = 200;
constexpr int kLegendWidth = 980;

constexpr std::string_view kAlwaysColour = "#1f2937";
constexpr std::string_view kEventColour = "#c2410c";
constexpr std::string_view kNowhereColour = "#dc2626";
constexpr std::string_view kStartColour = "#2563eb";
constexpr std::string_view kPlaceFill = "#e8eef5";
constexpr std::string_view kEventFill = "#fdf1c7";
constexpr std::string_view kOutline = "#64748b";

// The squares shown: every square of the level's bounded rows and every square of the level
// that the start reaches, one square more on each side.
struct Window {
    int minX = INT_MAX;
    int maxX = INT_MIN;
    int minY = INT_MAX;
    int maxY = INT_MIN;

    void include(int x, int y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    int columns() const { return maxX - minX + 1; }
    int rows() const { return maxY - minY + 1; }
    int left(int x) const { return kLeft + (x - minX) * kCellWidth; }
    int top(int y) const { return kTop + (y - minY) * kCellHeight; }
    int width() const { return columns() * kCellWidth; }
    int height() const { return rows() * kCellHeight; }
};

Window windowOf(int level, const WorldFacts& facts) {
    Window window;
    for (const Place& place : allPlaces()) {
        if (place.level == level && !place.isUnbounded()) {
            window.include(place.x.first, place.y.first);
            window.include(place.x.last, place.y.last);
        }
    }
    for (const Square& square : facts.reached) {
        if (square.level == level) {
            window.include(square.x, square.y);
        }
    }
    if (window.minX == INT_MAX) {
        window.include(facts.start.x, facts.start.y);
    }
    window.include(window.minX - 1, window.minY - 1);
    window.include(window.maxX + 1, window.maxY + 1);
    return window;
}

// How a way out of a square is drawn.
enum class WayKind { Always, ByEvent, Nowhere };

std::string_view colourOf(WayKind kind) {
    switch (kind) {
        case WayKind::Always: return kAlwaysColour;
        case WayKind::ByEvent: return kEventColour;
        case WayKind::Nowhere: return kNowhereColour;
    }
    return kAlwaysColour;
}

std::string_view markerOf(WayKind kind) {
    switch (kind) {
        case WayKind::Always: return "always";
        case WayKind::ByEvent: return "event";
        case WayKind::Nowhere: return "nowhere";
    }
    return "always";
}

class Drawing {
public:
    explicit Drawing(std::ostringstream& picture) : svg(picture) {}

    void text(int x, int y, std::string_view content, std::string_view style = "") {
        svg << "<text x='" << x << "' y='" << y << "'" << style << '>' << escapeXml(content)
            << "</text>\n";
    }

    void arrow(int x1, int y1, int x2, int y2, WayKind kind) {
        svg << "<line x1='" << x1 << "' y1='" << y1 << "' x2='" << x2 << "' y2='" << y2
            << "' stroke='" << colourOf(kind) << "' stroke-width='2'"
            << (kind == WayKind::ByEvent ? " stroke-dasharray='4 2'" : "") << " marker-end='url(#"
            << markerOf(kind) << ")'/>\n";
    }

    // A triangle pointing up or down, centred on (x, y): filled where always open.
    void stairs(int x, int y, bool up, WayKind kind) {
        const int tip = up ? y - 6 : y + 6;
        const int base = up ? y + 6 : y - 6;
        svg << "<polygon points='" << x << ',' << tip << ' ' << x - 7 << ',' << base << ' ' << x + 7
            << ',' << base << "' stroke='" << colourOf(kind) << "' stroke-width='2'"
            << " fill='" << (kind == WayKind::ByEvent ? "none" : colourOf(kind)) << "'/>\n";
    }

    void startRing(int x, int y) {
        svg << "<circle cx='" << x << "' cy='" << y << "' r='7' fill='none' stroke='"
            << kStartColour << "' stroke-width='3'/>\n";
    }

    void box(int x, int y, int width, int height, std::string_view fill, bool dashed) {
        svg << "<rect x='" << x << "' y='" << y << "' width='" << width << "' height='" << height
            << "' fill='" << fill << "' stroke='" << kOutline << "' stroke-width='1.5'"
            << (dashed ? " stroke-dasharray='8 4'" : "") << "/>\n";
    }

private:
    std::ostringstream& svg;
};

WayKind kindOf(const Place& place, const Way& way, const Square& to) {
    if (findPlace(to.x, to.y, to.level) == nullptr) {
        return WayKind::Nowhere;
    }
    return (place.open.bits & way.bit) != 0 ? WayKind::Always : WayKind::ByEvent;
}

// The arrow of one compass way, crossing the wall on its own side of the middle.
void drawCompassWay(Drawing& drawing, const Window& window, const Square& from, const Way& way,
                    WayKind kind) {
    const int middleX = window.left(from.x) + kCellWidth / 2;
    const int middleY = window.top(from.y) + kCellHeight / 2;
    if (way.dx != 0) {
        const int wall = way.dx > 0 ? window.left(from.x) + kCellWidth : window.left(from.x);
        const int lane = middleY + (way.dx > 0 ? -kLane : kLane);
        drawing.arrow(wall - way.dx * kStub, lane, wall + way.dx * kStub, lane, kind);
    } else {
        const int wall = way.dy > 0 ? window.top(from.y) + kCellHeight : window.top(from.y);
        const int lane = middleX + (way.dy > 0 ? kLane : -kLane);
        drawing.arrow(lane, wall - way.dy * kStub, lane, wall + way.dy * kStub, kind);
    }
}

void drawWaysOut(Drawing& drawing, const Window& window, const Place& place, const Square& from) {
    const Exits ways = waysOut(place);
    for (const Way& way : kWays) {
        if ((ways.bits & way.bit) == 0) {
            continue;
        }
        const Square to{from.x + way.dx, from.y + way.dy, from.level + way.dz};
        const WayKind kind = kindOf(place, way, to);
        if (way.dz == 0) {
            drawCompassWay(drawing, window, from, way, kind);
        } else {
            const int x = window.left(from.x) + kCellWidth - 20;
            const int y =
                way.dz < 0 ? window.top(from.y) + 14 : window.top(from.y) + kCellHeight - 14;
            drawing.stairs(x, y, way.dz < 0, kind);
        }
    }
}

// The row's number, its event in bold and the start of its text, in its first square.
void drawLabel(Drawing& drawing, const Place& place, int left, int top) {
    const int x = left + kTextInset;
    drawing.text(x, top + 16, rowLabel(place), " font-size='11' fill='#475569'");
    std::size_t lines = 0;
    int y = top + 30;
    if (place.event != Event::None) {
        for (const std::string& line :
             wrapWords(eventPassage(place.event).name, kCharsPerLine, 2)) {
            drawing.text(x, y, line, " font-weight='bold'");
            y += 12;
            ++lines;
        }
    }
    // Nearly every text starts so; the rest tells the places apart.
    constexpr std::string_view kCommonStart = "You are ";
    std::string excerpt(place.description.starts_with(kCommonStart)
                            ? place.description.substr(kCommonStart.size())
                            : place.description);
    if (place.isUnbounded()) {
        excerpt = "(every x and y) " + excerpt;
    }
    for (const std::string& line : wrapWords(excerpt, kCharsPerLine, 3 - lines)) {
        drawing.text(x, y, line);
        y += 12;
    }
}

// Where a row's label goes: its first square in the window, or for a row on every square
// the first square that the start reaches there.
Square labelSquare(const Place& place, const Window& window, const WorldFacts& facts) {
    if (place.isUnbounded()) {
        for (const Square& square : facts.reached) {
            if (findPlace(square.x, square.y, square.level) == &place) {
                return square;
            }
        }
    }
    return {std::max(place.x.first, window.minX), std::max(place.y.first, window.minY),
            place.level};
}

void drawPlace(Drawing& drawing, std::ostringstream& svg, const Window& window, const Place& place,
               const WorldFacts& facts) {
    const int firstX = std::max(place.x.first, window.minX);
    const int lastX = std::min(place.x.last, window.maxX);
    const int firstY = std::max(place.y.first, window.minY);
    const int lastY = std::min(place.y.last, window.maxY);
    if (firstX > lastX || firstY > lastY) {
        return;
    }
    svg << "<g>\n<title>" << rowLabel(place) << ": " << escapeXml(place.description)
        << "</title>\n";
    drawing.box(window.left(firstX), window.top(firstY), (lastX - firstX + 1) * kCellWidth,
                (lastY - firstY + 1) * kCellHeight,
                place.event == Event::None ? kPlaceFill : kEventFill, place.isUnbounded());
    // The squares within a row of several, faintly.
    for (int x = firstX; x <= lastX; ++x) {
        for (int y = firstY; y <= lastY; ++y) {
            svg << "<rect x='" << window.left(x) << "' y='" << window.top(y) << "' width='"
                << kCellWidth << "' height='" << kCellHeight
                << "' fill='none' stroke='#cbd5e1' stroke-width='0.5'/>\n";
        }
    }
    const Square label = labelSquare(place, window, facts);
    drawLabel(drawing, place, window.left(label.x), window.top(label.y));
    svg << "</g>\n";
}

void drawAxes(Drawing& drawing, const Window& window) {
    for (int x = window.minX; x <= window.maxX; ++x) {
        drawing.text(window.left(x) + kCellWidth / 2, kTop - 8, "x " + std::to_string(x),
                     " text-anchor='middle' font-size='11' fill='#475569'");
    }
    for (int y = window.minY; y <= window.maxY; ++y) {
        drawing.text(kLeft - 8, window.top(y) + kCellHeight / 2 + 4, "y " + std::to_string(y),
                     " text-anchor='end' font-size='11' fill='#475569'");
    }
}

void drawLegend(Drawing& drawing, int top) {
    const int left = kLeft;
    const int column = left + 400;
    drawing.text(left, top, "Legend", " font-weight='bold' font-size='13'");
    drawing.box(left, top + 12, 28, 18, kPlaceFill, false);
    drawing.text(left + 38, top + 26,
                 "a place: one row of the table, #n its number (hover: its text)");
    drawing.box(left, top + 40, 28, 18, kEventFill, false);
    drawing.text(left + 38, top + 54, "a place with an event, named in bold");
    drawing.box(left, top + 68, 28, 18, kPlaceFill, true);
    drawing.text(left + 38, top + 82, "a place on every x and y of its level");
    drawing.startRing(left + 14, top + 105);
    drawing.text(left + 38, top + 110, "where every game starts");

    const std::array<std::pair<WayKind, std::string_view>, 3> kinds{{
        {WayKind::Always, "always open"},
        {WayKind::ByEvent, "opened by the place's event (a key, the Light, a guard slain)"},
        {WayKind::Nowhere, "into a square with no row: an edge of the map, or unmapped ground"},
    }};
    int y = top + 20;
    drawing.text(column, top, "Ways out (arrows north, east, south, west; triangles up, down)",
                 " font-weight='bold' font-size='13'");
    for (const auto& [kind, meaning] : kinds) {
        drawing.arrow(column, y, column + 30, y, kind);
        drawing.stairs(column + 46, y, true, kind);
        drawing.stairs(column + 64, y, false, kind);
        drawing.text(column + 80, y + 4, meaning);
        y += 28;
    }
}

}  // namespace

std::string levelFileName(int level) {
    return "level_" + std::to_string(level) + ".svg";
}

std::string drawLevel(int level, const WorldFacts& facts) {
    const Window window = windowOf(level, facts);
    const int width = std::max(kLeft + window.width() + kPadding, kLegendWidth);
    const int legendTop = kTop + window.height() + kPadding + 24;
    const int height = legendTop + kLegendHeight;
    const std::string title = "Level " + std::to_string(level) + ": " + levelName(level);

    std::ostringstream svg;
    Drawing drawing(svg);
    svg << "<?xml version='1.0' encoding='UTF-8'?>\n"
        << "<svg xmlns='http://www.w3.org/2000/svg' width='" << width << "' height='" << height
        << "' viewBox='0 0 " << width << ' ' << height
        << "' role='img' aria-labelledby='title' font-family='sans-serif' "
           "font-size='10'>\n"
        << "<title id='title'>Vellumfall, " << escapeXml(title) << "</title>\n<defs>\n";
    for (const WayKind kind : {WayKind::Always, WayKind::ByEvent, WayKind::Nowhere}) {
        svg << "<marker id='" << markerOf(kind)
            << "' viewBox='0 0 10 10' refX='8' refY='5' markerWidth='5' "
               "markerHeight='5' orient='auto'><path d='M0,0 L10,5 L0,10 z' fill='"
            << colourOf(kind) << "'/></marker>\n";
    }
    svg << "</defs>\n<rect width='100%' height='100%' fill='#ffffff'/>\n";
    drawing.text(kLeft, 28, title, " font-size='18' font-weight='bold'");
    drawAxes(drawing, window);

    // Rows first, then every way out over them, so no box hides an arrow.
    for (const Place& place : allPlaces()) {
        if (place.level == level) {
            drawPlace(drawing, svg, window, place, facts);
        }
    }
    for (int x = window.minX; x <= window.maxX; ++x) {
        for (int y = window.minY; y <= window.maxY; ++y) {
            if (const Place* place = findPlace(x, y, level)) {
                drawWaysOut(drawing, window, *place, {x, y, level});
            }
        }
    }
    if (facts.start.level == level) {
        drawing.startRing(window.left(facts.start.x) + 20,
                          window.top(facts.start.y) + kCellHeight - 14);
    }
    drawLegend(drawing, legendTop);
    svg << "</svg>\n";
    return svg.str();
}
