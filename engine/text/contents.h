#pragma once
// Contents of a holder moved or reported as an enumeration.

#include <cstdint>

namespace rux {

class Engine;

// Moves every counted object that lies with the given relation in or on the
// command's first object to where that object is, lists the moved objects
// in the phrase buffer and prints system message 192; with nothing to move
// prints message 191 when `announce` is set.
void spillContents(Engine& engine, uint8_t relation, bool announce);

} // namespace rux
