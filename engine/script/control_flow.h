#pragma once
// Loops and branches: the block levels they open and close and where they
// jump. Positions in the code are 1-based within the block; a level
// remembers where its block ends and where its loop starts over. Defined
// here so that the interpreter's loop can run them without a call.

#include "engine/script/script_call.h"

namespace rux::instructions {

// The block position of the cursor (positions count from 1).
[[gnu::always_inline]] inline uint16_t currentBlockPosition(const ScriptCall& call) {
    return static_cast<uint16_t>(call.position() - call.begin() + 1);
}

// Leaves the innermost block through its end.
[[gnu::always_inline]] inline void exitBlock(ScriptCall& call, const BlockLevel& level) {
    if (call.goTo(level.endPosition)) call.closeBlock();
}

[[gnu::always_inline]] inline void forLoop(ScriptCall& call) {
    const uint8_t* p = call.take(8); // W end, D variable, O first, O last
    if (!p) return;
    const uint16_t end = wordAt(p);
    const Destination variable{p[2], p[3]};
    const int32_t first = call.valueAt(p + 4);
    const int32_t last = call.valueAt(p + 6);
    BlockLevel* level = call.openBlock();
    if (!level) return;
    level->endPosition = end;
    level->loopType = variable.type;
    level->loopIndex = variable.index;
    call.assign(variable, first);
    level->loopLimit = static_cast<uint8_t>(last);
    level->loopPosition = currentBlockPosition(call);
    if (call.valueOf(variable) > level->loopLimit) exitBlock(call, *level);
}

[[gnu::always_inline]] inline void next(ScriptCall& call) {
    BlockLevel* level = call.innermostBlock();
    if (!level) return;
    const Destination variable = level->loopVariable();
    call.assign(variable, static_cast<int32_t>(static_cast<uint32_t>(call.valueOf(variable)) + 1));
    // A byte variable wraps to 0 after 255, which ends the loop as well.
    const int32_t value = call.valueOf(variable);
    if (value > level->loopLimit || value == 0)
        exitBlock(call, *level);
    else
        call.goTo(level->loopPosition);
}

[[gnu::always_inline]] inline void repeat(ScriptCall& call) {
    const uint8_t* p = call.take(2); // W head
    if (!p) return;
    if (BlockLevel* level = call.openBlock()) level->loopPosition = wordAt(p);
}

[[gnu::always_inline]] inline void until(ScriptCall& call) {
    const bool done = call.conditions();
    if (call.ended()) return;
    BlockLevel* level = call.innermostBlock();
    if (!level) return;
    if (done)
        call.closeBlock();
    else
        call.goTo(level->loopPosition);
}

[[gnu::always_inline]] inline void whileLoop(ScriptCall& call) {
    const uint8_t* p = call.take(4); // W head, W end, then the condition list
    if (!p) return;
    const uint16_t head = wordAt(p);
    const uint16_t end = wordAt(p + 2);
    const bool holds = call.conditions();
    if (call.ended()) return;
    BlockLevel* level = call.openBlock();
    if (!level) return;
    level->loopPosition = head;
    level->endPosition = end;
    if (!holds) exitBlock(call, *level);
}

[[gnu::always_inline]] inline void endWhile(ScriptCall& call) {
    BlockLevel* level = call.innermostBlock();
    if (!level || !call.goTo(level->loopPosition)) return;
    // The head is the while instruction's condition list; the body follows it.
    const bool holds = call.conditions();
    if (call.ended()) return;
    if (!holds) exitBlock(call, *level);
}

[[gnu::always_inline]] inline void ifBlock(ScriptCall& call) {
    const uint8_t* p = call.take(4); // W else, W end, then the condition list
    if (!p) return;
    const uint16_t elsePosition = wordAt(p);
    const uint16_t end = wordAt(p + 2);
    const bool holds = call.conditions();
    if (call.ended()) return;
    BlockLevel* level = call.openBlock();
    if (!level) return;
    level->loopPosition = elsePosition;
    level->endPosition = end;
    if (holds) return;
    if (elsePosition == 0)
        exitBlock(call, *level);
    else
        call.goTo(elsePosition); // the else part closes the level with its end-if
}

[[gnu::always_inline]] inline void elsePart(ScriptCall& call) {
    if (BlockLevel* level = call.innermostBlock()) exitBlock(call, *level);
}

[[gnu::always_inline]] inline void endIf(ScriptCall& call) {
    call.closeBlock();
}

[[gnu::always_inline]] inline void leave(ScriptCall& call) {
    if (BlockLevel* level = call.innermostBlock()) exitBlock(call, *level);
}

[[gnu::always_inline]] inline void stop(ScriptCall& call) {
    call.stop();
}

inline void noOperation(ScriptCall&) {}

} // namespace rux::instructions
