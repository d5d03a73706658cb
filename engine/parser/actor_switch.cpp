#include "engine/engine.h"
#include "engine/parser/command_steps.h"
#include "engine/script/object_tree.h"

namespace rux {

void switchActor(Engine& engine, uint8_t person) {
    SceneCells& scene = engine.world.scene;
    engine.parser.savedActor = {scene.currentRoom, scene.playerVehicle, scene.enclosure};
    const ObjectRecord& record = engine.world.objects[person];
    if (record.relation != 0) {
        scene.currentRoom = outermostHolder(engine, person);
        scene.playerVehicle = record.holder;
        computeEnclosure(engine, record.holder);
    } else {
        scene.currentRoom = record.holder;
        scene.playerVehicle = 0;
        scene.enclosure = 0;
    }
    engine.world.selectRoomRecord();
}

void restoreActor(Engine& engine) {
    SceneCells& scene = engine.world.scene;
    const SavedActor& saved = engine.parser.savedActor;
    scene.currentRoom = saved.currentRoom;
    scene.playerVehicle = saved.playerVehicle;
    scene.enclosure = saved.enclosure;
    engine.world.selectRoomRecord();
}

} // namespace rux
