#include "engine/script/dispatch_action.h"

#include "engine/engine.h"
#include "engine/script/cell_names.h"
#include "engine/script/interpreter.h"
#include "engine/script/object_tree.h"
#include "engine/session/system_action.h"

namespace rux {

namespace {

constexpr uint8_t metaActionSet = 2;
constexpr uint8_t takeAction = 2;
constexpr uint8_t takeFromAction = 3;

bool aborted(const Engine& engine) {
    return engine.world.byteVariables[abortFlagVariable] != 0;
}

bool isCountedObject(const Engine& engine, uint8_t object) {
    return object >= 1 && object <= engine.world.counts.fixedCount;
}

// Runs script k of the object and then of each object along its base chain.
// A chain can be at most as long as there are objects; a longer one loops
// and is cut there.
void runObjectChain(Engine& engine, uint8_t object, int k) {
    uint8_t x = object;
    for (int steps = 0; x != 0 && steps < objectSlots; ++steps) {
        runScript(engine, engine.world.objects[x].scripts[k]);
        if (aborted(engine)) return;
        x = engine.world.objects[x].base;
    }
}

// Room script k of the current room and of the rooms along its base chain;
// a base that names no room ends the chain, and so does a cycle.
void runRoomChain(Engine& engine, int k) {
    World& world = engine.world;
    world.scene.scriptRoom = world.scene.currentRoom;
    const RoomRecord* room = world.currentRoomRecordPtr();
    const std::size_t limit = world.rooms.size();
    for (std::size_t steps = 0; room && steps < limit; ++steps) {
        const uint8_t base = room->base;
        runScript(engine, room->scripts[k]);
        if (aborted(engine) || base == 0) return;
        room = world.findRoom(base);
    }
}

// Script k of the object as the first object of the command.
void runFirstObject(Engine& engine, int k) {
    const uint8_t object = engine.world.command.object1;
    if (!isCountedObject(engine, object)) return;
    engine.world.scene.phraseObject = object;
    runObjectChain(engine, object, k);
}

// Script k of the second object, which sees the record's second-object
// action instead of the command's action.
void runSecondObject(Engine& engine, int k, uint8_t secondObjectAction) {
    World& world = engine.world;
    const uint8_t object = world.command.object2;
    if (!isCountedObject(engine, object)) return;
    const uint8_t outer = world.command.action;
    world.command.action = secondObjectAction;
    world.scene.phraseObject = object;
    runObjectChain(engine, object, k);
    world.command.action = outer;
}

// Script k of every visible counted object; before the action this stops
// once the game has ended.
void runVisibleObjects(Engine& engine, int k, bool onlyWhileGameRuns) {
    World& world = engine.world;
    engine.machine.chargeObjectWalk(world.counts.fixedCount);
    for (int o = 1; o <= world.counts.fixedCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        if (!isVisible(engine, object)) continue;
        if (onlyWhileGameRuns && world.byteVariables[gameEndCodeVariable] != 0) continue;
        world.scene.phraseObject = object;
        runObjectChain(engine, object, k);
    }
}

} // namespace

void selectActionRecord(Engine& engine, uint8_t action) {
    const std::vector<ActionRecord>& actions = engine.world.actions;
    int selected = static_cast<int>(actions.size()) - 1;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i].id == action) {
            selected = static_cast<int>(i);
            break;
        }
    }
    engine.machine.currentActionRecord = selected;
}

const ActionRecord* currentActionRecord(const Engine& engine) {
    const int index = engine.machine.currentActionRecord;
    const std::vector<ActionRecord>& actions = engine.world.actions;
    if (index < 0 || index >= static_cast<int>(actions.size())) return nullptr;
    return &actions[static_cast<std::size_t>(index)];
}

void dispatchAction(Engine& engine, uint8_t action) {
    World& world = engine.world;
    CommandSlots& command = world.command;
    world.byteVariables[abortFlagVariable] = 0;
    world.byteVariables[notCarriedOutVariable] = 0;

    // Taking something that lies in or on something else is taking it out
    // of or off its holder.
    if (action == takeAction && command.action != takeFromAction) {
        const ObjectRecord& taken = world.objects[command.object1];
        if (taken.holder != 0 && (taken.relation == 2 || taken.relation == 3)) {
            action = takeFromAction;
            command.object2 = taken.holder;
        }
    }

    const uint8_t outerAction = command.action;
    command.action = action;
    selectActionRecord(engine, action);
    engine.machine.pendingMessage = {};
    const ActionRecord* record = currentActionRecord(engine);
    const uint8_t secondObjectAction = record ? record->secondObjectAction : 0;

    if (world.tailSets[metaActionSet].contains(action)) {
        systemAction(engine);
    } else {
        runRoutine(engine, 3);
        runVisibleObjects(engine, 3, true);
        runRoomChain(engine, 1);
        runFirstObject(engine, 1);
        runSecondObject(engine, 1, secondObjectAction);
        systemAction(engine);
        runSecondObject(engine, 2, secondObjectAction);
        runFirstObject(engine, 2);
        runRoomChain(engine, 2);
        runVisibleObjects(engine, 4, false);
    }

    command.action = outerAction;
    selectActionRecord(engine, outerAction);
}

} // namespace rux
