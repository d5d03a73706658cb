#include "engine/script/reach_checks.h"

#include "engine/engine.h"
#include "engine/script/object_tree.h"

namespace rux {

namespace {

bool fail(Engine& engine, uint8_t code) {
    engine.world.byteVariables[parseErrorVariable] = code;
    return false;
}

} // namespace

bool canTouch(Engine& engine, uint8_t object) {
    engine.parser.testedObject = object;
    if (object == 0) return true;
    if (!isVisible(engine, object)) return fail(engine, reachError::notVisible);
    World& world = engine.world;
    switch (reachClass(engine, object)) {
    case 0: return true;
    case 1:
        world.scene.relatedObject = world.objects[object].holder;
        return fail(engine, reachError::heldByHolder);
    case 3: return fail(engine, reachError::fixedInPlace);
    case 2:
    case 4:
    case 5:
        return fail(engine, world.scene.playerVehicle != 0 ? reachError::outOfReachFromVehicle
                                                           : reachError::outOfReach);
    default: return false;
    }
}

bool isCarried(Engine& engine, uint8_t object) {
    if (object == 0) return true;
    if (object < 251 && engine.world.objects[object].holder == 0) return true;
    engine.parser.testedObject = object;
    return fail(engine, reachError::notCarried);
}

} // namespace rux
