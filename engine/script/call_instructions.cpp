// Instructions that run other code or print: calling an action, a routine
// or an exit routine, and printing a text mark.

#include "engine/engine.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/instruction_handlers.h"
#include "engine/script/instruction_table.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_call.h"
#include "engine/script/values.h"
#include "engine/text/formatter.h"

namespace rux::instructions {

// The callee keeps its own position; runScript gives the caller's back.
void callTarget(Engine& engine, uint8_t kind, uint8_t number) {
    const HeaderCounts& counts = engine.world.counts;
    switch (kind) {
    case callKind::action:
        if (number >= 1 && number <= counts.actionCount + counts.actionVariableCount)
            dispatchAction(engine, static_cast<uint8_t>(readValue(engine, 10, number)));
        break;
    case callKind::routine: runRoutine(engine, number); break;
    case callKind::exitRoutine:
        if (const NumberedCode* routine = engine.world.findExitRoutine(number))
            runScript(engine, routine->script);
        break;
    default: break;
    }
}

void print(ScriptCall& call) {
    const uint8_t mark = call.byte();
    const uint8_t variant = call.byte();
    if (!call.ended()) printMessage(call.engine, mark, variant);
}

} // namespace rux::instructions
