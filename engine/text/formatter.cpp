#include "engine/text/formatter.h"

#include "engine/engine.h"
#include "engine/text/output.h"

namespace rux {

// Placeholder until markup exists: texts are output as they stand.
void formatText(Engine& engine, std::string_view text) {
    if (engine.world.byteVariables[11] != 0) return;
    outputText(engine, text);
}

void printTextMark(Engine& engine, uint8_t mark, uint8_t variant, bool addSpace) {
    auto text = engine.world.textVariant(mark, variant);
    if (!text) return;
    formatText(engine, *text);
    if (addSpace) outputText(engine, " ");
}

void printMessage(Engine& engine, uint8_t mark, uint8_t variant) {
    printTextMark(engine, mark, variant, true);
}

}  // namespace rux
