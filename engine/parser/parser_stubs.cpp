// Placeholders for parser operations that are not built yet, so that the
// program links. Whoever builds an operation removes its placeholder here.

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/noun_phrase_reader.h"
#include "engine/parser/resolution.h"
#include "engine/parser/sentence.h"
#include "engine/parser/tokenizer.h"
#include "engine/parser/vocabulary.h"
#include "engine/script/reach_checks.h"

namespace rux {

void tokenize(Engine&, const std::string&) {}
void insertWordAt(Engine&, int) {}
void removeWordAt(Engine&, int) {}
void startNextSentence(Engine&, int) {}

uint8_t findPreposition(Engine&) {
    return 0;
}
uint8_t findPronominalAdverb(Engine&) {
    return 0;
}
uint8_t findDirection(Engine&) {
    return 0;
}
bool isKnownWord(Engine&) {
    return false;
}
uint8_t findVerb(Engine&) {
    return 0;
}

uint8_t readNounPhrase(Engine&, uint8_t, NounPhrase&) {
    return 0;
}
uint8_t findAntecedent(const Engine&, const std::string&, uint8_t) {
    return 0;
}
ObjectSet nounMatches(const Engine&) {
    return {};
}
void expandClasses(const Engine&, ObjectSet&) {}
void notePronoun(Engine&, uint8_t, uint8_t) {}

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
