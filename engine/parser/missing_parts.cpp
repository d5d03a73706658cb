#include "engine/engine.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/parse_error.h"
#include "engine/script/object_tree.h"
#include "engine/text/case_functions.h"
#include "engine/text/formatter.h"
#include "engine/text/noun_phrases.h"

namespace rux {

namespace {

constexpr uint8_t accusative = accusativeCase;
constexpr uint8_t dative = dativeCase;
constexpr uint8_t flagPersons = 1;
constexpr uint8_t actionGo = 4;
constexpr uint8_t slotFirst = slotCode::firstObject;
constexpr uint8_t slotSecond = slotCode::secondObject;
constexpr uint8_t slotMit = slotCode::mitObject;
constexpr uint8_t slotDirection = slotCode::direction;
constexpr uint8_t slotPrepAcc = slotCode::prepAccObject;
constexpr uint8_t slotPrepDat = slotCode::prepDatObject;

const ActionRecord& matched(const Engine& engine) {
    static const ActionRecord none;
    return matchedRecord(engine) != nullptr ? *matchedRecord(engine) : none;
}

bool beginsWithVowel(std::string_view word) {
    static constexpr std::string_view vowels = "aeiou\xE4\xF6\xFC";
    return !word.empty() && vowels.find(word.front()) != std::string_view::npos;
}

// The question word for a missing slot: «Was», «Wem», «Womit», «Worauf» ...
std::string questionWord(const Engine& engine, uint8_t slot, bool asksPerson) {
    const World& world = engine.world;
    const ActionRecord& action = matched(engine);
    switch (slot) {
    case slotFirst: return asksPerson ? "Wen" : "Was";
    case slotSecond: return "Wem";
    case slotMit: return asksPerson ? "Mit wem" : "Womit";
    default: break;
    }
    if (world.command.action == actionGo) return "Wohin";
    std::string word(world.preposition(
        action.acceptedPrepositions.empty() ? 0 : action.acceptedPrepositions.front()));
    if (asksPerson) return capitalizeFirst(word) + (slot == slotPrepAcc ? " wen" : " wem");
    if (word == "in" && (action.requiredMask & slotPrepAcc) != 0) word = "rein";
    if (beginsWithVowel(word)) word = "r" + word;
    return "Wo" + word;
}

// The implicit object as the player reads it: «(den Schlüssel)», «(mit dem
// Schlüssel)».
std::string implicitObjectText(Engine& engine, uint8_t slot, uint8_t object) {
    const World& world = engine.world;
    const ActionRecord& action = matched(engine);
    const std::string preposition(world.preposition(
        action.acceptedPrepositions.empty() ? 0 : action.acceptedPrepositions.front()));
    switch (slot) {
    case slotSecond: return definitePhrase(engine, object, dative);
    case slotMit: return "mit " + definitePhrase(engine, object, dative);
    case slotPrepAcc: return preposition + " " + definitePhrase(engine, object, accusative);
    case slotPrepDat: return preposition + " " + definitePhrase(engine, object, dative);
    default: return definitePhrase(engine, object, accusative);
    }
}

uint8_t& resultObject(CommandSlots& command, int i) {
    return i == 1 ? command.object1 : i == 2 ? command.object2 : command.object3;
}

} // namespace

void askMissing(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    const ActionRecord& action = matched(engine);
    CommandSlots& command = world.command;
    for (int i = 1; i <= 3; ++i) {
        const uint8_t slot = action.slotSource[i];
        if (slot == 0 || parseError(engine) != 0 || (action.requiredMask & slot) == 0 ||
            resultObject(command, i) != 0)
            continue;
        const uint8_t implicitSet = action.slotImplicitSet[i];
        if (implicitSet != 0) {
            if (const uint8_t object = uniqueVisibleItem(engine, implicitSet); object != 0) {
                resultObject(command, i) = object;
                formatText(engine, "(" + implicitObjectText(engine, slot, object) + ")/#");
                if ((slot == slotPrepAcc || slot == slotPrepDat) &&
                    !action.acceptedPrepositions.empty())
                    command.preposition = action.acceptedPrepositions.front();
                continue;
            }
        }
        engine.text.phraseText = questionWord(engine, slot, implicitSet == flagPersons);
        parseError(engine) = 20;
    }
    if (parseError(engine) == 0 && command.direction == 0 &&
        (action.requiredMask & slotDirection) != 0) {
        engine.text.phraseText = "In welche Richtung";
        parseError(engine) = 20;
    }
    if (parseError(engine) == 20 && !p.orderMode) parseError(engine) = 25;
}
} // namespace rux
