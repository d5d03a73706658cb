// The conditions of condition lists: what each condition code asks.

#include "engine/engine.h"
#include "engine/script/instruction_table.h"
#include "engine/script/object_tree.h"
#include "engine/script/random.h"
#include "engine/script/script_call.h"

#include <algorithm>

namespace rux {

namespace {

uint8_t asObject(int32_t value) {
    return static_cast<uint8_t>(value);
}
bool isByteNumber(int32_t value) {
    return value >= 0 && value <= 255;
}

bool located(Engine& engine, int32_t object, uint8_t relation, int32_t holder) {
    switch (relation) {
    case relationVisible: return isVisible(engine, asObject(object));
    case relationVisibleFromRoom: return isVisibleFromRoom(engine, asObject(object));
    default: return isAt(engine, asObject(object), asObject(holder), relation);
    }
}

// Whether `kind` occurs on the base chain of the object, the final 0
// included. A chain that runs in a circle (a damaged story) ends after as
// many steps as there are objects.
bool hasBase(const World& world, int32_t object, uint8_t kind) {
    uint8_t base = world.objects[asObject(object)].base;
    for (int step = 0; step <= objectSlots; ++step) {
        if (base == kind) return true;
        if (base == 0) return false;
        base = world.objects[base].base;
    }
    return false;
}

// The base of the last room record with this number, or of the last room
// record of all when no room has it.
bool roomHasBase(const World& world, int32_t room, uint8_t base) {
    if (world.rooms.empty()) return false;
    const RoomRecord* found = &world.rooms.back();
    for (const RoomRecord& record : world.rooms)
        if (record.id == room) found = &record;
    return found->base == base;
}

bool hasProperty(const World& world, int32_t object, uint8_t property) {
    const ObjectRecord& record = world.objects[asObject(object)];
    const int count = std::min<int>(record.propertyCount, maxObjectProperties);
    return std::find(record.propertyIds.begin(), record.propertyIds.begin() + count, property) !=
           record.propertyIds.begin() + count;
}

} // namespace

bool evaluateCondition(ScriptCall& call) {
    Engine& engine = call.engine;
    World& world = engine.world;
    const uint8_t code = call.byte();
    const bool negated = (code & conditionNegated) != 0;
    bool holds = false;
    switch (code & ~conditionNegated) {
    case comparison::code: {
        const int32_t a = call.operand();
        const uint8_t relation = call.byte();
        holds = comparison::holds(a, relation, call.operand());
        break;
    }
    case 2: {
        const int32_t object = call.operand();
        const uint8_t relation = call.byte();
        const int32_t holder = call.operand(); // evaluated for every relation
        holds = !call.ended() && located(engine, object, relation, holder);
        break;
    }
    case 3: {
        const int32_t object = call.operand();
        holds = world.objects[asObject(object)].state == call.byte();
        break;
    }
    case 4: {
        const int32_t object = call.operand();
        const uint8_t flag = call.byte();
        holds = isByteNumber(object) && world.objectFlag(flag, asObject(object));
        break;
    }
    case 5: holds = call.operand() > 0; break;
    case 6: {
        const int32_t percent = call.operand();
        holds = !call.ended() && percent > random(engine, 100);
        break;
    }
    case 7: {
        const int32_t room = call.operand();
        const uint8_t flag = call.byte();
        holds = isByteNumber(room) && world.roomFlag(flag, asObject(room));
        break;
    }
    case 8: {
        const int32_t object = call.operand();
        holds = hasBase(world, object, call.byte());
        break;
    }
    case 9: {
        const int32_t room = call.operand();
        holds = roomHasBase(world, room, call.byte());
        break;
    }
    case 10: {
        const ObjectRecord& a = world.objects[asObject(call.operand())];
        const ObjectRecord& b = world.objects[asObject(call.operand())];
        holds = a.holder == b.holder && a.relation == b.relation;
        break;
    }
    case 11: {
        const uint8_t a = outermostHolder(engine, asObject(call.operand()));
        holds = a == outermostHolder(engine, asObject(call.operand()));
        break;
    }
    case 12: {
        const int32_t action = call.operand();
        holds = isByteNumber(action) && world.tailSets[2].contains(asObject(action));
        break;
    }
    case 13: {
        const int32_t object = call.operand();
        holds = hasProperty(world, object, call.byte());
        break;
    }
    case 14: {
        const int32_t room = call.operand();
        holds = !call.ended() && isDarkRoom(engine, asObject(room));
        break;
    }
    case 15: holds = call.operand() > world.counts.portableCount; break;
    case 16:
    case 17:
        call.operand();
        call.operand();
        holds = true;
        break;
    default: break; // undefined conditions take no operands and do not hold
    }
    return holds != negated;
}

} // namespace rux
