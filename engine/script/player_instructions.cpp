// Instructions about the player: moving, the clock, the end of the game and
// the checks that the player can touch or carries an object.

#include "engine/engine.h"
#include "engine/script/clock.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/object_tree.h"
#include "engine/script/reach_checks.h"
#include "engine/script/script_call.h"
#include "engine/script/world_instructions.h"
#include "engine/text/output.h"

namespace rux::instructions {

namespace {

constexpr uint8_t vehicleTravelsFlag = 18; // vehicles that move along with the player
constexpr uint8_t describeRoomAction = 10;

void endGame(ScriptCall& call, uint8_t code) {
    World& world = call.engine.world;
    paragraphBreak(call.engine);
    world.byteVariables[notCarriedOutVariable] = 1;
    world.byteVariables[gameEndCodeVariable] = code;
    world.byteVariables[abortFlagVariable] = 0;
    call.stop();
}

} // namespace

// Mode 0 moves the player to room v, taking along a vehicle that travels;
// any other mode puts the player into or onto object v, in the room that
// holds it. The new room is then described.
void movePlayer(ScriptCall& call) {
    const uint8_t mode = call.byte();
    const auto v = static_cast<uint8_t>(call.operand());
    if (call.ended()) return;
    Engine& engine = call.engine;
    SceneCells& scene = engine.world.scene;
    if (mode == 0) {
        scene.currentRoom = v;
        if (scene.playerVehicle != 0 &&
            engine.world.objectFlag(vehicleTravelsFlag, scene.playerVehicle))
            setLocation(engine, scene.playerVehicle, v, 0);
        else
            scene.playerVehicle = 0;
    } else {
        scene.playerVehicle = v;
        scene.currentRoom = engine.world.objects[v].holder;
    }
    engine.world.selectRoomRecord();
    dispatchAction(engine, describeRoomAction);
}

void setClock(ScriptCall& call) {
    const int32_t hours = call.operand();
    const int32_t minutes = call.operand();
    if (call.ended()) return;
    call.engine.world.byteVariables[clockHoursVariable] = static_cast<uint8_t>(hours);
    call.engine.world.byteVariables[clockMinutesVariable] = static_cast<uint8_t>(minutes);
}

void advanceClockBy(ScriptCall& call) {
    const int32_t hours = call.operand();
    const int32_t minutes = call.operand();
    if (!call.ended()) advanceClock(call.engine, hours, minutes);
}

void endGameWon(ScriptCall& call) {
    endGame(call, 1);
}

void endGameLost(ScriptCall& call) {
    endGame(call, 2);
}

void needTouch(ScriptCall& call) {
    const auto object = static_cast<uint8_t>(call.operand());
    if (!call.ended() && !canTouch(call.engine, object)) call.stop();
}

void needCarried(ScriptCall& call) {
    const auto object = static_cast<uint8_t>(call.operand());
    if (!call.ended() && !isCarried(call.engine, object)) call.stop();
}

} // namespace rux::instructions
