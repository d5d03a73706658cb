// Placeholders for parser operations that are not built yet, so that the
// program links. Whoever builds an operation removes its placeholder here.

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/resolution.h"
#include "engine/parser/sentence.h"
#include "engine/script/reach_checks.h"

namespace rux {

void parseSentence(Engine&) {}
void matchAction(Engine&) {}
void printParseError(Engine&) {}

void parseCommand(Engine& engine) {
    engine.world.byteVariables[parseErrorVariable] = 13;
}
void updateCarryingTotals(Engine&) {}
void applyDeferredMarks(Engine&) {}
void saveResultObjects(Engine&) {}
void restoreResultObjects(Engine&) {}

bool inScope(Engine&, uint8_t, uint8_t, uint8_t) {
    return false;
}
uint8_t resolve(Engine&, NounPhrase&, uint8_t, uint8_t, const std::string&, uint8_t) {
    return 0;
}

} // namespace rux
