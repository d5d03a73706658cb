#include "engine/script/finish_paragraph.h"

#include "engine/engine.h"
#include "engine/text/output.h"

namespace rux {

namespace {

constexpr uint8_t narrationVariable = 17;

}  // namespace

// After the last object of a command that names several, a story that keeps
// the objects' replies on lines of their own (bit 0 of byte variable 17)
// gets a line break even when the last reply ended its line.
void finishParagraph(Engine& engine) {
    if (!currentDisplayLine(engine).empty()) {
        paragraphBreak(engine);
        return;
    }
    const int count = engine.parser.command.objectListCount;
    if (count != 0 && engine.turn.objectIndex == count &&
        (engine.world.byteVariables[narrationVariable] & 1))
        lineBreak(engine);
}

}  // namespace rux
