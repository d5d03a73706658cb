#include "engine/script/instruction_handlers.h"

#include "engine/script/control_flow.h"
#include "engine/script/instruction_table.h"
#include "engine/script/value_instructions.h"
#include "engine/script/world_instructions.h"
#include "engine/script/command_instructions.h"

namespace rux {

namespace {

constexpr std::array<InstructionHandler, 256> makeHandlerTable() {
    namespace in = instructions;
    std::array<InstructionHandler, 256> t{};
    t.fill(&in::unrecognised);
    t[opcode::print] = &in::print;
    t[opcode::assign] = &in::assign;
    t[opcode::add] = &in::add;
    t[opcode::subtract] = &in::subtract;
    t[opcode::multiply] = &in::multiply;
    t[opcode::divide] = &in::divide;
    t[opcode::remainder] = &in::remainder;
    t[opcode::call] = &in::call;
    t[opcode::test] = &in::test;
    t[opcode::setTrue] = &in::setTrue;
    t[opcode::setFalse] = &in::setFalse;
    t[opcode::stop] = &in::stop;
    t[opcode::bitAnd] = &in::bitAnd;
    t[opcode::bitOr] = &in::bitOr;
    t[opcode::next] = &in::next;
    t[opcode::forLoop] = &in::forLoop;
    t[opcode::leave] = &in::leave;
    t[opcode::select] = &in::select;
    t[opcode::until] = &in::until;
    t[opcode::repeat] = &in::repeat;
    t[opcode::endWhile] = &in::endWhile;
    t[opcode::whileLoop] = &in::whileLoop;
    t[opcode::endIf] = &in::endIf;
    t[opcode::elsePart] = &in::elsePart;
    t[opcode::ifBlock] = &in::ifBlock;
    t[opcode::require] = &in::require;
    t[opcode::noOperation] = &in::noOperation;
    addWorldInstructions(t);
    addCommandInstructions(t);
    return t;
}

} // namespace

const std::array<InstructionHandler, 256> instructionHandlers = makeHandlerTable();

} // namespace rux
