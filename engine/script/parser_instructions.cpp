// Instructions for the story's parser hooks: moving through the typed words,
// testing for an article or an adjective in the phrase's case, and reading
// numbers.

#include "engine/engine.h"
#include "engine/parser/current_word.h"
#include "engine/parser/number_reading.h"
#include "engine/script/command_instructions.h"
#include "engine/script/script_call.h"
#include "engine/text/grammar_tables.h"

namespace rux::instructions {

namespace {

constexpr int afterIndefiniteArticle = 0;
constexpr int afterDefiniteArticle = 1;
constexpr std::size_t adjectiveFormLimit = 24;

const std::string& currentWord(const Engine& engine) {
    return engine.parser.words.word(engine.parser.parsePosition).text;
}

void advanceWord(Engine& engine) {
    uint8_t& position = engine.parser.parsePosition;
    if (position < 255) ++position;
    publishCurrentWord(engine);
}

} // namespace

void firstWord(ScriptCall& call) {
    Engine& engine = call.engine;
    engine.parser.parsePosition = engine.parser.hookWordPosition;
    publishCurrentWord(engine);
}

void nextWord(ScriptCall& call) {
    advanceWord(call.engine);
}

// An article also chooses the adjective endings that follow it. A missing
// word is no article, even where the table has no article (the plural
// indefinite).
void articleTest(ScriptCall& call) {
    const uint8_t gender = call.byte();
    const Destination d = call.destination();
    if (call.ended()) return;
    Engine& engine = call.engine;
    const std::string& word = currentWord(engine);
    const int grammaticalCase = engine.parser.hookCase;
    bool matched = false;
    if (!word.empty()) {
        if (word == definiteArticle(grammaticalCase, gender)) {
            matched = true;
            engine.parser.endingStyle = afterDefiniteArticle;
        }
        if (word == indefiniteArticle(grammaticalCase, gender)) {
            matched = true;
            engine.parser.endingStyle = afterIndefiniteArticle;
        }
    }
    call.assign(d, matched ? 1 : 0);
    if (matched) advanceWord(engine);
}

// The word list entry with the ending of the ending table in use; an entry
// the list does not have matches nothing.
void adjectiveTest(ScriptCall& call) {
    const uint8_t gender = call.byte();
    const Destination d = call.destination();
    const uint8_t entry = call.byte();
    if (call.ended()) return;
    Engine& engine = call.engine;
    const std::string& word = currentWord(engine);
    const std::string_view stem = engine.world.listedWord(entry);
    bool matched = false;
    if (!word.empty() && !stem.empty()) {
        const std::string form = shortString(
            std::string(stem) + std::string(adjectiveEndingFor(engine.parser.endingStyle,
                                                               engine.parser.hookCase, gender)),
            adjectiveFormLimit);
        matched = word == form;
    }
    call.assign(d, matched ? 1 : 0);
    if (matched) advanceWord(engine);
}

void classifyNumberInstruction(ScriptCall& call) {
    const Destination valueCell = call.destination();
    const Destination kindCell = call.destination();
    if (call.ended()) return;
    int32_t value = 0;
    const NumberKind kind = classifyNumber(call.engine, value);
    call.assign(kindCell, static_cast<int32_t>(kind));
    call.assign(valueCell, value);
}

void readNumberInstruction(ScriptCall& call) {
    const Destination valueCell = call.destination();
    const Destination foundCell = call.destination();
    if (call.ended()) return;
    Engine& engine = call.engine;
    int32_t value = 0;
    const bool found = readNumberString(engine, value, engine.parser.numberText);
    call.assign(foundCell, found ? 1 : 0);
    call.assign(valueCell, value);
}

} // namespace rux::instructions
