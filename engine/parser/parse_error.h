#pragma once
// The parser's message code (byte variable 14), read and set by every step.

#include "engine/engine.h"
#include "engine/script/reach_checks.h"

namespace rux {

inline uint8_t& parseError(Engine& engine) {
    return engine.world.byteVariables[parseErrorVariable];
}

} // namespace rux
