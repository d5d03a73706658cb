#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/script/object_tree.h"

#include <algorithm>

namespace rux {

namespace {

constexpr uint8_t mostWeightVariable = 5;
constexpr uint8_t largestVolumeVariable = 6;
constexpr uint8_t carriedCountVariable = 7;
constexpr uint8_t weightLeftVariable = 8;
constexpr uint8_t volumeLeftVariable = 9;
constexpr uint8_t relationWorn = 1;
constexpr uint8_t flagScenery = 5;
constexpr uint8_t flagSeen = 17;
constexpr uint8_t roomFlagVisited = 2;

} // namespace

void updateCarryingTotals(Engine& engine) {
    World& world = engine.world;
    auto& v = world.byteVariables;
    int carried = 0;
    int weightLeft = v[mostWeightVariable];
    int volumeLeft = v[largestVolumeVariable];
    for (int n = 1; n <= world.counts.portableCount; ++n) {
        const ObjectRecord& item = world.objects[n];
        if (item.holder != 0) continue;
        if (item.relation != relationWorn &&
            !world.objectFlag(flagScenery, static_cast<uint8_t>(n))) {
            volumeLeft -= item.volume;
            ++carried;
        }
        weightLeft -= item.weight + weightInside(engine, static_cast<uint8_t>(n));
    }
    // The totals are bytes; what is carried beyond the limits leaves nothing free.
    v[carriedCountVariable] = static_cast<uint8_t>(std::min(carried, 255));
    v[weightLeftVariable] = static_cast<uint8_t>(std::max(weightLeft, 0));
    v[volumeLeftVariable] = static_cast<uint8_t>(std::max(volumeLeft, 0));
    clearScopeSets(engine);
}

void applyDeferredMarks(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    if (p.markedObject != 0) world.objectFlags[flagSeen].insert(p.markedObject);
    if (p.markedRoom != 0) world.roomFlags[roomFlagVisited].insert(p.markedRoom);
    p.markedObject = 0;
    p.markedRoom = 0;
}

} // namespace rux