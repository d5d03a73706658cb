#pragma once
// Turning a noun phrase's candidates into the one object a command means,
// asking the player when several fit.

#include "engine/parser/parser_state.h"

#include <cstdint>
#include <string>

namespace rux {

class Engine;

// Whether `object` fits an object slot of scope kind `kind` (the low three
// bits: present and reachable, carried, present, anything, present and not
// carried, inside or on `container`).
bool inScope(Engine& engine, uint8_t object, uint8_t container, uint8_t kind);

// Resolves one phrase to an object; `phraseResult` is what readNounPhrase
// returned. 0 with parseError 20 (none fits) or 42 (a question was asked).
uint8_t resolve(Engine& engine, NounPhrase& target, uint8_t kind, uint8_t grammaticalCase,
                const std::string& questionPrefix, uint8_t phraseResult);

} // namespace rux
