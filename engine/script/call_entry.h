#pragma once
// Entering a code block as a new call: the steps that runScript and the
// interpreter's loop (which runs routine calls itself) share.

#include "engine/engine.h"
#include "engine/script/script_call.h"
#include "engine/script/cell_names.h"

#include <new>

namespace rux {

enum class CallEntry {
    Skip,    // the call does nothing
    TooDeep, // the call would nest too deep: fatal
    Enter,
};

// An empty block, a block outside the code area and every block while the
// abort flag is set do nothing. Nesting deeper than the deepest call is
// tested before the block's place, so it is fatal for any non-empty block.
[[gnu::always_inline]] inline CallEntry checkCallEntry(const Engine& engine, CodeBlock block) {
    const World& world = engine.world;
    if (block.length == 0 || world.byteVariables[abortFlagVariable] != 0) return CallEntry::Skip;
    if (engine.machine.callDepth >= maxCallDepth) [[unlikely]]
        return CallEntry::TooDeep;
    if (uint32_t{block.start} * 4 >= world.codeArea.size()) [[unlikely]]
        return CallEntry::Skip;
    return CallEntry::Enter;
}

// Enters a call that checkCallEntry let through and that has been taken
// from the budget of jumps and calls: one level deeper, that level's locals
// cleared, its ScriptCall placed in the level's slot and made the running
// call. `caller` (if any) waits for it and gets `callerPosition` back as
// the program position when it returns.
[[gnu::always_inline]] inline ScriptCall* enterCall(Engine& engine, CodeBlock block,
                                                    ScriptCall* caller, uint32_t callerPosition) {
    MachineState& machine = engine.machine;
    const uint32_t first = uint32_t{block.start} * 4;
    const int depth = ++machine.callDepth;
    machine.frames[depth].fill(0);
    ScriptCall* call = new (&machine.callSlots[depth]) ScriptCall(
        engine, caller, callerPosition, first, ScriptCall::cutAtArea(engine, first + block.length));
    machine.currentCall = call;
    return call;
}

} // namespace rux
