#include "engine/script/plain_run.h"

#include "engine/fatal_error.h"
#include "engine/script/arithmetic.h"
#include "engine/script/call_entry.h"
#include "engine/script/instruction_handlers.h"
#include "engine/script/script_call.h"
#include "engine/script/script_messages.h"
#include "engine/script/values.h"

namespace rux {

void runScriptPlainly(Engine& engine, CodeBlock block) {
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
    if (!spendJump(machine.jumpsLeft)) return;
    const uint32_t savedPosition = machine.position;
    const int savedDepth = machine.callDepth;
    ScriptCall* const savedCall = machine.currentCall;
    try {
        enterCall(engine, block, machine.currentCall, machine.position)->runPlainly();
    } catch (...) {
        machine.position = savedPosition;
        machine.callDepth = savedDepth;
        machine.currentCall = savedCall;
        throw;
    }
    machine.position = savedPosition;
    machine.callDepth = savedDepth;
    machine.currentCall = savedCall;
}

void ScriptCall::runPlainly() {
    Engine& e = engine;
    // d := d op s, d read before s.
    const auto update = [this, &e](int32_t (*operation)(int32_t, int32_t)) {
        const Destination d = destination();
        const int32_t current = readValue(e, d.type, d.index);
        const Destination s = destination();
        if (!ended())
            assignValue(e, d.type, d.index, operation(current, readValue(e, s.type, s.index)));
    };
    while (!ended() && position_ < end_) {
        instructionStart_ = position_;
        const uint8_t code = byte();
        switch (code) {
        case opcode::assign: {
            const Destination d = destination();
            const Destination s = destination();
            if (!ended()) assignValue(e, d.type, d.index, readValue(e, s.type, s.index));
            break;
        }
        case opcode::add: update(arithmetic::plus); break;
        case opcode::subtract: update(arithmetic::minus); break;
        case opcode::multiply: update(arithmetic::times); break;
        case opcode::divide: update(arithmetic::quotient); break;
        case opcode::remainder: update(arithmetic::remainder); break;
        case opcode::bitAnd: update(arithmetic::bitAnd); break;
        case opcode::bitOr: update(arithmetic::bitOr); break;
        case opcode::forLoop: {
            const uint16_t endPosition = word();
            const Destination variable = destination();
            const int32_t first = operand();
            const int32_t last = operand();
            if (ended()) break;
            BlockLevel* opened = openBlock();
            if (!opened) break;
            *opened = {endPosition,
                       static_cast<uint16_t>(position_ - begin_ + 1),
                       variable.type,
                       variable.index,
                       static_cast<uint8_t>(last),
                       false};
            assignValue(e, variable.type, variable.index, first);
            if (readValue(e, variable.type, variable.index) > opened->loopLimit) exitBlock(*opened);
            break;
        }
        case opcode::next: {
            BlockLevel* open = innermostBlock();
            if (!open) break;
            const Destination variable = open->loopVariable();
            assignValue(e, variable.type, variable.index,
                        arithmetic::plus(readValue(e, variable.type, variable.index), 1));
            const int32_t value = readValue(e, variable.type, variable.index);
            if (value > open->loopLimit || value == 0)
                exitBlock(*open);
            else
                goTo(open->loopPosition);
            break;
        }
        case opcode::repeat: {
            const uint16_t head = word();
            if (ended()) break;
            if (BlockLevel* opened = openBlock()) opened->loopPosition = head;
            break;
        }
        case opcode::until: {
            const bool done = conditions();
            if (ended()) break;
            if (BlockLevel* open = innermostBlock()) {
                if (done)
                    closeBlock();
                else
                    goTo(open->loopPosition);
            }
            break;
        }
        case opcode::whileLoop:
        case opcode::ifBlock: {
            const uint16_t first = word(); // the loop's head, or the else part
            const uint16_t endPosition = word();
            if (ended()) break;
            const bool holds = conditions();
            if (ended()) break;
            BlockLevel* opened = openBlock();
            if (!opened) break;
            opened->loopPosition = first;
            opened->endPosition = endPosition;
            if (holds) break;
            if (code == opcode::ifBlock && first != 0)
                goTo(first); // the else part closes the level with its end-if
            else
                exitBlock(*opened);
            break;
        }
        case opcode::endWhile: {
            BlockLevel* open = innermostBlock();
            if (!open || !goTo(open->loopPosition)) break;
            const bool holds = conditions();
            if (!ended() && !holds) exitBlock(*open);
            break;
        }
        case opcode::leave:
        case opcode::elsePart:
            if (BlockLevel* innermost = innermostBlock()) exitBlock(*innermost);
            break;
        case opcode::endIf:
            if (innermostBlock()) closeBlock();
            break;
        case opcode::noOperation: break;
        case opcode::call: {
            const uint8_t kind = byte();
            const uint8_t number = byte();
            if (ended()) break;
            e.machine.position = position_;
            if (kind == callKind::routine) {
                if (const NumberedCode* routine = e.world.findRoutine(number))
                    runScriptPlainly(e, routine->script);
            } else {
                instructions::callTarget(e, kind, number);
            }
            refreshCodeArea();
            break;
        }
        default:
            e.machine.position = position_;
            instructionHandlers[code](*this);
            refreshCodeArea();
            break;
        }
    }
}

} // namespace rux
