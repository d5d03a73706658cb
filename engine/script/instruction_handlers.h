#pragma once
// The interpreter's dispatch: one handler per code byte. A handler is
// entered with the cursor after the code byte and reads its own operands.
// Adding an instruction means writing its handler and entering it in the
// table of instruction_handlers.cpp; its name and operand kinds belong in
// instruction_table.h. The most frequent instructions run inline in the
// interpreter's loop instead; their entries here are never consulted.

#include <array>
#include <cstdint>

namespace rux {

class Engine;
class ScriptCall;

using InstructionHandler = void (*)(ScriptCall&);

extern const std::array<InstructionHandler, 256> instructionHandlers;

namespace instructions {

// Any code byte without a handler.
void unrecognised(ScriptCall& call);

// Control flow that reads variable-length entries or stops
// (control_flow.cpp); loops, branches, assignment and arithmetic run inline
// in the interpreter's loop (run_loop.cpp) and have no handler here.
void select(ScriptCall& call);
void require(ScriptCall& call);
void stop(ScriptCall& call);

// Conditions turned into stored values (value_instructions.cpp).
void test(ScriptCall& call);
void setTrue(ScriptCall& call);
void setFalse(ScriptCall& call);

// Calls and messages (call_instructions.cpp). Instruction 17 runs inline
// in the loop, which hands its target here.
void callTarget(Engine& engine, uint8_t kind, uint8_t number);
void print(ScriptCall& call);

} // namespace instructions

} // namespace rux
