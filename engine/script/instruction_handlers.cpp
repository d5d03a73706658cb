#include "engine/script/instruction_handlers.h"

#include "engine/script/command_instructions.h"
#include "engine/script/instruction_table.h"
#include "engine/script/world_instructions.h"

namespace rux {

namespace {

constexpr std::array<InstructionHandler, 256> makeHandlerTable() {
    namespace in = instructions;
    std::array<InstructionHandler, 256> t{};
    t.fill(&in::unrecognised);
    t[opcode::print] = &in::print;
    t[opcode::test] = &in::test;
    t[opcode::setTrue] = &in::setTrue;
    t[opcode::setFalse] = &in::setFalse;
    t[opcode::stop] = &in::stop;
    t[opcode::select] = &in::select;
    t[opcode::require] = &in::require;
    addWorldInstructions(t);
    addCommandInstructions(t);
    return t;
}

} // namespace

const std::array<InstructionHandler, 256> instructionHandlers = makeHandlerTable();

} // namespace rux
