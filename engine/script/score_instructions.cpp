// Instructions that award or take away points, with the score message.

#include "engine/engine.h"
#include "engine/script/finish_paragraph.h"
#include "engine/script/script_call.h"
#include "engine/script/world_instructions.h"
#include "engine/text/formatter.h"

#include <cstdlib>
#include <string>

namespace rux::instructions {

namespace {

constexpr uint8_t pointsGainedMessage = 223;
constexpr uint8_t pointsLostMessage = 224;

// Sets slot k of a score array to v. When score messages are on, the change
// is reported: the pending message first, then "n Punkt"/"n Punkte" in the
// phrase buffer for the story's message 223 (gained) or 224 (lost).
void setPoints(Engine& engine, std::array<uint8_t, 256>& points, uint8_t slot, int32_t value) {
    const auto newValue = static_cast<uint8_t>(value);
    const int difference = newValue - points[slot];
    if (difference == 0) return;
    points[slot] = newValue;
    if (engine.world.byteVariables[scoreMessagesVariable] != 1) return;
    const TextRef pending = engine.machine.pendingMessage;
    if (pending.mark != 0 || pending.variant != 0)
        printMessage(engine, pending.mark, pending.variant);
    const int amount = std::abs(difference);
    engine.text.phraseText = std::to_string(amount) + " Punkt";
    if (amount != 1) engine.text.phraseText += "e";
    finishParagraph(engine);
    printMessage(engine, 0, difference > 0 ? pointsGainedMessage : pointsLostMessage);
}

} // namespace

void scorePoints(ScriptCall& call) {
    const uint8_t slot = call.byte();
    const int32_t value = call.operand();
    if (!call.ended()) setPoints(call.engine, call.engine.world.scoreSlots, slot, value);
}

void portablePoints(ScriptCall& call) {
    const int32_t slot = call.operand();
    const int32_t value = call.operand();
    if (!call.ended())
        setPoints(call.engine, call.engine.world.portablePoints, static_cast<uint8_t>(slot), value);
}

void roomPoints(ScriptCall& call) {
    const int32_t slot = call.operand();
    const int32_t value = call.operand();
    if (!call.ended())
        setPoints(call.engine, call.engine.world.roomPoints, static_cast<uint8_t>(slot), value);
}

} // namespace rux::instructions
