#pragma once

// The x of anything that is not on the map: carried, used up, slain or not yet revealed.
inline constexpr int OFF_MAP = 99999;
