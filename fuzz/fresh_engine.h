#pragma once
// Fresh engines for fuzz inputs, one engine per input, without allocating
// the world's large areas for each: the world storage of an engine that is
// done passes on to the next one. Its content does not: every fuzzer
// installs a whole world before it runs anything.

#include "engine/engine.h"

#include <memory>

namespace rux::fuzz {

std::unique_ptr<Engine> freshEngine(Host& host);

// Hands the engine's world storage on to the next fresh engine.
void recycle(std::unique_ptr<Engine> engine);

} // namespace rux::fuzz
