#include "engine/parser/command_completion.h"

#include "engine/engine.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/parse_error.h"
#include "engine/parser/resolution.h"
#include "engine/parser/sentence.h"
#include "engine/parser/tokenizer.h"
#include "engine/parser/vocabulary.h"
#include "engine/script/interpreter.h"
#include "engine/text/case_functions.h"

#include <array>
#include <string>
#include <utility>

namespace rux {

namespace {

constexpr uint8_t commandHookRoutine = 7;
constexpr uint8_t wordLengthVariable = 30;
constexpr uint8_t flagPersons = 1;
constexpr uint8_t flagDrivable = 18;
constexpr uint8_t actionSay = 28;
constexpr uint8_t actionSayTo = 29;
constexpr uint8_t allowsList = 8;
constexpr uint8_t allowsAll = 16;

const ActionRecord& matched(const Engine& engine) {
    static const ActionRecord none;
    return matchedRecord(engine) != nullptr ? *matchedRecord(engine) : none;
}

// A plural phrase naming like objects, «die Münzen»: at least two of its
// objects belong to one group.
bool namesLikeObjects(const World& world, const NounPhrase& phrase) {
    if (phrase.gender != 0 || phrase.count != 0 || phrase.antecedent != 0) return false;
    std::array<bool, 256> seen{};
    for (int n = 1; n <= world.countedObjects(); ++n) {
        if (!phrase.objects.contains(static_cast<uint8_t>(n))) continue;
        const uint8_t group = world.objects[n].group;
        if (group == 0) continue;
        if (seen[group]) return true;
        seen[group] = true;
    }
    return false;
}

// «leg die Münzen hin» means every coin at hand, as «alle Münzen» does,
// when there are two or more of them; with fewer the phrase names one
// object as usual, and nothing is left of the attempt.
bool resolvePluralAsAll(Engine& engine, uint8_t kind, uint8_t container) {
    ParserState& p = engine.parser;
    if (!namesLikeObjects(engine.world, p.command.firstPhrase)) return false;
    const uint8_t listCount = p.command.objectListCount;
    const std::string phraseText = engine.text.phraseText;
    p.command.objectListCount = 0;
    if (resolveAll(engine, kind, container) && p.command.objectListCount >= 2) return true;
    p.command.objectListCount = listCount;
    engine.text.phraseText = phraseText;
    engine.world.command.object1 = 0;
    parseError(engine) = 0;
    return false;
}

} // namespace

void resolveCommand(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    const ActionRecord& action = matched(engine);
    CommandSlots& command = world.command;
    // «gib Hans Apfel»: without articles the person is the one given to.
    if ((action.requiredMask & slotCode::secondObject) != 0 && !p.command.listHadArticle &&
        world.objectFlag(flagPersons, p.command.firstObject) &&
        !world.objectFlag(flagPersons, p.command.secondObject)) {
        std::swap(p.command.firstObject, p.command.secondObject);
        std::swap(p.command.firstPhrase, p.command.secondPhrase);
    }
    command.object2 = resolveSlot(engine, action.slotSource[2], action.slotKind[2], 2);
    // A refusal or question about the second object is the whole answer:
    // «gib mir alles» must not add a second complaint about "alles".
    if (parseError(engine) != 0) return;
    const uint8_t firstSource = action.slotSource[1];
    const uint8_t firstKind = action.slotKind[1];
    const bool fromMainObject = firstSource == slotCode::firstObject;
    if (p.command.allMode != 0) {
        if (fromMainObject && (firstKind & allowsAll) != 0)
            resolveAll(engine, firstKind, command.object2);
        else
            parseError(engine) = 7;
    } else if (p.command.objectListCount >= 2) {
        if (!fromMainObject || (firstKind & allowsList) == 0) {
            parseError(engine) = 6;
        } else {
            for (int k = 1; k <= p.command.objectListCount; ++k)
                command.object1 = resolveSlot(engine, static_cast<uint8_t>(100 + k), firstKind, 1);
        }
    } else if (p.command.firstPhrase.count > 1 ||
               (p.command.firstPhrase.count == 1 && fromMainObject &&
                (firstKind & allowsList) != 0)) {
        if (fromMainObject && (firstKind & allowsList) != 0)
            resolveCount(engine, firstKind, command.object2);
        else
            parseError(engine) = 6;
    } else if (!(fromMainObject && (firstKind & allowsAll) != 0 &&
                 resolvePluralAsAll(engine, firstKind, command.object2))) {
        command.object1 = resolveSlot(engine, firstSource, firstKind, 1);
    }
    command.object3 = resolveSlot(engine, action.slotSource[3], action.slotKind[3], 3);
}

namespace {

// One sentence from the words to a command ready to run; a quoted order
// ("sage Hans 'nimm die Lampe'") runs through it a second time.
void parseOneCommand(Engine& engine, bool quotedOrder) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    CommandSlots& command = world.command;
    command.action = command.object1 = command.object2 = command.object3 = 0;
    world.scene.wordListIndex = 0;
    world.byteVariables[wordLengthVariable] = 0;
    runRoutine(engine, commandHookRoutine);

    parseSentence(engine);
    const uint8_t code = parseError(engine);
    if (code >= 2 && code <= 6 && !isKnownWord(engine)) parseError(engine) = 1;
    if (parseError(engine) == 0) {
        matchAction(engine);
        if (parseError(engine) == 0) resolveCommand(engine);
    }
    if (parseError(engine) == 0 || parseError(engine) == 21) askMissing(engine);

    if (!quotedOrder && (command.action == actionSay || command.action == actionSayTo) &&
        parseError(engine) == 0 && !p.quotedText.empty()) {
        const uint8_t person = command.object1;
        p.orderMode = true;
        tokenize(engine, lowerCaseAll(p.quotedText));
        p.parsePosition = 1;
        switchActor(engine, person);
        parseOneCommand(engine, true);
        world.scene.addressee = person;
        // The words of the order replaced the line: a full stop inside the
        // quotes leaves nothing for the player to carry out.
        p.command.nextSentence = 0;
        return;
    }
    if (const ActionRecord* record = matchedRecord(engine);
        record != nullptr && record->alias != 0) {
        command.action = record->alias;
        for (std::size_t r = 0; r < world.actions.size(); ++r)
            if (world.actions[r].id == command.action) p.matchedActionRecord = static_cast<int>(r);
    }
    if (command.action == 1 && world.objectFlag(flagDrivable, world.scene.playerVehicle))
        command.object1 = world.scene.playerVehicle;
    if (p.orderMode) {
        // The character's parse result is the story's to judge; a question
        // could not be answered on the next line, so it fails the order.
        world.byteVariables[orderErrorVariable] = parseError(engine);
        parseError(engine) = 0;
        p.continuation = 0;
        p.retainedPhrase.objects.clear();
        if (world.byteVariables[orderErrorVariable] >= 1 &&
            world.byteVariables[orderErrorVariable] <= 19)
            command.action = 0;
        restoreActor(engine);
        return;
    }
    if (parseError(engine) == 25)
        p.continuation = 2;
    else if (parseError(engine) != 42)
        p.continuation = 0;
}

} // namespace

void parseCommand(Engine& engine) {
    // Each sentence starts as the player's own; an order to a character ends
    // with its sentence.
    engine.parser.orderMode = false;
    parseOneCommand(engine, false);
}
} // namespace rux
