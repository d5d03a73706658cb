#pragma once
// The game's random numbers: a small generator whose state lives in the
// machine state, so that a seeded engine repeats its choices exactly.

#include <cstdint>

namespace rux {

class Engine;

void seedRandom(Engine& engine, uint64_t seed);

// A uniformly distributed number 0..n-1; 0 when n <= 0.
int32_t random(Engine& engine, int32_t n);

} // namespace rux
