#pragma once
// The game clock: hours in byte variable 3, minutes in byte variable 2.

#include <cstdint>

namespace rux {

class Engine;

inline constexpr uint8_t clockHoursVariable = 3;
inline constexpr uint8_t clockMinutesVariable = 2;

// Adds hours and minutes in bytes. Minutes carry into the hours once at
// most, so a step of 150 minutes leaves the minutes above 60; stories
// advance the clock a few minutes a turn and rely on this arithmetic.
void advanceClock(Engine& engine, int32_t hours, int32_t minutes);

} // namespace rux
