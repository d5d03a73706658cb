#pragma once
// The game clock: hours in byte variable 3, minutes in byte variable 2.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rux {

class Engine;

inline constexpr uint8_t clockHoursVariable = 3;
inline constexpr uint8_t clockMinutesVariable = 2;

// Adds hours and minutes (either may be negative). Minutes beyond 59 carry
// into the hours as often as needed and the hours wrap at 24, so 10:00 and
// 150 minutes make 12:30. A clock that a story set out of range (hours
// above 23, minutes above 59) is brought back into range by the step.
void advanceClock(Engine& engine, int32_t hours, int32_t minutes);

// The clock as "hh:mm", each number with a leading zero below 10; what the
// markup and the status line print. Bytes set out of range by a story are
// shown as they are ("255:255").
class ClockText {
  public:
    explicit ClockText(const Engine& engine);
    std::string_view view() const { return {text_, size_}; }

  private:
    char text_[8]; // at most "255:255"
    std::size_t size_ = 0;
};

} // namespace rux
