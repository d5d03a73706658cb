#include "engine/script/interpreter.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/script/control_flow.h"
#include "engine/script/instruction_handlers.h"
#include "engine/script/instruction_table.h"
#include "engine/script/script_call.h"
#include "engine/script/script_messages.h"
#include "engine/script/value_instructions.h"
#include "engine/text/output.h"

#include <algorithm>
#include <array>

namespace rux {

namespace {

// Enters one call level and leaves it again on every way out, a fatal
// error included: depth, the caller's position and the running call.
class CallLevel {
  public:
    explicit CallLevel(MachineState& machine)
        : machine_(machine), savedPosition_(machine.position), savedCall_(machine.currentCall) {
        ++machine_.callDepth;
    }
    ~CallLevel() {
        --machine_.callDepth;
        machine_.position = savedPosition_;
        machine_.currentCall = savedCall_;
    }
    CallLevel(const CallLevel&) = delete;
    CallLevel& operator=(const CallLevel&) = delete;

  private:
    MachineState& machine_;
    uint32_t savedPosition_;
    ScriptCall* savedCall_;
};

} // namespace

ScriptCall::ScriptCall(Engine& engine, uint32_t begin, uint32_t end)
    : engine(engine), caller_(engine.machine.currentCall), code_(engine.world.codeArea.data()) {
    end_ = static_cast<uint32_t>(std::min<std::size_t>(end, engine.world.codeArea.size()));
    begin_ = std::min(begin, end_);
    position_ = begin_;
    instructionStart_ = begin_;
}

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
void ScriptCall::refreshCodeArea() {
    const std::vector<uint8_t>& area = engine.world.codeArea;
    code_ = area.data();
    if (area.size() < end_) [[unlikely]] {
        end_ = static_cast<uint32_t>(area.size());
        begin_ = std::min(begin_, end_);
        position_ = std::min(position_, end_);
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

namespace {

// The instructions the loop runs inline, numbered densely so that the
// dispatch is a single table jump; 0 sends a code through the handler table.
enum class Inline : uint8_t {
    None,
    Assign,
    Add,
    Subtract,
    Multiply,
    Divide,
    Remainder,
    BitAnd,
    BitOr,
    Next,
    ForLoop,
    EndWhile,
    WhileLoop,
    EndIf,
    ElsePart,
    IfBlock,
    NoOperation,
};

constexpr std::array<Inline, 256> makeInlineCodes() {
    std::array<Inline, 256> codes{};
    codes[opcode::assign] = Inline::Assign;
    codes[opcode::add] = Inline::Add;
    codes[opcode::subtract] = Inline::Subtract;
    codes[opcode::multiply] = Inline::Multiply;
    codes[opcode::divide] = Inline::Divide;
    codes[opcode::remainder] = Inline::Remainder;
    codes[opcode::bitAnd] = Inline::BitAnd;
    codes[opcode::bitOr] = Inline::BitOr;
    codes[opcode::next] = Inline::Next;
    codes[opcode::forLoop] = Inline::ForLoop;
    codes[opcode::endWhile] = Inline::EndWhile;
    codes[opcode::whileLoop] = Inline::WhileLoop;
    codes[opcode::endIf] = Inline::EndIf;
    codes[opcode::elsePart] = Inline::ElsePart;
    codes[opcode::ifBlock] = Inline::IfBlock;
    codes[opcode::noOperation] = Inline::NoOperation;
    return codes;
}

constexpr std::array<Inline, 256> inlineCodes = makeInlineCodes();

} // namespace

void ScriptCall::run() {
    namespace in = instructions;
    for (;;) {
        const uint32_t at = position_;
        if (at >= end_) break;
        instructionStart_ = at;
        position_ = at + 1;
        const uint8_t code = code_[at];
        // Loops, branches and arithmetic run inline; the rest through the table.
        switch (inlineCodes[code]) {
        case Inline::Assign: in::assign(*this); break;
        case Inline::Add: in::add(*this); break;
        case Inline::Subtract: in::subtract(*this); break;
        case Inline::Multiply: in::multiply(*this); break;
        case Inline::Divide: in::divide(*this); break;
        case Inline::Remainder: in::remainder(*this); break;
        case Inline::BitAnd: in::bitAnd(*this); break;
        case Inline::BitOr: in::bitOr(*this); break;
        case Inline::Next: in::next(*this); break;
        case Inline::ForLoop: in::forLoop(*this); break;
        case Inline::EndWhile: in::endWhile(*this); break;
        case Inline::WhileLoop: in::whileLoop(*this); break;
        case Inline::EndIf: in::endIf(*this); break;
        case Inline::ElsePart: in::elsePart(*this); break;
        case Inline::IfBlock: in::ifBlock(*this); break;
        case Inline::NoOperation: break;
        case Inline::None:
            engine.machine.position = position_;
            instructionHandlers[code](*this);
            // A story loaded by the handler replaces the code area.
            refreshCodeArea();
            break;
        }
        if (ended_) [[unlikely]]
            break;
    }
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
    World& world = engine.world;
    if (length == 0 || world.byteVariables[abortFlagVariable] != 0) return;
    MachineState& machine = engine.machine;
    if (machine.callDepth >= maxCallDepth)
        throw FatalError(scriptMessages::stackOverflow(machine.callDepth));
    const uint32_t begin = uint32_t{start} * 4;
    const uint32_t end = begin + length;
    if (begin >= world.codeArea.size()) return; // a block outside the code area holds nothing

    CallLevel level(machine);
    if (machine.callDepth == 1) {
        machine.jumpsLeft = machine.jumpLimit;
        machine.endlessLoopReported = false;
    }
    if (machine.jumpsLeft == 0) return; // the running script is stuck: nothing more runs
    --machine.jumpsLeft;
    machine.frames[machine.callDepth].fill(0);
    world.byteVariables[abortFlagVariable] = 0;
    ScriptCall call(engine, begin, end);
    machine.currentCall = &call;
    call.run();
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
