// Instructions around the command: performing another action, collecting
// objects by a condition, listing contents, the pending message, message
// variables, grammatical gender and the per-turn scope sets.

#include "engine/script/command_instructions.h"

#include "engine/engine.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/listings.h"
#include "engine/script/script_call.h"
#include "engine/script/values.h"
#include "engine/text/formatter.h"
#include "engine/text/lists.h"

namespace rux::instructions {

namespace {

constexpr uint8_t directionValueType = 15;

// An object number from a script value; anything outside a byte names none.
bool asObject(int32_t value, uint8_t& object) {
    if (value < 0 || value > 255) return false;
    object = static_cast<uint8_t>(value);
    return true;
}

void joinScopeSet(ScriptCall& call, ObjectSet ScopeState::*set) {
    const int32_t value = call.operand();
    uint8_t object = 0;
    if (!call.ended() && asObject(value, object)) (call.engine.scope.*set).insert(object);
}

} // namespace

// The inner action gets a tuple of its own; the outer command's objects and
// direction are back once it is done (its action is restored by the dispatch).
void perform(ScriptCall& call) {
    Engine& engine = call.engine;
    CommandSlots& command = engine.world.command;
    const Destination act = call.destination();
    const uint8_t count = call.byte();
    uint8_t inner[3] = {0, 0, 0};
    uint8_t direction = 0;
    int filled = 0;
    for (int i = 0; i < count && !call.ended(); ++i) {
        const Destination cell = call.destination();
        const auto value = static_cast<uint8_t>(call.valueOf(cell));
        if (cell.type == directionValueType)
            direction = value;
        else if (filled < 3)
            inner[filled++] = value;
    }
    if (call.ended()) return;

    const CommandSlots outer = command;
    command.object1 = inner[0];
    command.object2 = inner[1];
    command.object3 = inner[2];
    command.direction = direction;
    dispatchAction(engine, static_cast<uint8_t>(call.valueOf(act)));
    command.object1 = outer.object1;
    command.object2 = outer.object2;
    command.object3 = outer.object3;
    command.direction = outer.direction;
}

// d runs through the counted objects while the condition list is evaluated
// for each; those for which it holds are listed in the phrase buffer.
void collect(ScriptCall& call) {
    Engine& engine = call.engine;
    const Destination d = call.destination();
    if (call.ended()) return;
    call.assign(d, 1);
    engine.lists.listedSet.clear();
    ObjectSet chosen;
    const uint32_t listStart = call.position();
    const int fixedCount = engine.world.counts.fixedCount;
    if (fixedCount == 0) {
        // Nothing to test, but the list must still be passed over.
        call.conditions();
    }
    for (int o = 1; o <= fixedCount && !call.ended(); ++o) {
        call.setPosition(listStart);
        if (call.conditions()) chosen.insert(static_cast<uint8_t>(o));
        call.assign(d, o + 1);
    }
    if (call.ended()) return;
    listObjects(engine, chosen, 0);
}

void listContentsOf(ScriptCall& call) {
    const int32_t value = call.operand();
    uint8_t object = 0;
    if (call.ended() || !asObject(value, object)) return;
    int count = 0;
    listContents(call.engine, object, count);
}

void setPending(ScriptCall& call) {
    const uint8_t* p = call.take(2);
    if (p) call.engine.machine.pendingMessage = {p[0], p[1]};
}

void printPending(ScriptCall& call) {
    const TextRef pending = call.engine.machine.pendingMessage;
    if (pending.mark != 0 || pending.variant != 0)
        printMessage(call.engine, pending.mark, pending.variant);
}

void printAndStop(ScriptCall& call) {
    const uint8_t* p = call.take(2);
    if (!p) return;
    printMessage(call.engine, p[0], p[1]);
    call.stop();
}

void setMessageVariable(ScriptCall& call) {
    const uint8_t index = call.byte();
    const uint8_t mark = call.byte();
    const int32_t variant = call.operand();
    if (!call.ended())
        call.engine.world.messageVariables[index] = {mark, static_cast<uint8_t>(variant)};
}

void setGender(ScriptCall& call) {
    const int32_t value = call.operand();
    const uint8_t gender = call.byte();
    const uint8_t articleKind = call.byte();
    uint8_t object = 0;
    if (call.ended() || !asObject(value, object)) return;
    ObjectRecord& record = call.engine.world.objects[object];
    record.gender = gender;
    record.articleKind = articleKind;
}

void joinSeen(ScriptCall& call) {
    joinScopeSet(call, &ScopeState::seenThisTurn);
}
void joinTouchable(ScriptCall& call) {
    joinScopeSet(call, &ScopeState::touchableThisTurn);
}
void joinHidden(ScriptCall& call) {
    joinScopeSet(call, &ScopeState::hiddenThisTurn);
}
void joinUntouchable(ScriptCall& call) {
    joinScopeSet(call, &ScopeState::untouchableThisTurn);
}

} // namespace rux::instructions
