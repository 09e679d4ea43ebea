#include "map/EventPassages.h"

#include <algorithm>
#include <array>

namespace {

// clang-format off
constexpr std::array kEventPassages = std::to_array<EventPassage>({
    {Event::HouseDoor, "house door", exits("N"), "with the House Key"},
    {Event::TempleDoor, "temple door", exits("W"), "with the Temple Key"},
    {Event::TowerEntrance, "tower entrance", exits("N"), "with the Tower Key and the Light"},
    {Event::OldSword, "old sword", exits(""), ""},
    {Event::Temple, "temple", exits(""), ""},
    {Event::DarkBuilding, "dark building", exits("D"), "with the Light"},
    {Event::DarkForest, "dark forest", exits("NE"), "with the Light"},
    {Event::DarkForestByVines, "dark forest by the vines", exits("N"), "with the Light"},
    {Event::VineCoveredBuilding, "vine-covered building", exits("S"), "once the vines are dead"},
    {Event::ClockTowerGroundFloor, "clock tower", exits("U"), "once the Dire Centipede is dead"},
    {Event::GolemFloor, "golem floor", exits("U"), "once the golem is dead"},
    {Event::HealingPlace, "healing place", exits(""), ""},
    {Event::Forge, "forge", exits(""), ""},
    {Event::Altar, "altar", exits(""), ""},
    {Event::StoneDoor, "stone door", exits("N"), "once the gearbox is placed"},
    {Event::AbandonedBuilding, "abandoned building", exits(""), ""},
    {Event::SealedDoor, "sealed door", exits("N"), "once the door is broken from inside"},
    {Event::Meteor, "meteor", exits(""), ""},
    {Event::Finale, "finale", exits(""), ""},
});
// clang-format on

constexpr EventPassage kNoPassage{Event::None, "", exits(""), ""};

}  // namespace

std::span<const EventPassage> allEventPassages() {
    return kEventPassages;
}

Exits waysOut(const Place& place) {
    return Exits{static_cast<std::uint8_t>(place.open.bits | eventPassage(place.event).opens.bits)};
}

const EventPassage& eventPassage(Event event) {
    const auto* found =
        std::find_if(kEventPassages.begin(), kEventPassages.end(),
                     [event](const EventPassage& entry) { return entry.event == event; });
    return found == kEventPassages.end() ? kNoPassage : *found;
}
