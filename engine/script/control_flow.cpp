// Selections, requirements and stopping: the control flow that reads
// variable-length entries or prints before it stops. Loops and branches run
// inline in the interpreter's loop.

#include "engine/script/instruction_handlers.h"
#include "engine/script/instruction_table.h"
#include "engine/script/script_call.h"
#include "engine/script/script_messages.h"
#include "engine/text/formatter.h"

namespace rux::instructions {

// Entries follow the selection: each is a list of labels (single values, or
// ranges written as first, first, last), a 0, the position of the next
// entry, then the entry's code; bytes 255, 249 open the default entry. The
// first entry whose labels hold the value runs.
void select(ScriptCall& call) {
    const int32_t value = call.operand();
    const uint16_t end = call.word();
    if (call.ended()) return;
    BlockLevel* level = call.openBlock();
    if (!level) return;
    level->endPosition = end;
    const uint32_t limit = end == 0 ? call.begin() : call.begin() + end - 1;
    while (call.position() < limit) {
        const uint32_t entry = call.position();
        uint8_t a = call.byte();
        uint8_t b = call.byte();
        if (call.ended()) return;
        if (a == selectDefaultFirst && b == selectDefaultSecond) return;
        bool chosen = false;
        do {
            if (b == a && a != 0) {
                const uint8_t last = call.byte();
                chosen = chosen || (value >= a && value <= last);
            } else {
                chosen = chosen || value == a;
                call.setPosition(call.position() - 1); // b starts the next label
            }
            a = call.byte();
            b = call.byte();
            if (call.ended()) return;
        } while (a != 0);
        const uint16_t nextEntry = static_cast<uint16_t>(b << 8 | call.byte());
        if (call.ended() || chosen) return;
        // Entries only go forward; anything else would scan forever.
        const uint32_t nextOffset = call.begin() + nextEntry - 1;
        if (nextEntry == 0 || nextOffset <= entry) {
            call.fault(scriptMessages::badSelectionEntry(call.instructionStart()));
            return;
        }
        call.setPosition(nextOffset);
    }
    // No entry holds the value and there is no default: go on after the selection.
    call.exitBlock(*level);
}

void stop(ScriptCall& call) {
    call.stop();
}

void require(ScriptCall& call) {
    const bool holds = call.conditions();
    const uint8_t mark = call.byte();
    const uint8_t variant = call.byte();
    if (call.ended() || holds) return;
    if (variant != 0) printMessage(call.engine, mark, variant);
    call.stop();
}

} // namespace rux::instructions
