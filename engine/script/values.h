#pragma once
// Operands: what each value type means when read and when assigned.

#include <cstdint>

namespace rux {

class Engine;

// Never fails; a type without a meaning yields the index itself.
int32_t readValue(Engine& engine, uint8_t type, uint8_t index);

// Stores the value; a type that cannot be assigned hands the diagnostic
// line "*** ungültige Zuweisung [type:index]***" to the host and changes
// nothing.
void assignValue(Engine& engine, uint8_t type, uint8_t index, int32_t value);

} // namespace rux
