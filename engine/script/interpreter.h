#pragma once
// Running the story's compiled code: code blocks, numbered routines and
// condition lists.

#include "engine/world/world.h"

#include <cstdint>

namespace rux {

class Engine;

// Runs one code block (start in 4-byte units, length in bytes) to its end.
// Does nothing for an empty block or while the abort flag (byte variable 13)
// is set. Re-entrant; the caller's program position is restored on return.
// Throws FatalError when the call would nest deeper than 63 calls.
void runScript(Engine& engine, uint16_t start, uint16_t length);
inline void runScript(Engine& engine, CodeBlock block) {
    runScript(engine, block.start, block.length);
}

// Runs the routine with number n; nothing if the story has none.
void runRoutine(Engine& engine, uint8_t n);

// Reads a condition list at the program position, inside the running block
// when code runs, and leaves the position after its terminating 0.
bool evaluateConditionList(Engine& engine);

} // namespace rux
