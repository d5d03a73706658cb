#include "engine/script/random.h"

#include "engine/engine.h"

namespace rux {

void seedRandom(Engine& engine, uint64_t seed) {
    engine.machine.randomState = seed;
}

int32_t random(Engine& engine, int32_t n) {
    if (n <= 0) return 0;
    // splitmix64: every state gives a well-mixed output, so any seed will do.
    uint64_t z = (engine.machine.randomState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    // Scale the top 32 bits to 0..n-1; the bias of at most n / 2^32 is far
    // below anything a game could notice.
    return static_cast<int32_t>(((z >> 32) * static_cast<uint64_t>(n)) >> 32);
}

} // namespace rux
