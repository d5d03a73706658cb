#include "engine/text/status_line.h"

#include "engine/engine.h"
#include "engine/script/clock.h"
#include "engine/script/object_tree.h"
#include "engine/text/capture.h"
#include "engine/text/formatter.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"

namespace rux {

namespace {

std::string roomTitle(Engine& engine) {
    if (engine.world.currentRoomRecordPtr() == nullptr) return "R.U.X. - Rux-Spielwerk";
    if (isDark(engine)) return "Im Dunkeln";
    return roomTitlePlace(engine) + roomTitlePosition(engine);
}

std::string openExits(Engine& engine) {
    const World& w = engine.world;
    const RoomRecord* room = w.currentRoomRecordPtr();
    if (room == nullptr || isDark(engine)) return "";
    std::string text;
    for (int d = 1; d <= w.counts.directionCount; ++d) {
        const int exit = room->exits[d];
        const bool toRoom = exit >= 1 && exit <= w.counts.roomCount;
        const bool toRoutine =
            exit > w.counts.exitMessageCount && exit <= w.counts.exitRoutineCount;
        if (!toRoom && !toRoutine) continue;
        if (!text.empty()) text += ", ";
        text += w.directionNames[d].longName;
    }
    return text;
}

} // namespace

std::string roomTitlePlace(const Engine& engine) {
    const SceneCells& scene = engine.world.scene;
    if (scene.enclosure != 0) return "In " + objectCode('b', scene.enclosure, 2);
    const RoomRecord* room = engine.world.currentRoomRecordPtr();
    return room ? room->name : std::string();
}

std::string roomTitlePosition(const Engine& engine) {
    const SceneCells& scene = engine.world.scene;
    if (scene.playerVehicle == 0 || scene.playerVehicle == scene.enclosure) return "";
    return " (/i " + objectCode('b', scene.playerVehicle, 2) + ")";
}

std::string statusField(Engine& engine, int kind) {
    const World& w = engine.world;
    CaptureScope capture(engine);
    switch (kind) {
    case 1: formatText(engine, roomTitle(engine)); break;
    case 2: formatText(engine, std::to_string(w.scene.turnCounter)); break;
    case 3: formatText(engine, std::to_string(score(engine))); break;
    case 4:
        formatText(engine,
                   std::to_string(score(engine)) + "//" + std::to_string(w.scene.turnCounter));
        break;
    case 5: formatText(engine, ClockText(engine).view()); break;
    case 6: formatText(engine, openExits(engine)); break;
    case 7: printMessage(engine, w.messageVariables[1].mark, w.messageVariables[1].variant); break;
    default: break;
    }
    return capture.text();
}

void updateStatusLine(Engine& engine) {
    if (engine.world.byteVariables[20] == 0) return;
    for (int position = 1; position <= 3; ++position)
        engine.text.statusTexts[position] =
            statusField(engine, engine.world.byteVariables[21 + position]);
}

} // namespace rux
