#include "engine/script/listings.h"

#include "engine/engine.h"
#include "engine/script/cell_names.h"
#include "engine/text/contents.h"
#include "engine/world/object_set.h"

namespace rux {

namespace {

constexpr uint8_t personFlag = 1;
constexpr uint8_t containerFlag = 11;
constexpr uint8_t surfaceFlag = 12;
constexpr uint8_t contentsShownFlag = 14;

bool isShut(const ObjectRecord& object) {
    return object.state == 3 || object.state == 4;
}

void describe(Engine& engine, uint8_t object, uint8_t relation, int& count) {
    describeContents(engine, object, relation, false);
    count += engine.world.byteVariables[itemCountVariable];
}

// `path` holds the objects being listed further up: a holder chain that
// loops back is not followed again.
void listContentsOnPath(Engine& engine, uint8_t object, int& count, ObjectSet& path) {
    World& world = engine.world;
    path.insert(object);
    world.byteVariables[itemCountVariable] = 0;
    const ObjectRecord& record = world.objects[object];
    if (world.objectFlag(contentsShownFlag, object) && world.objectFlag(personFlag, object))
        describe(engine, object, 1, count);
    if (world.objectFlag(containerFlag, object) &&
        (!isShut(record) || world.objectFlag(contentsShownFlag, object)))
        describe(engine, object, 2, count);
    if (world.objectFlag(surfaceFlag, object)) describe(engine, object, 3, count);
    describe(engine, object, 4, count);
    for (int b = 1; b <= world.counts.portableCount; ++b) {
        const auto inner = static_cast<uint8_t>(b);
        const ObjectRecord& item = world.objects[inner];
        if (item.holder != object || item.relation == 0) continue;
        if (item.relation == 2 && isShut(record)) continue;
        if (path.contains(inner)) continue;
        listContentsOnPath(engine, inner, count, path);
    }
    path.erase(object);
}

} // namespace

void listContents(Engine& engine, uint8_t object, int& count) {
    ObjectSet path;
    listContentsOnPath(engine, object, count, path);
}

} // namespace rux
