// Instructions that print: a text chosen at random, a text chosen by a
// value, a text box and a paragraph break.

#include "engine/engine.h"
#include "engine/script/random.h"
#include "engine/script/script_call.h"
#include "engine/script/text_box.h"
#include "engine/script/world_instructions.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"

namespace rux::instructions {

// One of the variants lo..hi, the number taken modulo 256.
void printRandom(ScriptCall& call) {
    const uint8_t* p = call.take(3); // B mark, B lo, B hi
    if (!p) return;
    const int32_t variant = p[1] + random(call.engine, p[2] - p[1] + 1);
    printMessage(call.engine, p[0], static_cast<uint8_t>(variant));
}

void printVariant(ScriptCall& call) {
    const uint8_t mark = call.byte();
    const int32_t variant = call.operand();
    if (!call.ended()) printMessage(call.engine, mark, static_cast<uint8_t>(variant));
}

void textBox(ScriptCall& call) {
    const uint8_t mark = call.byte();
    const int32_t variant = call.operand();
    if (!call.ended()) showTextBox(call.engine, mark, static_cast<uint8_t>(variant));
}

void paragraph(ScriptCall& call) {
    paragraphBreak(call.engine);
}

} // namespace rux::instructions
