#pragma once
// The interpreter's dispatch: one handler per code byte. A handler is
// entered with the cursor after the code byte and reads its own operands.
// Adding an instruction means writing its handler and entering it in the
// table of instruction_handlers.cpp; its name and operand kinds belong in
// instruction_table.h. The most frequent instructions also have a case in
// the interpreter's loop, which runs them inline.

#include <array>
#include <cstdint>

namespace rux {

class ScriptCall;

using InstructionHandler = void (*)(ScriptCall&);

extern const std::array<InstructionHandler, 256> instructionHandlers;

namespace instructions {

// Any code byte without a handler.
void unrecognised(ScriptCall& call);

// Control flow that reads variable-length entries (control_flow.cpp); the
// loops and branches are inline in control_flow.h, the value instructions
// in value_instructions.h.
void select(ScriptCall& call);
void require(ScriptCall& call);

// Calls and messages (call_instructions.cpp).
void call(ScriptCall& call);
void print(ScriptCall& call);

} // namespace instructions

} // namespace rux
