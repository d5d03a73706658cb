#pragma once
// The engine's own part of the standard actions 1..54 (going, taking,
// dropping, opening, looking, the system commands...).

#include <cstdint>

namespace rux {

class Engine;

// Whether the action has a built-in part; the others (0, 4, 7, 29, 34..39
// and everything above 50) leave the work to the action record's script.
bool hasBuiltInPart(uint8_t action);

// Carries out the built-in part of the current action. A part that fails
// leaves byte variable 16 at 1 and prints its reply; replies and refusals
// are system messages of the story.
void performBuiltInPart(Engine& engine);

} // namespace rux
