#pragma once
// The built-in parts of the standard actions that move the player: going,
// entering, and getting on and off things to sit, lie or stand.

#include <cstdint>

namespace rux {

class Engine;

namespace actions {

void go(Engine& engine);
void getOn(Engine& engine);
void enter(Engine& engine);
void getOff(Engine& engine);
void standUp(Engine& engine);

}  // namespace actions

// The player sits (1), stands (2) or lies (3) on the first object, which
// must be in object flag `flag`.
void adoptPosture(Engine& engine, uint8_t posture, uint8_t flag);

}  // namespace rux
