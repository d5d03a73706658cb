#pragma once
// The two modal waits of the output: the paging prompt and the key question.

#include "engine/text/output_buffer.h"
#include "engine/world/object_set.h"

#include <cstdint>

namespace rux {

class Engine;

// Waits in the given input mode until it closes: kPagingPrompt (1) lets the
// player read a screenful, kKeyQuestion (2) waits for one of allowedKeys.
// Any other mode is a fatal error.
void startPaging(Engine& engine, int mode);

// Asks a key question for one of the given upper-case key codes; returns the
// key, or 27 for Escape.
uint8_t askKey(Engine& engine, const ObjectSet& allowedKeys);

} // namespace rux
