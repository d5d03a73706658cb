#pragma once
// World-acting instructions: moving the player, printing, locations and states, flag sets, random choices, the clock, game end, reach checks, scores, exits, text boxes and the object tree.

#include <array>

#include "engine/script/instruction_handlers.h"

namespace rux {

// Enters this family's handlers in the dispatch table.
constexpr void addWorldInstructions(std::array<InstructionHandler, 256>& table) {
    (void)table;
}

} // namespace rux
