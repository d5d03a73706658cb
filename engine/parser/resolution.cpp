#include "engine/parser/resolution.h"

#include "engine/engine.h"
#include "engine/parser/noun_phrase_reader.h"
#include "engine/script/interpreter.h"
#include "engine/script/object_tree.h"
#include "engine/script/reach_checks.h"
#include "engine/text/case_functions.h"
#include "engine/text/formatter.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/lists.h"
#include "engine/text/name_preparation.h"
#include "engine/text/noun_phrases.h"

#include <algorithm>

namespace rux {

namespace {

constexpr uint8_t scopeHookRoutine = 8;
constexpr uint8_t flagPersons = 1;
constexpr uint8_t flagFixedInPlace = 4;
constexpr uint8_t flagScenery = 5;
constexpr uint8_t flagPart = 6;
constexpr uint8_t mostWeightVariable = 5;
constexpr uint8_t errorNoneFits = 20;
constexpr uint8_t errorQuestionAsked = 42;
constexpr int accusative = 1;
constexpr int styleAfterIndefinite = 0; // also after "kein"
constexpr int styleAfterDefinite = 1;
constexpr int styleWithoutArticle = 2;
constexpr int chainLimit = 256;

// Whether the person holds the object, directly or inside or on something
// the person holds. A looping holder chain ends after chainLimit links.
bool carriedByPerson(const World& world, uint8_t object, uint8_t person) {
    for (int step = 0; step < chainLimit && object != 0; ++step) {
        const ObjectRecord& record = world.objects[object];
        if (record.holder == person) return true;
        if (record.relation == 0 || record.holder == 0) return false;
        object = record.holder;
    }
    return false;
}

bool carriedByPlayer(const World& world, uint8_t object) {
    return object < firstPseudoObject && world.objects[object].holder == 0;
}

bool isItem(const World& world, uint8_t object) {
    return object >= 1 && object <= world.counts.portableCount;
}

bool inAnyFlag(const World& world, uint8_t object, std::initializer_list<uint8_t> flags) {
    return std::any_of(flags.begin(), flags.end(),
                       [&](uint8_t flag) { return world.objectFlag(flag, object); });
}

// "kein" with its ending and the phrase's words, for "there is none". A
// pronoun names its antecedent instead: «keinen Ohrensessel», not the
// quoted pronoun with the name in brackets that questions show.
std::string noneOf(Engine& engine, const NounPhrase& phrase) {
    if (phrase.antecedent != 0) return negatedPhrase(engine, phrase.antecedent, accusative);
    std::string text = "kein";
    text += keinEnding(phrase.gender, accusative);
    prepareName(engine, phrase.text, 0, phrase.gender, styleAfterIndefinite, accusative, text);
    return text;
}

uint8_t resolveAnything(Engine& engine, const NounPhrase& target) {
    World& world = engine.world;
    uint8_t result = 0;
    for (int n = world.countedObjects(); n >= 1; --n) {
        const auto object = static_cast<uint8_t>(n);
        if (!target.objects.contains(object)) continue;
        world.scene.relatedObject = object;
        runRoutine(engine, scopeHookRoutine);
        if (!isVisible(engine, object)) continue;
        if (result != 0) engine.parser.ambiguous = true;
        result = object;
    }
    if (result != 0) return result;
    for (int n = world.countedObjects(); n >= 1; --n)
        if (target.objects.contains(static_cast<uint8_t>(n))) result = static_cast<uint8_t>(n);
    return result;
}

// Collects the candidates of one pass; like objects named only through
// their group count once.
void collectCandidates(Engine& engine, const NounPhrase& target, uint8_t kind, bool strict) {
    World& world = engine.world;
    ParserState& parser = engine.parser;
    ObjectSet groupsTaken;
    parser.candidateCount = 0;
    for (int n = 1; n <= world.countedObjects(); ++n) {
        const auto object = static_cast<uint8_t>(n);
        if (!target.objects.contains(object)) continue;
        const uint8_t group = world.objects[object].group;
        if (group != 0 && groupsTaken.contains(group)) continue;
        const bool fits = strict ? inScope(engine, object, 0, kind) : visibleInDark(engine, object);
        if (!fits) continue;
        parser.candidates[parser.candidateCount++] = object;
        if (world.inheritedNaming.contains(object)) groupsTaken.insert(group);
    }
}

// Asks which of the candidates is meant: «Welchen Ball meinst du, den roten
// Ball oder den blauen Ball?». The candidates stay for the answer on the
// next line. An order to a character cannot be answered that way, so there
// nothing is asked and the order fails with the question's code.
void askWhich(Engine& engine, const NounPhrase& target, int grammaticalCase,
              const std::string& questionPrefix) {
    ParserState& parser = engine.parser;
    engine.world.byteVariables[parseErrorVariable] = errorQuestionAsked;
    // "welch-" declines like the definite article, so the adjectives after
    // it take the weak endings: «Welches alte Buch».
    std::string question = capitalizeFirst(questionPrefix + "welch");
    question += adjectiveEndingFor(styleWithoutArticle, grammaticalCase, target.gender);
    prepareName(engine, target.text, 0, target.gender, styleAfterDefinite, grammaticalCase,
                question);
    question += "/0+? ";

    parser.retainedPhrase.objects.clear();
    for (int i = 0; i < parser.candidateCount; ++i)
        parser.retainedPhrase.objects.insert(parser.candidates[i]);
    parser.retainedPhrase.gender = target.gender;

    beginList(engine);
    for (int i = 0; i < parser.candidateCount; ++i)
        listAddDefinite(engine, parser.candidates[i]);
    endList(engine, " oder ");
    std::string& list = engine.text.phraseText;
    std::replace(list.begin(), list.end(), openCaseByte,
                 static_cast<char>('0' + caseIndex(grammaticalCase)));
    list = capitalizeFirst(questionPrefix + list + "?/0-/#");
    if (list.starts_with("/b")) list[1] = 'B';
    if (parser.orderMode) return;
    formatText(engine, question);
    formatText(engine, list);
    parser.continuation = continuationKind::disambiguation;
}

} // namespace

bool inScope(Engine& engine, uint8_t object, uint8_t container, uint8_t kind) {
    if (object >= firstPseudoObject) return object == kind;
    World& world = engine.world;
    ParserState& parser = engine.parser;
    world.scene.relatedObject = object;
    runRoutine(engine, scopeHookRoutine);
    if (object == secondPersonObject) return true;
    const uint8_t person = world.scene.addressee;
    switch (kind & 7) {
    case 0:
        if (!isVisible(engine, object) || reachClass(engine, object) != 0) return false;
        if (!parser.mainObjectMode) return true;
        return world.objects[object].weight <= world.byteVariables[mostWeightVariable] &&
               isItem(world, object) && world.objects[object].holder != 0 &&
               !inAnyFlag(world, object, {flagPersons, flagFixedInPlace, flagScenery, flagPart}) &&
               outermostHolder(engine, object) != 0;
    case 1: {
        const bool carried =
            person != 0 ? carriedByPerson(world, object, person) : carriedByPlayer(world, object);
        if (!carried) return false;
        return !parser.mainObjectMode ||
               (isItem(world, object) && !inAnyFlag(world, object, {flagScenery, flagPart}));
    }
    case 2: return isVisible(engine, object);
    case 3: return true;
    case 4:
        if (!isVisible(engine, object)) return false;
        return person != 0 ? !carriedByPerson(world, object, person)
                           : world.objects[object].holder != 0;
    case 5:
        if (!isVisible(engine, object)) return false;
        if (container == 0) return true;
        return world.objects[object].relation != 0 && world.objects[object].holder == container;
    default: return false;
    }
}

uint8_t resolve(Engine& engine, NounPhrase& target, uint8_t kind, uint8_t grammaticalCase,
                const std::string& questionPrefix, uint8_t phraseResult) {
    ParserState& parser = engine.parser;
    World& world = engine.world;
    if (phraseResult >= firstPseudoObject) {
        parser.typedNumber = target.number;
        return phraseResult;
    }
    if (target.objects.empty()) return 0;
    if ((kind & 7) == 3) return resolveAnything(engine, target);

    const bool savedMode = parser.mainObjectMode;
    parser.mainObjectMode = true;
    collectCandidates(engine, target, kind, true);
    parser.mainObjectMode = false;
    if (parser.candidateCount == 0) collectCandidates(engine, target, kind, false);
    parser.mainObjectMode = savedMode;

    if (parser.candidateCount == 0) {
        const bool special =
            target.objects.contains(quotedTextObject) || target.objects.contains(typedNumberObject);
        engine.text.phraseText = special ? "nichts dergleichen" : noneOf(engine, target);
        world.byteVariables[parseErrorVariable] = errorNoneFits;
        return 0;
    }
    if (parser.candidateCount == 1) {
        notePronoun(engine, parser.candidates[0], target.gender);
        return parser.candidates[0];
    }
    askWhich(engine, target, grammaticalCase, questionPrefix);
    return 0;
}

} // namespace rux
