// The byte-array instructions: reading and writing an element by a
// three-dimensional index, the index itself, and filling a run of elements.
// Element reads and writes go through the array's value type (127 + array),
// which reads 0 beyond the array and writes nothing there.

#include "engine/engine.h"
#include "engine/script/command_instructions.h"
#include "engine/script/script_call.h"
#include "engine/world/capacities.h"

namespace rux::instructions {

namespace {

constexpr uint8_t firstArrayValueType = 127;

bool isArray(uint8_t array) {
    return array >= 1 && array <= maxByteArrays;
}

Destination elementCell(uint8_t array, uint32_t element) {
    return {static_cast<uint8_t>(firstArrayValueType + array),
            static_cast<uint8_t>(element & 0xFF)};
}

// e = x + X * (y + Y * z) in 16 bits, X and Y the array's first two
// dimensions; an array the story does not have has no dimensions.
uint16_t elementNumber(ScriptCall& call, uint8_t array) {
    const int32_t x = call.operand();
    const int32_t y = call.operand();
    const int32_t z = call.operand();
    uint32_t dim1 = 0;
    uint32_t dim2 = 0;
    if (isArray(array)) {
        const ByteArray& record = call.engine.world.byteArrays[array - 1];
        dim1 = record.dim1;
        dim2 = record.dim2;
    }
    const uint32_t inner = static_cast<uint32_t>(y) + dim2 * static_cast<uint32_t>(z);
    return static_cast<uint16_t>(static_cast<uint32_t>(x) + dim1 * inner);
}

} // namespace

void getArray(ScriptCall& call) {
    const Destination d = call.destination();
    const uint8_t array = call.byte();
    const uint16_t element = elementNumber(call, array);
    if (call.ended()) return;
    const int32_t value = isArray(array) ? call.valueOf(elementCell(array, element)) : 0;
    call.assign(d, value);
}

void putArray(ScriptCall& call) {
    const uint8_t array = call.byte();
    const uint16_t element = elementNumber(call, array);
    const int32_t value = call.operand();
    if (call.ended() || !isArray(array)) return;
    call.assign(elementCell(array, element), value);
}

void arrayIndex(ScriptCall& call) {
    const Destination d = call.destination();
    const uint8_t array = call.byte();
    const uint16_t element = elementNumber(call, array);
    if (!call.ended()) call.assign(d, element);
}

void fillArray(ScriptCall& call) {
    const uint8_t array = call.byte();
    const int32_t first = call.operand();
    const uint8_t count = call.byte();
    for (int i = 0; i < count && !call.ended(); ++i) {
        const int32_t value = call.operand();
        if (call.ended() || !isArray(array)) continue;
        call.assign(elementCell(array, static_cast<uint32_t>(first + i)), value);
    }
}

} // namespace rux::instructions
