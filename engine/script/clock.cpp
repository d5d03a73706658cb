#include "engine/script/clock.h"

#include "engine/engine.h"

#include <charconv>
#include <iterator>

namespace rux {

namespace {

constexpr int64_t minutesPerDay = 24 * 60;

} // namespace

void advanceClock(Engine& engine, int32_t hours, int32_t minutes) {
    uint8_t& h = engine.world.byteVariables[clockHoursVariable];
    uint8_t& m = engine.world.byteVariables[clockMinutesVariable];
    // In 64 bits: the story's operands are any 32-bit numbers.
    const int64_t total = (int64_t{h} + hours) * 60 + int64_t{m} + minutes;
    const int64_t inDay = ((total % minutesPerDay) + minutesPerDay) % minutesPerDay;
    h = static_cast<uint8_t>(inDay / 60);
    m = static_cast<uint8_t>(inDay % 60);
}

ClockText::ClockText(const Engine& engine) {
    char* end = text_;
    for (const uint8_t value : {engine.world.byteVariables[clockHoursVariable],
                                engine.world.byteVariables[clockMinutesVariable]}) {
        if (end != text_) *end++ = ':';
        if (value < 10) *end++ = '0';
        end = std::to_chars(end, std::end(text_), value).ptr;
    }
    size_ = static_cast<std::size_t>(end - text_);
}

} // namespace rux
