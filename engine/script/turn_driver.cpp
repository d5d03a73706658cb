#include "engine/script/turn_driver.h"

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/noun_phrase_reader.h"
#include "engine/parser/sentence.h"
#include "engine/parser/tokenizer.h"
#include "engine/script/arithmetic.h"
#include "engine/script/cell_names.h"
#include "engine/script/clock.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/finish_paragraph.h"
#include "engine/script/interpreter.h"
#include "engine/script/object_tree.h"
#include "engine/session/questions.h"
#include "engine/session/state_image.h"
#include "engine/session/system_action.h"
#include "engine/session/transcript.h"
#include "engine/session/undo.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"
#include "engine/text/status_line.h"

namespace rux {

namespace {

constexpr uint8_t abortVariable = 13;
constexpr uint8_t narrationVariable = 17;
constexpr uint8_t statusLinesVariable = 20;
constexpr uint8_t listStyleVariable = 27;
constexpr uint8_t perSentenceVariable = 30;
constexpr uint8_t minutesPerTurnVariable = 34;

constexpr uint8_t metaActionSet = 2;
constexpr uint8_t everyTurnRoutineSet = 3;
constexpr uint8_t roomGroupObjectSet = 5;
constexpr uint8_t fewRoomsObjectSet = 6;

constexpr uint8_t personFlag = 1;
constexpr uint8_t doorFlag = 2;
constexpr uint8_t seenFlag = 23;
constexpr uint8_t answersFlag = 21;

constexpr uint8_t lookAction = 10;
constexpr uint8_t restartAction = 41;
constexpr uint8_t restoreAction = 42;
constexpr uint8_t announceEndAction = 47;
constexpr uint8_t undoAction = 49;
constexpr uint8_t gameOverRoutine = 9;
constexpr uint8_t beforeActionRoutine = 4;

// An Escape is no answer to the game-over question; a front end that can
// only answer Escape (its input has ended) ends the game after this many.
constexpr int maxUnansweredQuestions = 10;

uint8_t& byteVariable(Engine& engine, uint8_t n) {
    return engine.world.byteVariables[n];
}

bool isMetaAction(const Engine& engine, uint8_t action) {
    return engine.world.tailSets[metaActionSet].contains(action);
}

bool programEnding(const Engine& engine) {
    return engine.machine.quitRequested;
}

// Doors stand on the player's side, their target naming the other side.
void bringDoorsOver(Engine& engine) {
    World& world = engine.world;
    const uint8_t room = world.scene.currentRoom;
    for (int p = 1; p <= world.counts.portableCount; ++p) {
        ObjectRecord& door = world.objects[p];
        if (!world.objectFlag(doorFlag, static_cast<uint8_t>(p)) || door.target != room) continue;
        door.target = door.holder;
        door.holder = room;
    }
}

// Fixed objects present in a few rooms (named in four of their fields) or
// in a whole group of rooms (by a room flag) move to the current room.
void bringSharedObjectsOver(Engine& engine) {
    World& world = engine.world;
    const uint8_t room = world.scene.currentRoom;
    for (int f = world.counts.portableCount + 1; f <= world.counts.fixedCount; ++f) {
        const auto object = static_cast<uint8_t>(f);
        ObjectRecord& record = world.objects[object];
        if (world.tailSets[fewRoomsObjectSet].contains(object)) {
            for (uint8_t* field :
                 {&record.spaceLeft, &record.volume, &record.target, &record.weight}) {
                if (*field != room) continue;
                *field = record.holder;
                record.holder = room;
                break;
            }
        } else if (world.tailSets[roomGroupObjectSet].contains(object)) {
            const uint8_t group = record.spaceLeft;
            const bool inGroup = group < 128
                                     ? world.roomFlag(group, room)
                                     : !world.roomFlag(static_cast<uint8_t>(group - 128), room);
            if (inGroup) record.holder = room;
        }
    }
}

void runEveryTurnRoutines(Engine& engine) {
    World& world = engine.world;
    // The list may not change while it runs, but a story load inside a
    // routine replaces it; walk it by index against its current size.
    for (std::size_t i = 0; i < world.routines.size(); ++i) {
        if (byteVariable(engine, gameEndCodeVariable) != 0 || programEnding(engine)) return;
        const NumberedCode routine = world.routines[i];
        if (!world.tailSets[everyTurnRoutineSet].contains(routine.id)) continue;
        byteVariable(engine, abortVariable) = 0;
        runScript(engine, routine.script);
    }
    if (byteVariable(engine, gameEndCodeVariable) == 0 && world.routines.size() >= 2 &&
        !programEnding(engine))
        runScript(engine, world.routines[1].script);
}

void markSeenObjects(Engine& engine) {
    World& world = engine.world;
    for (int o = 1; o <= world.counts.fixedCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        if (!world.objectFlag(seenFlag, object) && isVisible(engine, object))
            world.setObjectFlag(seenFlag, object, true);
    }
}

void passGameTime(Engine& engine) {
    World& world = engine.world;
    if (!engine.turn.quitPending && byteVariable(engine, gameEndCodeVariable) == 0) {
        bringDoorsOver(engine);
        bringSharedObjectsOver(engine);
        if (world.scene.playerVehicle != 0)
            computeEnclosure(engine, world.scene.playerVehicle);
        else
            world.scene.enclosure = 0;
        runEveryTurnRoutines(engine);
        if (programEnding(engine)) return;
    }
    markSeenObjects(engine);
    world.scene.turnCounter = arithmetic::plus(world.scene.turnCounter, 1);
    advanceClock(engine, 0, byteVariable(engine, minutesPerTurnVariable));
    takeEndOfTurnImage(engine);
}

// Each object of a command that names several is handled as a command of
// its own, its name and a colon before its replies.
void dispatchEachObject(Engine& engine) {
    World& world = engine.world;
    const ParsedCommand& parsed = engine.parser.command;
    const uint8_t action = world.command.action;
    const int count = std::min<int>(parsed.objectListCount, objectListSlots);
    for (int i = 1; i <= count && !programEnding(engine); ++i) {
        engine.turn.objectIndex = i;
        world.command.object1 = parsed.objectList[static_cast<std::size_t>(i)];
        formatText(engine, "/O'010: ");
        dispatchAction(engine, action);
        byteVariable(engine, notCarriedOutVariable) = byteVariable(engine, abortVariable);
        printPendingMessage(engine);
        applyDeferredMarks(engine);
        finishParagraph(engine);
    }
    engine.turn.objectIndex = 0;
}

void carryOut(Engine& engine) {
    World& world = engine.world;
    const uint8_t action = world.command.action;
    byteVariable(engine, notCarriedOutVariable) = 0;
    engine.machine.pendingMessage = {};
    if (world.scene.addressee != 0) {
        saveUndo(engine);
        orderToPerson(engine);
        printPendingMessage(engine);
        finishParagraph(engine);
    } else if (isMetaAction(engine, action)) {
        // A meta action runs without the dispatch, which would select its
        // record; the record the parser matched is the one to run, not the
        // one the previous command left current.
        if (engine.parser.matchedActionRecord >= 0)
            engine.machine.currentActionRecord = engine.parser.matchedActionRecord;
        else
            selectActionRecord(engine, action);
        systemAction(engine);
        byteVariable(engine, notCarriedOutVariable) = byteVariable(engine, abortVariable);
        printPendingMessage(engine);
        finishParagraph(engine);
    } else if (engine.parser.command.objectListCount == 0) {
        saveUndo(engine);
        dispatchAction(engine, action);
        byteVariable(engine, notCarriedOutVariable) = byteVariable(engine, abortVariable);
        printPendingMessage(engine);
        applyDeferredMarks(engine);
        finishParagraph(engine);
    } else {
        saveUndo(engine);
        dispatchEachObject(engine);
    }
}

// The objects of the command become the antecedents of pronouns, the first
// object the recent one.
void noteCommandObjects(Engine& engine) {
    World& world = engine.world;
    const CommandSlots& command = world.command;
    SceneCells& scene = world.scene;
    if (command.object1 != 0) scene.recentObject = command.object1;
    if (scene.recentObject != 0 && !isVisible(engine, scene.recentObject)) scene.recentObject = 0;
    for (const uint8_t object : {command.object3, command.object2, command.object1})
        if (object != 0) notePronoun(engine, object, world.objects[object].gender);
}

// One sentence of the line, from parsing to the end of its turn. Returns
// false when the line must not go on (the program ends, or the game was
// started anew inside the sentence).
bool processSentence(Engine& engine) {
    World& world = engine.world;
    const int starts = engine.turn.gameStarts;
    if (engine.parser.words.word(1).text.empty())
        byteVariable(engine, parseErrorVariable) = 12;
    else
        parseCommand(engine);
    if (programEnding(engine) || engine.turn.gameStarts != starts) return false;

    engine.turn.lookCommand = world.command.action == lookAction;
    engine.lists.listedSet.clear();
    engine.text.countedForms = false;
    byteVariable(engine, abortVariable) = 0;
    printParseError(engine);
    if (byteVariable(engine, parseErrorVariable) != 0) engine.parser.command.nextSentence = 0;
    runRoutine(engine, beforeActionRoutine);
    if (programEnding(engine)) return false;

    const bool refused =
        byteVariable(engine, parseErrorVariable) != 0 || byteVariable(engine, abortVariable) != 0;
    if (!refused) {
        carryOut(engine);
        if (programEnding(engine) || engine.turn.gameStarts != starts) return false;
    }
    endTurn(engine);
    if (programEnding(engine) || engine.turn.gameStarts != starts) return false;
    if (!refused) noteCommandObjects(engine);

    byteVariable(engine, itemCountVariable) = 0;
    byteVariable(engine, listStyleVariable) = 0;
    byteVariable(engine, perSentenceVariable) = 0;
    // The line break separates the replies of the sentences of one line. After
    // the prompt it would put the typed command on a line of its own, unlike
    // the prompt at game start, so the prompt's line is left open.
    if ((byteVariable(engine, narrationVariable) & 1) == 0 && !engine.turn.promptPrinted)
        formatText(engine, "/x");
    updateCarryingTotals(engine);
    return true;
}

} // namespace

void processCommandLine(Engine& engine, const std::string& line) {
    engine.turn.inputLine = line;
    uint8_t& nextSentence = engine.parser.command.nextSentence;
    nextSentence = 0;
    // Every sentence starts further along the line's words, so a line has
    // no more sentences than words; the bound guards against a sentence
    // that names its own start as the next one.
    for (int sentence = 0; sentence <= wordTableSlots; ++sentence) {
        if (nextSentence == 0) {
            engine.parser.orderMode = false;
            tokenize(engine, engine.turn.inputLine);
        } else {
            startNextSentence(engine, nextSentence);
        }
        if (!processSentence(engine) || nextSentence == 0) return;
    }
    nextSentence = 0;
}

void endTurn(Engine& engine, TurnKind kind) {
    World& world = engine.world;
    if (programEnding(engine)) return;
    const bool passesTime =
        byteVariable(engine, parseErrorVariable) == 0 &&
        (kind == TurnKind::GameStart || !isMetaAction(engine, world.command.action));
    if (passesTime) {
        if (kind == TurnKind::Command) engine.saves.unsavedProgress = true;
        passGameTime(engine);
        if (programEnding(engine)) return;
    }
    if (byteVariable(engine, gameEndCodeVariable) != 0) {
        const int starts = engine.turn.gameStarts;
        gameOverPrompt(engine);
        if (engine.turn.quitPending) {
            quitProgram(engine);
            return;
        }
        // A restart inside the prompt has ended its own first turn already.
        if (programEnding(engine) || engine.turn.gameStarts != starts) return;
    }
    byteVariable(engine, listStyleVariable) = 0;
    if (byteVariable(engine, statusLinesVariable) != 0) updateStatusLine(engine);
    finishParagraph(engine);
    world.command.action = 0;
    engine.turn.promptPrinted =
        world.scene.turnCounter >= 0 && engine.parser.command.nextSentence == 0;
    if (engine.turn.promptPrinted) formatText(engine, "> ");
}

void orderToPerson(Engine& engine) {
    World& world = engine.world;
    const uint8_t person = world.scene.addressee;
    if (person == 250 || person == 251) {
        printMessage(engine, 0, 188);
        return;
    }
    world.scene.phraseObject = person;
    int handled = 0;
    uint8_t x = person;
    for (int steps = 0; x != 0 && steps < objectSlots; ++steps) {
        const CodeBlock script = world.objects[x].scripts[5];
        if (script.length != 0) {
            runScript(engine, script);
            ++handled;
        }
        if (byteVariable(engine, abortVariable) != 0) break;
        x = world.objects[x].base;
    }
    if (handled != 0) return;
    const bool answers =
        world.objectFlag(personFlag, person) || world.objectFlag(answersFlag, person);
    printMessage(engine, 0, answers ? 187 : 186);
}

void setPendingMessage(Engine& engine, uint8_t mark, uint8_t variant) {
    engine.machine.pendingMessage = {mark, variant};
}

void printPendingMessage(Engine& engine) {
    const TextRef pending = engine.machine.pendingMessage;
    if (pending.mark != 0 || pending.variant != 0)
        printMessage(engine, pending.mark, pending.variant);
}

void gameOverPrompt(Engine& engine) {
    byteVariable(engine, abortVariable) = 0;
    runRoutine(engine, gameOverRoutine);
    if (byteVariable(engine, abortVariable) != 0 || programEnding(engine)) return;
    if (byteVariable(engine, gameEndCodeVariable) != 1) {
        printMessage(engine, 0, 220);
        dispatchAction(engine, announceEndAction);
        engine.turn.quitPending = true;
        return;
    }
    printMessage(engine, 0, 221);
    dispatchAction(engine, announceEndAction);
    int unanswered = 0;
    while (byteVariable(engine, gameEndCodeVariable) != 0 && !engine.turn.quitPending &&
           !programEnding(engine)) {
        paragraphBreak(engine);
        printMessage(engine, 0, 226);
        const int choice = askChoice(engine, "ENLZ");
        byteVariable(engine, parseErrorVariable) = 0;
        switch (choice) {
        case 1: engine.turn.quitPending = true; break;
        case 2: dispatchAction(engine, restartAction); break;
        case 3: dispatchAction(engine, restoreAction); break;
        case 4: dispatchAction(engine, undoAction); break;
        default:
            if (++unanswered >= maxUnansweredQuestions) engine.turn.quitPending = true;
            break;
        }
    }
    byteVariable(engine, abortVariable) = 0;
}

void quitProgram(Engine& engine) {
    if (programEnding(engine)) return;
    printMessage(engine, 0, 225);
    startPaging(engine, kPagingPrompt);
    closeTranscript(engine);
    engine.machine.quitRequested = true;
    engine.turn.quitPending = false;
    engine.host.quit();
}

} // namespace rux
