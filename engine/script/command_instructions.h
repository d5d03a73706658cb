#pragma once
// Instructions around commands and the session: performing another action, collecting and listing, byte arrays, pending and message variables, scope sets, the parser-facing tests, questions, quitting and the screen.

#include <array>

#include "engine/script/instruction_handlers.h"

namespace rux {

// Enters this family's handlers in the dispatch table.
constexpr void addCommandInstructions(std::array<InstructionHandler, 256>& table) {
    (void)table;
}

} // namespace rux
