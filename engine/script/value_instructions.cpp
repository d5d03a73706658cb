// Instructions that turn conditions into stored values; assignment and
// arithmetic run inline in the interpreter's loop.

#include "engine/script/instruction_handlers.h"
#include "engine/script/script_call.h"

namespace rux::instructions {

// d := 1 if the condition list holds, else 0.
void test(ScriptCall& call) {
    const Destination cell = call.destination();
    const bool holds = call.conditions();
    if (!call.ended()) call.assign(cell, holds ? 1 : 0);
}

void setTrue(ScriptCall& call) {
    if (const uint8_t* p = call.take(2)) call.assign({p[0], p[1]}, 1);
}

void setFalse(ScriptCall& call) {
    if (const uint8_t* p = call.take(2)) call.assign({p[0], p[1]}, 0);
}

} // namespace rux::instructions
