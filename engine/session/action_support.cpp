#include "engine/session/action_support.h"

#include <algorithm>

#include "engine/script/object_tree.h"
#include "engine/text/formatter.h"

namespace rux::actions {

void fail(Engine& engine, uint8_t message) {
    byteVariable(engine, notCarriedOutVariable) = 1;
    printMessage(engine, 0, message);
}

void succeed(Engine& engine, uint8_t reply) {
    byteVariable(engine, notCarriedOutVariable) = 0;
    engine.machine.pendingMessage = {0, reply};
}

bool namesSeveralObjects(const Engine& engine) {
    return engine.parser.command.objectListCount != 0;
}

void addToVariable(Engine& engine, uint8_t n, int amount) {
    uint8_t& variable = byteVariable(engine, n);
    variable = static_cast<uint8_t>(std::clamp(variable + amount, 0, 255));
}

bool isInsideOf(const Engine& engine, uint8_t inner, uint8_t outer) {
    // A holder chain that loops is followed no further than there are objects.
    uint8_t x = inner;
    for (int steps = 0; steps < objectSlots; ++steps) {
        x = parentOf(engine, x);
        if (x == 0) return false;
        if (x == outer) return true;
    }
    return false;
}

void setPlayerVehicle(Engine& engine, uint8_t vehicle) {
    engine.world.scene.playerVehicle = vehicle;
    engine.world.objectFlags[playerChainFlag].clear();
    if (vehicle != 0) markNeighbours(engine, vehicle);
}

}  // namespace rux::actions
