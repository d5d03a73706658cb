#include "engine/script/room_description.h"

#include "engine/engine.h"
#include "engine/script/listings.h"
#include "engine/script/object_texts.h"
#include "engine/script/object_tree.h"
#include "engine/script/cell_names.h"
#include "engine/text/formatter.h"
#include "engine/text/lists.h"
#include "engine/text/output.h"
#include "engine/text/status_line.h"

namespace rux {

namespace {

constexpr uint8_t headingStyleVariable = 19;
constexpr uint8_t descriptionModeVariable = 25;
constexpr uint8_t listStyleVariable = 27;

constexpr uint8_t personFlag = 1;
constexpr uint8_t neverListedFlag = 5;
constexpr uint8_t takenFlag = 17;
constexpr uint8_t keepsRoomTextFlag = 19;
constexpr uint8_t visitedRoomFlag = 2;
constexpr uint8_t alwaysFullRoomFlag = 3;

constexpr int roomTextSlot = 1;
constexpr int insideTextSlot = 7;

bool briefDescription(const Engine& engine) {
    const World& world = engine.world;
    const uint8_t mode = world.byteVariables[descriptionModeVariable];
    if (mode >= 2) return true;
    const uint8_t room = world.scene.currentRoom;
    return world.roomFlag(visitedRoomFlag, room) && !world.roomFlag(alwaysFullRoomFlag, room) &&
           !engine.turn.lookCommand && mode != 1;
}

// The description of the room, or of the first room along its base chain
// that has one. A base that names no room, or a chain that comes back to a
// room already passed, ends the search.
void describeRoomText(Engine& engine) {
    World& world = engine.world;
    SceneCells& scene = world.scene;
    scene.scriptRoom = scene.currentRoom;
    const RoomRecord* room = world.currentRoomRecordPtr();
    ObjectSet passed;
    TextRef text;
    while (room != nullptr && !passed.contains(room->id)) {
        passed.insert(room->id);
        text = room->description;
        if (text.variant != 0 || room->base == 0) break;
        scene.currentRoom = room->base;
        world.selectRoomRecord();
        room = world.currentRoomRecordPtr();
    }
    if (text.variant != 0) {
        showText(engine, text);
        paragraphBreak(engine);
    }
    scene.currentRoom = scene.scriptRoom;
    world.selectRoomRecord();
    engine.parser.markedRoom = scene.currentRoom;
}

void describeFully(Engine& engine, const std::string& heading) {
    World& world = engine.world;
    const uint8_t headingStyle = world.byteVariables[headingStyleVariable];
    if ((headingStyle & 0xFC) == 0) {
        formatText(engine, heading);
        if (headingStyle & 2)
            paragraphBreak(engine);
        else
            lineBreak(engine);
    }
    const uint8_t enclosure = world.scene.enclosure;
    if (enclosure != 0) {
        world.scene.relatedObject = enclosure;
        const TextRef text = objectText(engine, enclosure, insideTextSlot);
        if (text.mark != 0 || text.variant != 0)
            printMessage(engine, text.mark, text.variant);
        else
            printMessage(engine, 0, 111);
        paragraphBreak(engine);
    } else {
        describeRoomText(engine);
    }
}

// Objects with a room text of their own, each in a paragraph with its
// contents. Returns how many were described.
int describeObjectsWithTexts(Engine& engine) {
    World& world = engine.world;
    int count = 0;
    for (int o = 1; o <= world.counts.portableCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        const TextRef text = objectText(engine, object, roomTextSlot);
        if (!isVisible(engine, object) || outermostHolder(engine, object) == 0 || text.variant == 0)
            continue;
        if (world.objectFlag(takenFlag, object) && !world.objectFlag(keepsRoomTextFlag, object))
            continue;
        if (world.objectFlag(personFlag, object) || object == world.scene.enclosure) continue;
        world.scene.phraseObject = object;
        showText(engine, text);
        engine.lists.listedSet.insert(object);
        ++count;
        listContents(engine, object, count);
        paragraphBreak(engine);
    }
    return count;
}

void listLooseObjects(Engine& engine, uint8_t holder, int describedCount) {
    World& world = engine.world;
    const uint8_t enclosure = world.scene.enclosure;
    ObjectSet loose;
    for (int o = 1; o <= world.counts.portableCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        const ObjectRecord& record = world.objects[object];
        if (world.objectFlag(personFlag, object) || world.objectFlag(neverListedFlag, object))
            continue;
        const bool here = enclosure == 0 ? record.holder == holder && record.relation == 0
                                         : record.holder == enclosure && record.relation == 2;
        if (here && isVisible(engine, object)) loose.insert(object);
    }
    engine.text.phraseText = listObjects(engine, loose, 0);
    if (world.byteVariables[itemCountVariable] == 0) return;
    printMessage(engine, 0, describedCount == 0 ? 113 : 118);
    paragraphBreak(engine);
}

void listAllContents(Engine& engine) {
    World& world = engine.world;
    int count = 0;
    for (int o = 1; o <= world.counts.portableCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        if (world.objectFlag(personFlag, object)) continue;
        if (isVisible(engine, object) && outermostHolder(engine, object) != 0)
            listContents(engine, object, count);
    }
    if (count != 0) paragraphBreak(engine);
}

void describePersons(Engine& engine) {
    World& world = engine.world;
    int count = 0;
    for (int o = 1; o <= world.counts.fixedCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        const ObjectRecord& record = world.objects[object];
        if (!world.objectFlag(personFlag, object) || record.holder != world.scene.currentRoom ||
            record.relation != 0 || !isVisible(engine, object))
            continue;
        world.scene.relatedObject = object;
        engine.lists.listedSet.insert(object);
        const TextRef text = objectText(engine, object, roomTextSlot);
        if (text.variant != 0)
            showText(engine, text);
        else
            printMessage(engine, 0, 112);
        listContents(engine, object, count);
        paragraphBreak(engine);
    }
}

} // namespace

std::string roomTitle(const Engine& engine) {
    return roomTitlePlace(engine);
}

std::string vehicleSuffix(const Engine& engine) {
    return roomTitlePosition(engine);
}

void describeRoom(Engine& engine, uint8_t holder) {
    World& world = engine.world;
    world.selectRoomRecord();
    world.byteVariables[listStyleVariable] = 0;
    if (isDark(engine)) {
        printMessage(engine, 0, 110);
        engine.lists.listedSet.clear();
        return;
    }
    const bool bold = world.byteVariables[headingStyleVariable] & 1;
    const std::string heading = std::string(bold ? "/f" : "") + roomTitle(engine) +
                                (bold ? "/n" : "") + vehicleSuffix(engine);
    if (briefDescription(engine))
        formatText(engine, heading + "/#");
    else
        describeFully(engine, heading);

    engine.lists.listedSet.clear();
    const int described = describeObjectsWithTexts(engine);
    listLooseObjects(engine, holder, described);
    listAllContents(engine);
    const SceneCells& scene = world.scene;
    if (scene.playerVehicle != 0 && scene.playerVehicle != scene.enclosure)
        printMessage(engine, 0, 119);
    describePersons(engine);
    engine.lists.listedSet.clear();
}

} // namespace rux
