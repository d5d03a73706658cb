#include "engine/script/clock.h"

#include "engine/engine.h"

namespace rux {

void advanceClock(Engine& engine, int32_t hours, int32_t minutes) {
    uint8_t& h = engine.world.byteVariables[clockHoursVariable];
    uint8_t& m = engine.world.byteVariables[clockMinutesVariable];
    h = static_cast<uint8_t>(h + hours);
    m = static_cast<uint8_t>(m + minutes);
    if (m >= 60) {
        m = static_cast<uint8_t>(m - 60);
        h = static_cast<uint8_t>(h + 1);
    }
    if (h >= 24) h = static_cast<uint8_t>(h - 24);
}

} // namespace rux
