#pragma once
// Listing what is in, on and at an object, recursively.

#include <cstdint>

namespace rux {

class Engine;

// Lists what o wears (only for a person whose contents are shown), what is
// in o (unless it is shut and its contents are not shown), on o and at o,
// then the same for every portable object lying with o. Adds the number of
// objects listed to `count`.
void listContents(Engine& engine, uint8_t object, int& count);

} // namespace rux
