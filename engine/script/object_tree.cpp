#include "engine/script/object_tree.h"

#include "engine/engine.h"
#include "engine/script/arithmetic.h"

#include <algorithm>
#include <bit>

namespace rux {

namespace {

// Holder and base chains come from the story file and from scripts, so they
// may loop. Every walk along a chain stops after this many links; a sound
// story never has a chain longer than the 256 object numbers.
constexpr int chainLimit = 256;

constexpr uint8_t relationLoose = 0;
constexpr uint8_t relationWorn = 1;
constexpr uint8_t relationIn = 2;
constexpr uint8_t relationHiddenUnder = 5;
constexpr uint8_t relationHiddenBehind = 6;

constexpr uint8_t stateClosed = 3;
constexpr uint8_t stateLocked = 4;
constexpr uint8_t stateSwitchedOff = 6;

constexpr uint8_t roomFlagDark = 1;
constexpr uint8_t objectFlagOutOfReach = 3;
constexpr uint8_t objectFlagLight = 7;
constexpr uint8_t objectFlagEnclosing = 11;
constexpr uint8_t objectFlagTransparent = 14;
constexpr uint8_t objectFlagPlayerChain = 20;

bool isShut(const ObjectRecord& object) {
    return object.state == stateClosed || object.state == stateLocked;
}

} // namespace

uint8_t parentOf(const Engine& engine, uint8_t object) {
    const ObjectRecord& record = engine.world.objects[object];
    if (record.relation == relationLoose) return 0;
    if (record.relation == relationWorn && record.holder == 0) return 0;
    return record.holder;
}

// In a holder cycle the walk ends, after chainLimit links, at an object of
// the cycle, which then counts as the outermost one.
uint8_t outermostObject(const Engine& engine, uint8_t object) {
    for (int step = 0; step < chainLimit; ++step) {
        const uint8_t parent = parentOf(engine, object);
        if (parent == 0) return object;
        object = parent;
    }
    return object;
}

uint8_t outermostHolder(const Engine& engine, uint8_t object) {
    const uint8_t top = outermostObject(engine, object);
    return top == 0 ? 0 : engine.world.objects[top].holder;
}

bool isAt(const Engine& engine, uint8_t object, uint8_t holder, uint8_t relation) {
    const ObjectRecord& record = engine.world.objects[object];
    return record.holder == holder && record.relation == relation;
}

void setLocation(Engine& engine, uint8_t object, uint8_t holder, uint8_t relation) {
    ObjectRecord& record = engine.world.objects[object];
    record.holder = holder;
    record.relation = relation;
}

// Walks from the object up through its holders until one of them settles the
// question. An object whose holder chain loops is not visible.
bool isVisible(Engine& engine, uint8_t object) {
    const World& world = engine.world;
    const ScopeState& scope = engine.scope;
    for (int step = 0; step < chainLimit; ++step) {
        if (scope.hiddenThisTurn.contains(object)) return false;
        if (scope.seenThisTurn.contains(object) || scope.touchableThisTurn.contains(object))
            return true;
        if (object >= firstPseudoObject) return object <= 251; // the player is always there
        const ObjectRecord& record = world.objects[object];
        const uint8_t holder = record.holder;
        const uint8_t relation = record.relation;
        if (holder == 0 || object == world.scene.enclosure) return true;
        if (relation == relationLoose)
            return holder == world.scene.currentRoom && world.scene.enclosure == 0 &&
                   !isDark(engine);
        const bool shutIn = relation == relationIn && isShut(world.objects[holder]);
        if ((relation == relationWorn || shutIn) &&
            !world.objectFlag(objectFlagTransparent, holder) && holder != world.scene.enclosure)
            return false;
        if (relation == relationHiddenUnder || relation == relationHiddenBehind) return false;
        object = holder;
    }
    return false;
}

bool isVisibleFromRoom(Engine& engine, uint8_t object) {
    if (object >= firstPseudoObject) return false;
    World& world = engine.world;
    const uint8_t room = outermostHolder(engine, object);
    const RoomRecord* record = world.currentRoomRecordPtr();
    if (room == 0 || record == nullptr) return false;
    const int directions = std::min<int>(world.counts.directionCount, maxDirections);
    const auto exitsBegin = record->exits.begin() + 1;
    if (std::find(exitsBegin, exitsBegin + directions, room) == exitsBegin + directions)
        return false;
    // Look from the neighbouring room, then put the player back exactly.
    const uint8_t savedRoom = world.scene.currentRoom;
    const int savedRecord = world.currentRoomRecord;
    world.scene.currentRoom = room;
    world.selectRoomRecord();
    const bool visible = isVisible(engine, object);
    world.scene.currentRoom = savedRoom;
    world.currentRoomRecord = savedRecord;
    return visible;
}

bool visibleInDark(Engine& engine, uint8_t object) {
    bool visible = isVisible(engine, object);
    if (visible && engine.world.objects[object].holder != 0 && isDark(engine))
        visible = engine.scope.seenThisTurn.contains(object) ||
                  engine.scope.touchableThisTurn.contains(object);
    return visible;
}

// An object whose holder chain loops cannot be reached (5).
int reachClass(Engine& engine, uint8_t object) {
    const World& world = engine.world;
    const ScopeState& scope = engine.scope;
    for (int step = 0; step < chainLimit; ++step) {
        if (world.objectFlag(objectFlagPlayerChain, object) ||
            scope.untouchableThisTurn.contains(object))
            return 5;
        if (scope.touchableThisTurn.contains(object) || object > firstPseudoObject) return 0;
        if (world.objectFlag(objectFlagOutOfReach, object))
            return object > world.counts.fixedCount ? 3 : 4;
        const ObjectRecord& record = world.objects[object];
        if (record.relation == relationLoose || record.holder == 0) return 0;
        if (record.relation == relationIn && isShut(world.objects[record.holder])) return 2;
        if (record.relation == relationWorn) return 1;
        object = record.holder;
    }
    return 5;
}

// A holder chain that loops without reaching a closed container leaves the
// player in no enclosure.
void computeEnclosure(Engine& engine, uint8_t object) {
    World& world = engine.world;
    for (int step = 0; step < chainLimit && object != 0; ++step) {
        const ObjectRecord& record = world.objects[object];
        if (world.objectFlag(objectFlagEnclosing, object) && isShut(record)) {
            world.scene.enclosure = object;
            return;
        }
        if (record.relation == relationLoose || object > lastStoryObject) break;
        object = record.holder;
    }
    world.scene.enclosure = 0;
}

// The walk stops at the player (holder 0), who is not an object, and after
// chainLimit links in a looping chain.
void markNeighbours(Engine& engine, uint8_t object) {
    World& world = engine.world;
    ObjectSet& chain = world.objectFlags[objectFlagPlayerChain];
    for (int step = 0; step < chainLimit; ++step) {
        const ObjectRecord& record = world.objects[object];
        for (int b = 1; b <= world.counts.fixedCount; ++b) {
            const ObjectRecord& other = world.objects[b];
            if (b != object && other.holder == record.holder && other.relation == record.relation)
                chain.insert(static_cast<uint8_t>(b));
        }
        if (record.relation == relationLoose || record.holder == 0) return;
        chain.insert(record.holder);
        object = record.holder;
    }
}

uint8_t uniqueVisibleItem(Engine& engine, uint8_t flag) {
    const World& world = engine.world;
    uint8_t found = 0;
    for (int b = 1; b <= world.counts.portableCount; ++b) {
        const auto item = static_cast<uint8_t>(b);
        if (!world.objectFlag(flag, item) || !isVisible(engine, item)) continue;
        if (found != 0) return 0;
        found = item;
    }
    return found;
}

// Every portable object counts once if its chain of holders leads to the
// object through portable objects that are in, on or attached to each other
// (relation not 0). Walking up from each item instead of down from the
// object keeps a looping chain from counting anything twice or forever: the
// object itself never counts towards its own contents.
int weightInside(const Engine& engine, uint8_t object) {
    const World& world = engine.world;
    const int portables = world.counts.portableCount;
    int total = 0;
    for (int b = 1; b <= portables; ++b) {
        if (b == object) continue;
        int link = b;
        for (int step = 0; step < chainLimit; ++step) {
            const ObjectRecord& record = world.objects[link];
            if (record.relation == relationLoose) break;
            if (record.holder == object) {
                total += world.objects[b].weight;
                break;
            }
            link = record.holder;
            if (link < 1 || link > portables || link == b) break;
        }
    }
    return total;
}

bool isDark(Engine& engine) {
    // Visibility asks about darkness and darkness about the visibility of
    // light sources; the nested question answers "not dark".
    if (engine.scope.darknessTestRunning) return false;
    engine.scope.darknessTestRunning = true;
    const World& world = engine.world;
    bool dark = world.roomFlag(roomFlagDark, world.scene.currentRoom);
    if (world.scene.enclosure != 0) dark = world.objectFlag(objectFlagLight, world.scene.enclosure);
    // Only the members of the light flag among the counted objects can light
    // the place; walking the set's bits skips all other objects at once.
    const std::array<uint8_t, 32>& lights = world.objectFlags[objectFlagLight].bytes();
    for (int group = 0; dark && group < 32; ++group) {
        for (unsigned bits = lights[group]; dark && bits != 0; bits &= bits - 1) {
            const int b = group * 8 + std::countr_zero(bits);
            if (b < 1 || b > world.counts.fixedCount) continue;
            const auto light = static_cast<uint8_t>(b);
            if (world.objects[light].state != stateSwitchedOff && isVisible(engine, light))
                dark = false;
        }
    }
    engine.scope.darknessTestRunning = false;
    return dark;
}

bool isDarkRoom(Engine& engine, uint8_t room) {
    SceneCells& scene = engine.world.scene;
    const uint8_t savedRoom = scene.currentRoom;
    const uint8_t savedEnclosure = scene.enclosure;
    scene.currentRoom = room;
    scene.enclosure = 0;
    const bool dark = isDark(engine);
    scene.currentRoom = savedRoom;
    scene.enclosure = savedEnclosure;
    return dark;
}

int32_t score(const Engine& engine) {
    const World& world = engine.world;
    // A story or a saved game may set the base near the largest number;
    // the sum wraps like all script arithmetic.
    int32_t total = world.scene.scoreBase;
    for (int i = 1; i <= world.counts.scoreSlotCount; ++i)
        total = arithmetic::plus(total, world.scoreSlots[i]);
    for (int i = 1; i <= world.counts.portableCount; ++i)
        total = arithmetic::plus(total, world.portablePoints[i]);
    for (int i = 1; i <= world.counts.roomCount; ++i)
        total = arithmetic::plus(total, world.roomPoints[i]);
    return total;
}

void clearScopeSets(Engine& engine) {
    ScopeState& scope = engine.scope;
    scope.seenThisTurn.clear();
    scope.touchableThisTurn.clear();
    scope.hiddenThisTurn.clear();
    scope.untouchableThisTurn.clear();
}

} // namespace rux
