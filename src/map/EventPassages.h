#pragma once

#include <span>
#include <string_view>

#include "map/Places.h"

// What each event does to the ways out of its place, as data: the directions it may open
// beyond those its row always opens, and when. The events open exactly these, so the map's
// drawing and its tests know every way through the world without playing it.
struct EventPassage {
    Event event;
    std::string_view name;
    Exits opens;
    // When the event opens them, for a reader of the map.
    std::string_view when;
};

// Every event but Event::None, in the order of the enum.
std::span<const EventPassage> allEventPassages();

// Every direction a place may open: those its row always opens and those its event may.
Exits waysOut(const Place& place);

// The passage entry of an event; Event::None, and an event missing from the list, open
// nothing.
const EventPassage& eventPassage(Event event);
