#include "engine/session/object_actions.h"

#include "engine/engine.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/interpreter.h"
#include "engine/script/listings.h"
#include "engine/script/object_texts.h"
#include "engine/script/object_tree.h"
#include "engine/script/reach_checks.h"
#include "engine/session/action_support.h"
#include "engine/text/contents.h"
#include "engine/text/formatter.h"

namespace rux::actions {

namespace {

constexpr uint8_t dropAction = 5;
constexpr uint8_t lookAction = 10;
constexpr uint8_t openAction = 12;
constexpr uint8_t unlockAction = 14;

ObjectRecord& firstObject(Engine& engine) {
    return engine.world.objects[engine.world.command.object1];
}

bool isPortable(const Engine& engine, uint8_t object) {
    return object >= 1 && object <= engine.world.counts.portableCount;
}

bool flag(const Engine& engine, uint8_t k, uint8_t object) {
    return engine.world.objectFlag(k, object);
}

bool isShut(const ObjectRecord& object) {
    return object.state == stateClosed || object.state == stateLocked;
}

// The objects lying under or behind the first object come out into view.
void reveal(Engine& engine, uint8_t preposition, bool emptyReply) {
    engine.world.command.preposition = preposition;
    spillContents(engine, preposition == prepositionUnder ? relationUnder : relationBehind,
                  emptyReply);
}

} // namespace

void take(Engine& engine) {
    World& world = engine.world;
    const uint8_t o1 = world.command.object1;
    ObjectRecord& item = firstObject(engine);
    if (item.holder == 0) return fail(engine, 61);
    if (!isPortable(engine, o1) || flag(engine, fixedFlag, o1)) return fail(engine, 62);
    if (flag(engine, untakeableFlag, o1) || flag(engine, sceneryFlag, o1)) return fail(engine, 63);
    if (flag(engine, personFlag, o1)) return fail(engine, 64);
    if (item.relation == relationAttached) {
        world.scene.relatedObject = item.holder;
        return fail(engine, 69);
    }
    // The load is the object together with everything in and on it; the
    // check is made against what the player can still carry, the same
    // amount the take then subtracts.
    const int load = item.weight + weightInside(engine, o1);
    if (byteVariable(engine, mostWeightVariable) < load) return fail(engine, 65);
    if (byteVariable(engine, largestVolumeVariable) < item.volume) return fail(engine, 67);
    if (byteVariable(engine, weightFreeVariable) < load ||
        byteVariable(engine, volumeFreeVariable) < item.volume)
        return fail(engine, 66);
    if (byteVariable(engine, itemsCarriedVariable) >= byteVariable(engine, mostItemsVariable))
        return fail(engine, 68);

    succeed(engine, namesSeveralObjects(engine) ? 70 : 60);
    reveal(engine, prepositionUnder, false);
    reveal(engine, prepositionBehind, false);
    if (item.relation == relationIn || item.relation == relationOn) {
        ObjectRecord& container = world.objects[item.holder];
        container.spaceLeft =
            static_cast<uint8_t>(std::min(255, container.spaceLeft + item.volume));
    }
    item.holder = 0;
    item.relation = 0;
    addToVariable(engine, itemsCarriedVariable, 1);
    addToVariable(engine, weightFreeVariable, -load);
    addToVariable(engine, volumeFreeVariable, -item.volume);
    engine.parser.markedObject = o1;
}

void takeFrom(Engine& engine) {
    const CommandSlots& command = engine.world.command;
    const ObjectRecord& item = firstObject(engine);
    if (item.holder == command.object2 &&
        (item.relation == relationIn || item.relation == relationOn))
        return take(engine);
    fail(engine, command.preposition == prepositionIn ? 72 : 73);
}

void drop(Engine& engine) {
    World& world = engine.world;
    const uint8_t o1 = world.command.object1;
    ObjectRecord& item = firstObject(engine);
    if (flag(engine, untakeableFlag, o1) || !isPortable(engine, o1)) {
        byteVariable(engine, notCarriedOutVariable) = 1;
        engine.machine.pendingMessage = {0, 78};
        return;
    }
    const uint8_t reply = item.relation == relationWorn ? 75
                          : namesSeveralObjects(engine) ? 77
                                                        : 76;
    succeed(engine, reply);
    item.relation = 0;
    item.holder = world.scene.currentRoom;
    addToVariable(engine, weightFreeVariable, item.weight);
    addToVariable(engine, volumeFreeVariable, item.volume);
    addToVariable(engine, itemsCarriedVariable, -1);
}

void put(Engine& engine) {
    World& world = engine.world;
    const CommandSlots& command = world.command;
    const uint8_t o1 = command.object1;
    const uint8_t o2 = command.object2;
    ObjectRecord& item = firstObject(engine);
    ObjectRecord& target = world.objects[o2];
    // Putting a thing into something that lies in or on it would make each
    // hold the other.
    if (o1 == o2 || isInsideOf(engine, o2, o1)) return fail(engine, 90);
    if (command.preposition == prepositionIn && !flag(engine, containerFlag, o2))
        return fail(engine, 92);
    if (command.preposition == prepositionOn && !flag(engine, surfaceFlag, o2))
        return fail(engine, 93);
    if (flag(engine, containerFlag, o2) && isShut(target)) return fail(engine, 94);
    if (target.volume < item.volume) return fail(engine, 95);
    if (target.spaceLeft < item.volume) return fail(engine, 96);

    const bool worn = item.relation == relationWorn;
    dispatchAction(engine, dropAction);
    if (byteVariable(engine, abortVariable) != 0) {
        byteVariable(engine, notCarriedOutVariable) = 1;
        return;
    }
    succeed(engine, worn ? 97 : namesSeveralObjects(engine) ? 99 : 98);
    item.holder = o2;
    item.relation = command.preposition == prepositionOn ? relationOn : relationIn;
    target.spaceLeft = static_cast<uint8_t>(target.spaceLeft - item.volume);
    addToVariable(engine, weightFreeVariable, item.weight);
    addToVariable(engine, volumeFreeVariable, item.volume);
    addToVariable(engine, itemsCarriedVariable, -1);
}

void examine(Engine& engine) {
    World& world = engine.world;
    const uint8_t o1 = world.command.object1;
    engine.lists.listedSet.clear();
    if (isDark(engine)) return fail(engine, 100);
    if (o1 == 250 || o1 == 251) return fail(engine, 101);
    bool printed = false;
    if (o1 < 252) {
        world.scene.phraseObject = o1;
        TextRef text = objectText(engine, o1, 0);
        if (text.variant == 0) text = objectText(engine, o1, 2);
        if (text.variant != 0) {
            showText(engine, text);
            printed = true;
        }
    } else {
        byteVariable(engine, lastTextEmptyVariable) = 1;
    }
    int count = 0;
    listContents(engine, o1, count);
    if (!printed && count == 0) {
        const bool stateNamed = !world.nthStateName(world.objects[o1].state).empty();
        engine.machine.pendingMessage = {0, static_cast<uint8_t>(stateNamed ? 103 : 102)};
    }
    engine.lists.listedSet.clear();
}

void read(Engine& engine) {
    World& world = engine.world;
    const uint8_t o1 = world.command.object1;
    world.scene.phraseObject = o1;
    if (isDark(engine)) return fail(engine, 105);
    const TextRef text = objectText(engine, o1, 2);
    if (text.variant == 0) return fail(engine, 106);
    showText(engine, text);
}

void open(Engine& engine) {
    const uint8_t o1 = engine.world.command.object1;
    ObjectRecord& item = firstObject(engine);
    switch (item.state) {
    case stateOpen: return fail(engine, 131);
    case stateLocked: return fail(engine, 132);
    case stateClosed: break;
    default: return fail(engine, 133);
    }
    item.state = stateOpen;
    succeed(engine, 130);
    if ((flag(engine, containerFlag, o1) || flag(engine, surfaceFlag, o1)) &&
        !flag(engine, contentsHiddenFlag, o1)) {
        const TextRef reply = engine.machine.pendingMessage;
        printMessage(engine, reply.mark, reply.variant);
        int count = 0;
        listContents(engine, o1, count);
    }
}

void close(Engine& engine) {
    ObjectRecord& item = firstObject(engine);
    if (isShut(item)) return fail(engine, 136);
    if (item.state != stateOpen) return fail(engine, 137);
    item.state = stateClosed;
    succeed(engine, 135);
}

void unlock(Engine& engine) {
    const CommandSlots& command = engine.world.command;
    ObjectRecord& item = firstObject(engine);
    if (item.state != stateLocked) return fail(engine, 141);
    if (!flag(engine, keyFlag, command.object2)) return fail(engine, 142);
    if (engine.world.objects[command.object2].target != command.object1) return fail(engine, 143);
    item.state = stateClosed;
    succeed(engine, 140);
}

void lock(Engine& engine) {
    const CommandSlots& command = engine.world.command;
    ObjectRecord& item = firstObject(engine);
    if (!flag(engine, lockableFlag, command.object1)) return fail(engine, 146);
    if (item.state != stateOpen && item.state != stateClosed) return fail(engine, 147);
    if (!flag(engine, keyFlag, command.object2)) return fail(engine, 148);
    if (engine.world.objects[command.object2].target != command.object1) return fail(engine, 143);
    item.state = stateLocked;
    succeed(engine, 145);
}

void unlockAndOpen(Engine& engine) {
    dispatchAction(engine, unlockAction);
    if (byteVariable(engine, notCarriedOutVariable) == 0) dispatchAction(engine, openAction);
}

void switchOn(Engine& engine) {
    World& world = engine.world;
    ObjectRecord& item = firstObject(engine);
    const bool wasDark = isDark(engine);
    if (item.state == stateOn) return fail(engine, 152);
    if (item.state != stateOff) return fail(engine, 151);
    const uint8_t instrument = world.command.object3;
    if (instrument != 0 && !canTouch(engine, instrument)) {
        byteVariable(engine, notCarriedOutVariable) = 1;
        printMessage(engine, 0, byteVariable(engine, parseErrorVariable));
        return;
    }
    item.state = stateOn;
    succeed(engine, 150);
    if (wasDark && !isDark(engine)) {
        dispatchAction(engine, lookAction);
        byteVariable(engine, notCarriedOutVariable) = 0;
    }
}

void switchOff(Engine& engine) {
    ObjectRecord& item = firstObject(engine);
    if (item.state == stateOff) return fail(engine, 157);
    if (item.state != stateOn) return fail(engine, 156);
    item.state = stateOff;
    succeed(engine, 155);
}

void wear(Engine& engine) {
    ObjectRecord& item = firstObject(engine);
    if (!flag(engine, wearableFlag, engine.world.command.object1)) return fail(engine, 160);
    if (item.relation == relationWorn) return fail(engine, 161);
    item.relation = relationWorn;
    succeed(engine, 162);
}

void takeOff(Engine& engine) {
    ObjectRecord& item = firstObject(engine);
    if (item.holder != 0 || item.relation != relationWorn) return fail(engine, 166);
    item.relation = 0;
    succeed(engine, 165);
}

// Talking about a quoted text: every object along the person's base chain
// reacts with its fifth script and its topic text.
void talkAbout(Engine& engine) {
    World& world = engine.world;
    const CommandSlots& command = world.command;
    if (command.object2 != typedNumberObject) return fail(engine, 185);
    world.scene.phraseObject = command.object1;
    int reacting = 0;
    uint8_t x = command.object1;
    for (int steps = 0; x != 0 && steps < objectSlots; ++steps) {
        const CodeBlock script = world.objects[x].scripts[5];
        if (script.length != 0) ++reacting;
        runScript(engine, script);
        printMessage(engine, 254, x);
        x = world.objects[x].base;
    }
    if (reacting == 0) printMessage(engine, 0, 186);
}

void lookIn(Engine& engine) {
    engine.lists.listedSet.clear();
    if (isShut(firstObject(engine))) {
        fail(engine, 190);
        byteVariable(engine, abortVariable) = 1;
        return;
    }
    describeContents(engine, engine.world.command.object1, relationIn, false);
    if (byteVariable(engine, lastTextEmptyVariable) != 0) printMessage(engine, 0, 191);
}

void lookOn(Engine& engine) {
    engine.lists.listedSet.clear();
    describeContents(engine, engine.world.command.object1, relationOn, false);
    if (byteVariable(engine, lastTextEmptyVariable) != 0) printMessage(engine, 0, 191);
}

void lookUnderOrBehind(Engine& engine) {
    const uint8_t preposition = engine.world.command.preposition;
    reveal(engine, preposition == prepositionUnder ? prepositionUnder : prepositionBehind, true);
}

} // namespace rux::actions
