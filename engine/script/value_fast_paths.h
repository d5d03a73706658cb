#pragma once
// Inline shortcuts for the operand types that loops and arithmetic use most
// (byte variables and locals, long variables and constants, numbers). They
// give exactly what readValue and assignValue give for those cells and hand
// every other case to them.

#include "engine/engine.h"
#include "engine/script/values.h"

#include <cstdint>

namespace rux {

[[gnu::always_inline]] inline int32_t readValueFast(Engine& engine, uint8_t type, uint8_t index) {
    switch (type) {
    case 3: // byte variable; 10 is computed, 248..255 are the call's locals
        if (index >= 248) return engine.machine.local(index);
        if (index != 10) return engine.world.byteVariables[index];
        break;
    case 4: // long variable; 1..5 are redirected cells
        if (index > 5) return engine.world.longVariables[index];
        break;
    case 5: return engine.world.longConstants[index];
    case 6: // a number; 250 stands for 251
        if (index != 250) return index;
        break;
    default: break;
    }
    return readValue(engine, type, index);
}

[[gnu::always_inline]] inline void assignValueFast(Engine& engine, uint8_t type, uint8_t index,
                                                   int32_t value) {
    switch (type) {
    case 3: // byte variable; writing 20 repaints the status line
        if (index >= 248) {
            engine.machine.local(index) = static_cast<uint8_t>(value);
            return;
        }
        if (index != 20) {
            engine.world.byteVariables[index] = static_cast<uint8_t>(value);
            return;
        }
        break;
    case 4: // long variable; 1, 2 and 4 also write redirected cells
        if (index > 5) {
            engine.world.longVariables[index] = value;
            return;
        }
        break;
    default: break;
    }
    assignValue(engine, type, index, value);
}

} // namespace rux
