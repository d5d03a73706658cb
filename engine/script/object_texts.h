#pragma once
// The two steps every object text goes through: finding the text slot along
// the object's base chain, and showing a text reference.

#include <cstdint>

#include "engine/world/world.h"

namespace rux {

class Engine;

// Text slot k of the object, or of the first object along its base chain
// whose slot k is filled; the last slot read when none is. Makes the object
// the phrase object, so that the text names it.
TextRef objectText(Engine& engine, uint8_t object, int slot);

// Prints the text; mark 0 runs the text routine at position `variant` of the
// text-routine list instead (nothing when there is none).
void showText(Engine& engine, TextRef text);

}  // namespace rux
