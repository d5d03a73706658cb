#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/parse_error.h"
#include "engine/parser/resolution.h"
#include "engine/parser/sentence.h"
#include "engine/script/dispatch_action.h"
#include "engine/text/formatter.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/numbers.h"

#include <algorithm>
#include <optional>
#include <string>

namespace rux {

namespace {

constexpr uint8_t accusative = accusativeCase;
constexpr uint8_t dative = dativeCase;
constexpr uint8_t abortFlag = 13;
constexpr uint8_t flagEnclosingContainer = 11;
constexpr uint8_t actionTake = 2;
constexpr uint8_t actionTakeFrom = 3;
constexpr uint8_t actionDrop = 5;
constexpr uint8_t firstStoryAction = 8;
constexpr uint8_t relationIn = 2;
constexpr uint8_t slotFirst = slotCode::firstObject;
constexpr uint8_t slotSecond = slotCode::secondObject;
constexpr uint8_t slotMit = slotCode::mitObject;
constexpr uint8_t slotPrepAcc = slotCode::prepAccObject;
constexpr uint8_t slotPrepDat = slotCode::prepDatObject;
constexpr uint8_t firstListSlot = 101;

const ActionRecord& matched(const Engine& engine) {
    static const ActionRecord none;
    return matchedRecord(engine) != nullptr ? *matchedRecord(engine) : none;
}

void implicitAction(Engine& engine, uint8_t action, uint8_t object, uint8_t holder) {
    // Kept on the stack too: the implicit action's scripts may parse again.
    const ResultObjects outer = engine.parser.savedResults;
    saveResultObjects(engine);
    engine.world.command.object1 = object;
    if (holder != 0) engine.world.command.object2 = holder;
    dispatchAction(engine, action);
    restoreResultObjects(engine);
    engine.parser.savedResults = outer;
}

// What the action needs done before it can use the object: the player
// picks up what must be carried and puts down what must not be.
void tryImplicitAction(Engine& engine, uint8_t object, uint8_t kind) {
    World& world = engine.world;
    const ActionRecord& action = matched(engine);
    const uint8_t id = world.command.action;
    const bool storyAction = id >= firstStoryAction;
    world.byteVariables[abortFlag] = 0;
    if ((kind & 7) == 1 && storyAction && (action.alias == 0 || action.alias >= firstStoryAction)) {
        const ObjectRecord& record = world.objects[object];
        if (record.relation != 0 && record.holder != 0) {
            engine.text.phraseText = record.relation == relationIn ? "aus " : "von ";
            engine.text.phraseText += definitePhrase(engine, record.holder, dative);
            printMessage(engine, 0, 41);
            implicitAction(engine, actionTakeFrom, object, record.holder);
        } else {
            printMessage(engine, 0, 40);
            implicitAction(engine, actionTake, object, 0);
        }
    } else if ((kind & 7) == 4 && storyAction &&
               (action.alias == 0 || action.alias >= firstStoryAction)) {
        printMessage(engine, 0, 42);
        implicitAction(engine, actionDrop, object, 0);
    }
}

void reportOutOfScope(Engine& engine, uint8_t object, uint8_t kind) {
    World& world = engine.world;
    world.scene.relatedObject = object;
    if (kind >= firstPseudoObject) {
        printMessage(engine, 0, 185);
    } else if (world.byteVariables[abortFlag] == 0) {
        switch (kind & 7) {
        case 0:
        case 2: canTouch(engine, object); break;
        case 1: isCarried(engine, object); break;
        case 4: parseError(engine) = 24; break;
        case 5:
            parseError(engine) =
                world.objectFlag(flagEnclosingContainer, world.command.object2) ? 21 : 22;
            break;
        case 6:
            if (canTouch(engine, object)) parseError(engine) = 23;
            break;
        default: break;
        }
        // Kinds 3 and 7 have no check to explain the refusal, and a check
        // that passed explains nothing ("nimm mich": the player is within
        // reach but no thing to take); the refusal must still be said.
        if (parseError(engine) == 0) formatText(engine, "Das geht nicht!");
    }
    printParseError(engine);
    parseError(engine) = 19;
}

// A slot's phrase, the field its object goes to, the case it is read in
// and what a question about it begins with.
struct SlotView {
    NounPhrase* phrase;
    uint8_t* field;
    uint8_t grammaticalCase;
    std::string questionPrefix;
};

std::optional<SlotView> viewOf(Engine& engine, uint8_t slotCode) {
    ParsedCommand& c = engine.parser.command;
    if (slotCode >= firstListSlot && slotCode < firstListSlot + objectListSlots) {
        const int k = slotCode - firstListSlot + 1;
        return SlotView{&c.listPhrases[k], &c.objectList[k], accusative, ""};
    }
    const std::string preposition(engine.world.preposition(engine.world.command.preposition));
    switch (slotCode) {
    case slotFirst: return SlotView{&c.firstPhrase, &c.firstObject, accusative, ""};
    case slotSecond: return SlotView{&c.secondPhrase, &c.secondObject, dative, ""};
    case slotMit: return SlotView{&c.mitPhrase, &c.mitObject, dative, "mit "};
    case slotPrepAcc:
        return SlotView{&c.prepPhrase, &c.prepAccObject, accusative, preposition + " "};
    case slotPrepDat: return SlotView{&c.prepPhrase, &c.prepDatObject, dative, preposition + " "};
    default: return std::nullopt;
    }
}

} // namespace

uint8_t resolveSlot(Engine& engine, uint8_t slotCode, uint8_t kind, uint8_t context) {
    if (parseError(engine) != 0 || slotCode == 0) return 0;
    ParserState& p = engine.parser;
    World& world = engine.world;
    p.resolveContext = context;
    const std::optional<SlotView> view = viewOf(engine, slotCode);
    if (!view) return 0;
    NounPhrase* phrase = view->phrase;
    uint8_t* field = view->field;
    const uint8_t result =
        resolve(engine, *phrase, kind, view->grammaticalCase, view->questionPrefix, *field);
    if (result == 0 && p.continuation == 1) {
        // The question keeps the slot open for the answer on the next line.
        if (slotCode >= firstListSlot)
            p.command.objectListCount = static_cast<uint8_t>(slotCode - firstListSlot);
        else
            *field = 0;
    }
    if (slotCode >= firstListSlot && result != 0) *field = result;
    world.scene.relatedObject = result;
    if (!p.orderMode && result != 0 && !inScope(engine, result, world.command.object2, kind)) {
        if (kind < 32 && result < firstPseudoObject) tryImplicitAction(engine, result, kind);
        if (!inScope(engine, result, world.command.object2, kind))
            reportOutOfScope(engine, result, kind);
    }
    if (!p.orderMode) storePendingCommand(engine);
    return result;
}

bool resolveAll(Engine& engine, uint8_t kind, uint8_t container) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    // What follows "ausser" is only left out: it needs neither to be here
    // nor to be carried, and it asks no question.
    ObjectSet excepted;
    for (int k = 1; k <= p.command.objectListCount; ++k)
        for (int b = 0; b < 32; ++b)
            excepted.bytes()[b] |= p.command.listPhrases[k].objects.bytes()[b];
    p.mainObjectMode = true;
    p.command.objectListCount = 0;
    for (int n = 1; n <= world.countedObjects() && p.command.objectListCount < objectListSlots;
         ++n) {
        const auto object = static_cast<uint8_t>(n);
        if (excepted.contains(object) || !p.command.firstPhrase.objects.contains(object)) continue;
        if (!inScope(engine, object, container, kind)) continue;
        p.command.objectList[++p.command.objectListCount] = object;
    }
    p.mainObjectMode = false;
    if (p.command.objectListCount != 0) {
        world.command.object1 = 1;
        return true;
    }
    world.command.object1 = 0;
    engine.text.phraseText = excepted.empty() ? "nichts" : "sonst nichts";
    parseError(engine) = (kind & 7) == 1 ? 35 : (kind & 7) == 5 ? 37 : 36;
    return false;
}

bool resolveCount(Engine& engine, uint8_t kind, uint8_t container) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    p.mainObjectMode = true;
    p.command.objectListCount = 0;
    int gender = 0;
    const int wanted = std::min<int>(p.command.firstPhrase.count, objectListSlots);
    for (int n = 1; n <= world.countedObjects(); ++n) {
        const auto object = static_cast<uint8_t>(n);
        if (!p.command.firstPhrase.objects.contains(object)) continue;
        gender = world.objects[object].gender;
        if (p.command.objectListCount < wanted && inScope(engine, object, container, kind))
            p.command.objectList[++p.command.objectListCount] = object;
    }
    p.mainObjectMode = false;
    const int found = p.command.objectListCount;
    if (found >= wanted) {
        world.command.object1 = 1;
        return true;
    }
    const std::string_view ending = gender == 1 ? "en" : gender == 2 ? "e" : "s";
    std::string& text = engine.text.phraseText;
    if (found == 0)
        text = "kein" + std::string(ending);
    else if (found == 1)
        text = "nur ein" + std::string(ending);
    else
        text = "nur " + numberWords(found);
    world.command.object1 = 0;
    parseError(engine) = (kind & 7) == 1 ? 35 : (kind & 7) == 5 ? 37 : 36;
    return false;
}

const ActionRecord* matchedRecord(const Engine& engine) {
    const int r = engine.parser.matchedActionRecord;
    const auto& actions = engine.world.actions;
    return r >= 0 && static_cast<std::size_t>(r) < actions.size() ? &actions[r] : nullptr;
}

void saveResultObjects(Engine& engine) {
    const CommandSlots& c = engine.world.command;
    engine.parser.savedResults = {c.object1, c.object2, c.object3, c.direction};
}

void restoreResultObjects(Engine& engine) {
    CommandSlots& c = engine.world.command;
    const ResultObjects& saved = engine.parser.savedResults;
    c.object1 = saved.object1;
    c.object2 = saved.object2;
    c.object3 = saved.object3;
    c.direction = saved.direction;
}

} // namespace rux
