#include "engine/script/interpreter.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/script/call_entry.h"
#include "engine/script/instruction_handlers.h"
#include "engine/script/script_call.h"
#include "engine/script/script_messages.h"
#include "engine/text/output.h"

#include <algorithm>
#include <array>

namespace rux {

namespace {

// Puts back on every way out of a call, a fatal error included, what
// entering it changed: depth, the caller's position and the running call.
// All three are restored as they were, since a fatal error can leave the
// calls that the interpreter's loop entered itself unfinished.
class CallLevel {
  public:
    explicit CallLevel(MachineState& machine)
        : machine_(machine), savedPosition_(machine.position), savedDepth_(machine.callDepth),
          savedCall_(machine.currentCall) {}
    ~CallLevel() {
        machine_.callDepth = savedDepth_;
        machine_.position = savedPosition_;
        machine_.currentCall = savedCall_;
    }
    CallLevel(const CallLevel&) = delete;
    CallLevel& operator=(const CallLevel&) = delete;

  private:
    MachineState& machine_;
    uint32_t savedPosition_;
    int savedDepth_;
    ScriptCall* savedCall_;
};

} // namespace

std::string ScriptCall::text() {
    const uint8_t count = byte();
    std::string characters;
    characters.reserve(count);
    for (int i = 0; i < count && !ended(); ++i)
        characters.push_back(static_cast<char>(byte()));
    return characters;
}

uint8_t ScriptCall::pastEnd() {
    endWith(scriptMessages::pastBlockEnd(instructionStart_));
    return 0;
}

void ScriptCall::endWith(std::string_view text) {
    if (ended_) return;
    ended_ = true;
    position_ = end_;
    if (!text.empty()) outputText(engine, text);
}

// A story load inside a call replaces the code area; the cursor follows it.
// So do the cursors of every call waiting for this one, at once, so that a
// return to them needs no test.
void ScriptCall::followNewCodeArea() {
    const std::vector<uint8_t>& area = engine.world.codeArea;
    for (ScriptCall* call = this; call; call = call->caller_) {
        call->code_ = area.data();
        call->blocks_.forgetRoomyHeads();
        if (area.size() < call->end_) {
            call->end_ = static_cast<uint32_t>(area.size());
            call->begin_ = std::min(call->begin_, call->end_);
            call->position_ = std::min(call->position_, call->end_);
        }
    }
}

bool ScriptCall::endlessLoop() {
    // The call that used up the budget tells the player; it and every call
    // waiting for it end.
    if (!engine.machine.endlessLoopReported) fault(scriptMessages::endlessLoop(instructionStart_));
    engine.machine.endlessLoopReported = true;
    for (ScriptCall* call = this; call; call = call->caller_)
        call->endCall();
    return false;
}

bool ScriptCall::jumpOutside(uint16_t blockPosition) {
    fault(scriptMessages::jumpOutsideBlock(blockPosition, instructionStart_));
    return false;
}

BlockLevel* ScriptCall::tooManyLevels() {
    fault(scriptMessages::tooManyBlockLevels(instructionStart_));
    return nullptr;
}

BlockLevel* ScriptCall::noOpenBlock() {
    fault(scriptMessages::closeWithoutBlock(instructionStart_));
    return nullptr;
}

void ScriptCall::stop() {
    engine.world.byteVariables[abortFlagVariable] = 1;
    // The block's last byte still runs, then the call returns; with the
    // abort flag set, every call it makes returns at once. A stop that is
    // itself that last byte ends the call instead of running again forever.
    if (instructionStart_ + 1 >= end_)
        endCall();
    else
        position_ = end_ - 1;
}

namespace instructions {

// The rest of the block is skipped; the game goes on.
void unrecognised(ScriptCall& call) {
    const uint8_t code = call.instructionCode();
    call.fault(scriptMessages::unrecognisedInstruction(call.lastUnrecognisedCode, code,
                                                       call.instructionStart()));
    call.lastUnrecognisedCode = code;
}

} // namespace instructions

void runScript(Engine& engine, uint16_t start, uint16_t length) {
    const CodeBlock block{start, length};
    MachineState& machine = engine.machine;
    switch (checkCallEntry(engine, block)) {
    case CallEntry::Skip: return;
    case CallEntry::TooDeep: throw FatalError(scriptMessages::stackOverflow(machine.callDepth));
    case CallEntry::Enter: break;
    }
    if (machine.callDepth == 0) {
        machine.jumpsLeft = machine.jumpLimit;
        machine.endlessLoopReported = false;
    }
    if (!spendJump(machine.jumpsLeft)) return; // the running script is stuck: nothing more runs
    CallLevel level(machine);
    enterCall(engine, block, machine.currentCall, machine.position)->run();
}

void runRoutine(Engine& engine, uint8_t n) {
    if (const NumberedCode* routine = engine.world.findRoutine(n))
        runScript(engine, routine->script);
}

bool evaluateConditionList(Engine& engine) {
    MachineState& machine = engine.machine;
    if (ScriptCall* running = machine.currentCall) {
        const bool result = running->conditions();
        machine.position = running->position();
        return result;
    }
    // No code runs: read the list anywhere in the code area.
    ScriptCall call(engine, machine.position, static_cast<uint32_t>(engine.world.codeArea.size()));
    const bool result = call.conditions();
    machine.position = call.position();
    return result;
}

} // namespace rux
