#include "engine/session/movement_actions.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/interpreter.h"
#include "engine/script/object_tree.h"
#include "engine/session/action_support.h"
#include "engine/text/formatter.h"

namespace rux {

namespace actions {

namespace {

constexpr uint8_t goAction = 1;
constexpr uint8_t lookAction = 10;
constexpr uint8_t openAction = 12;
constexpr uint8_t sitAction = 21;
constexpr uint8_t lieAction = 22;
constexpr uint8_t standAction = 23;
constexpr uint8_t getOnAction = 24;
constexpr uint8_t getOffAction = 26;
constexpr uint8_t closedExit = 255;

bool flag(const Engine& engine, uint8_t k, uint8_t object) {
    return engine.world.objectFlag(k, object);
}

bool isRoom(const World& world, uint8_t target) {
    return target >= 1 && target <= world.counts.roomCount;
}

uint8_t exitFor(const World& world, uint8_t direction) {
    const RoomRecord* room = world.currentRoomRecordPtr();
    const int directions = std::min<int>(world.counts.directionCount, maxDirections);
    if (room == nullptr || direction < 1 || direction > directions) return 0;
    return room->exits[direction];
}

// The door between here and `target` that is shut; a locked one also closes
// the way (the target then becomes 255).
uint8_t blockingDoor(const Engine& engine, uint8_t& target) {
    const World& world = engine.world;
    uint8_t door = 0;
    const uint8_t wanted = target;
    for (int p = 1; wanted != 0 && p <= world.counts.portableCount; ++p) {
        const ObjectRecord& record = world.objects[p];
        if (!flag(engine, doorFlag, static_cast<uint8_t>(p))) continue;
        if (record.holder != world.scene.currentRoom || record.target != wanted) continue;
        if (record.state == stateClosed || record.state == stateLocked) {
            door = static_cast<uint8_t>(p);
            if (record.state == stateLocked) target = closedExit;
        }
    }
    return door;
}

// Opens the door on the way; false when that did not succeed.
bool openDoorOnTheWay(Engine& engine, uint8_t door) {
    CommandSlots& command = engine.world.command;
    printMessage(engine, 0, 55);
    const uint8_t object1 = command.object1;
    command.object1 = door;
    dispatchAction(engine, openAction);
    command.object1 = object1;
    return byteVariable(engine, abortVariable) == 0;
}

}  // namespace

void go(Engine& engine) {
    World& world = engine.world;
    SceneCells& scene = world.scene;
    byteVariable(engine, notCarriedOutVariable) = 1;
    const uint8_t vehicle = scene.playerVehicle;
    if (vehicle != 0 && !flag(engine, travellingVehicleFlag, vehicle)) return fail(engine, 53);
    uint8_t target = exitFor(world, world.command.direction);
    if (isDark(engine) && (!isRoom(world, target) || isDarkRoom(engine, target)))
        return fail(engine, 51);
    const uint8_t door = blockingDoor(engine, target);
    if (target == 0) return fail(engine, 52);
    if (target == closedExit) return fail(engine, 54);
    if (!isRoom(world, target)) {
        if (const NumberedText* message = world.findExitMessage(target))
            printMessage(engine, message->text.mark, message->text.variant);
        else if (const NumberedCode* routine = world.findExitRoutine(target))
            runScript(engine, routine->script);
        return;
    }
    if (door != 0 && !openDoorOnTheWay(engine, door)) {
        byteVariable(engine, notCarriedOutVariable) = 1;
        return;
    }
    if (vehicle != 0) setLocation(engine, vehicle, target, 0);
    scene.currentRoom = target;
    world.selectRoomRecord();
    dispatchAction(engine, lookAction);
    byteVariable(engine, notCarriedOutVariable) = 0;
}

// The last of the fitting postures wins: standing before sitting before lying.
void getOn(Engine& engine) {
    const uint8_t o1 = engine.world.command.object1;
    uint8_t chosen = 0;
    if (flag(engine, lieFlag, o1)) chosen = lieAction;
    if (flag(engine, sitFlag, o1)) chosen = sitAction;
    if (flag(engine, standFlag, o1)) chosen = standAction;
    if (chosen == 0) return fail(engine, 174);
    dispatchAction(engine, chosen);
}

void enter(Engine& engine) {
    World& world = engine.world;
    CommandSlots& command = world.command;
    const uint8_t o1 = command.object1;
    if (flag(engine, doorFlag, o1)) {
        const uint8_t wanted = world.objects[o1].target;
        const int directions = std::min<int>(world.counts.directionCount, maxDirections);
        for (int d = 1; d <= directions; ++d) {
            if (wanted != 0 && exitFor(world, static_cast<uint8_t>(d)) == wanted) {
                command.direction = static_cast<uint8_t>(d);
                dispatchAction(engine, goAction);
                return;
            }
        }
        fail(engine, 181);
        byteVariable(engine, abortVariable) = 1;
        return;
    }
    if (flag(engine, containerFlag, o1) &&
        (flag(engine, sitFlag, o1) || flag(engine, lieFlag, o1) || flag(engine, standFlag, o1))) {
        dispatchAction(engine, getOnAction);
        return;
    }
    fail(engine, 180);
    byteVariable(engine, abortVariable) = 1;
}

void getOff(Engine& engine) {
    World& world = engine.world;
    const uint8_t o1 = world.command.object1;
    const uint8_t vehicle = world.scene.playerVehicle;
    if (o1 != 0 && o1 != vehicle) {
        engine.text.phraseText = flag(engine, insideVehicleFlag, o1) ? "in" : "auf";
        return fail(engine, 177);
    }
    if (vehicle == 0) return fail(engine, 176);
    succeed(engine, 175);
    const ObjectRecord& record = world.objects[vehicle];
    setPlayerVehicle(engine, record.relation != 0 && record.holder != 0 ? record.holder : 0);
}

void standUp(Engine& engine) {
    CommandSlots& command = engine.world.command;
    const uint8_t vehicle = engine.world.scene.playerVehicle;
    if (vehicle == 0) return fail(engine, 176);
    const uint8_t object1 = command.object1;
    command.object1 = vehicle;
    dispatchAction(engine, getOffAction);
    command.object1 = object1;
}

}  // namespace actions

void adoptPosture(Engine& engine, uint8_t posture, uint8_t flag) {
    using namespace actions;
    World& world = engine.world;
    SceneCells& scene = world.scene;
    const uint8_t o1 = world.command.object1;
    byteVariable(engine, notCarriedOutVariable) = 1;
    const uint8_t holder = parentOf(engine, o1);
    uint8_t& currentPosture = byteVariable(engine, postureVariable);
    if (!world.objectFlag(flag, o1)) {
        // The reply speaks of the posture asked for.
        const uint8_t kept = currentPosture;
        currentPosture = posture;
        printMessage(engine, 0, 171);
        currentPosture = kept;
        return;
    }
    const uint8_t vehicle = scene.playerVehicle;
    if (currentPosture == posture && vehicle == o1) return fail(engine, 172);
    if (vehicle != 0 && vehicle != o1 && holder == 0) return fail(engine, 173);
    if (holder != 0 && holder != vehicle) {
        scene.playerVehicle = o1;
        printMessage(engine, 0, 182);
        scene.playerVehicle = vehicle;
        return;
    }
    succeed(engine, 170);
    currentPosture = posture;
    // Climbing from one thing onto another marks anew what is out of reach.
    if (vehicle != 0)
        setPlayerVehicle(engine, o1);
    else
        scene.playerVehicle = o1;
}

}  // namespace rux
