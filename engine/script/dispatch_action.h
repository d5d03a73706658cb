#pragma once
// Carrying out an action for the story's code (instructions 1, 17 and 18).

#include <cstdint>

namespace rux {

class Engine;

// Runs the action with its scripts and the standard action in the turn
// driver's order.
void dispatchAction(Engine& engine, uint8_t action);

} // namespace rux
