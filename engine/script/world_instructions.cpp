// Instructions that place objects, set states and flags, choose at random
// and ask about the object tree.

#include "engine/script/world_instructions.h"

#include "engine/engine.h"
#include "engine/script/arithmetic.h"
#include "engine/script/object_tree.h"
#include "engine/script/random.h"
#include "engine/script/script_call.h"

namespace rux::instructions {

namespace {

constexpr uint8_t givenToPlayerFlag = 17; // objects handed to the player by code

uint8_t asObject(int32_t value) {
    return static_cast<uint8_t>(value);
}

// Value types whose values are rooms: their numbers go to room flags.
bool isRoomType(uint8_t type) {
    return type == 8 || type == 9 || type == 31 || type == 32;
}

// Instructions 13 and 14: (type, index) names the object or room, then the
// flag's number; numbers outside 0..255 change nothing.
void setFlag(ScriptCall& call, bool on) {
    const uint8_t* p = call.take(3);
    if (!p) return;
    const uint8_t type = p[0];
    const uint8_t flag = p[2];
    const int32_t x = call.valueAt(p);
    if (x < 0 || x > 255) return;
    World& world = call.engine.world;
    if (isRoomType(type))
        world.setRoomFlag(flag, asObject(x), on);
    else
        world.setObjectFlag(flag, asObject(x), on);
}

// d := f(o) for the object tree queries with operands D d, O o.
template <typename Query> void storeQuery(ScriptCall& call, Query query) {
    const uint8_t* p = call.take(4);
    if (!p) return;
    const Destination cell{p[0], p[1]};
    const uint8_t object = asObject(call.valueAt(p + 2));
    call.assign(cell, query(call.engine, object));
}

} // namespace

void place(ScriptCall& call) {
    const int32_t object = call.operand();
    const uint8_t relation = call.byte();
    const int32_t holder = call.operand();
    if (call.ended()) return;
    setLocation(call.engine, asObject(object), asObject(holder), relation);
    if (asObject(holder) == 0)
        call.engine.world.setObjectFlag(givenToPlayerFlag, asObject(object), true);
}

void setState(ScriptCall& call) {
    const int32_t object = call.operand();
    const uint8_t state = call.byte();
    if (!call.ended()) call.engine.world.objects[asObject(object)].state = state;
}

void randomValue(ScriptCall& call) {
    const Destination cell = call.destination();
    const int32_t low = call.operand();
    const int32_t high = call.operand();
    if (call.ended()) return;
    const int32_t span = arithmetic::plus(arithmetic::minus(high, low), 1);
    call.assign(cell, arithmetic::plus(low, random(call.engine, span)));
}

void flagOn(ScriptCall& call) {
    setFlag(call, true);
}

void flagOff(ScriptCall& call) {
    setFlag(call, false);
}

// Only the chosen operand is evaluated, so its side effects (a computed
// value) happen once; the others are only skipped.
void choose(ScriptCall& call) {
    const Destination cell = call.destination();
    const uint8_t count = call.byte();
    if (call.ended() || count == 0) return;
    const int32_t chosen = random(call.engine, count) + 1;
    int32_t value = 0;
    for (int i = 1; i <= count; ++i) {
        if (i == chosen)
            value = call.operand();
        else
            call.skipOperand();
    }
    if (!call.ended()) call.assign(cell, value);
}

void swap(ScriptCall& call) {
    const int32_t a = call.operand();
    const int32_t b = call.operand();
    if (call.ended()) return;
    ObjectRecord& first = call.engine.world.objects[asObject(a)];
    ObjectRecord& second = call.engine.world.objects[asObject(b)];
    std::swap(first.holder, second.holder);
    std::swap(first.relation, second.relation);
}

void parent(ScriptCall& call) {
    storeQuery(call, [](Engine& e, uint8_t o) { return int32_t{parentOf(e, o)}; });
}

void outerHolder(ScriptCall& call) {
    storeQuery(call, [](Engine& e, uint8_t o) { return int32_t{outermostHolder(e, o)}; });
}

void outerObject(ScriptCall& call) {
    storeQuery(call, [](Engine& e, uint8_t o) { return int32_t{outermostObject(e, o)}; });
}

void uniqueItem(ScriptCall& call) {
    const uint8_t flag = call.byte();
    const Destination cell = call.destination();
    if (!call.ended()) call.assign(cell, uniqueVisibleItem(call.engine, flag));
}

// The portable objects placed in or on (any relation but loose) the holder.
void countInside(ScriptCall& call) {
    storeQuery(call, [](Engine& e, uint8_t holder) {
        int32_t count = 0;
        for (int o = 1; o <= e.world.counts.portableCount; ++o) {
            const ObjectRecord& record = e.world.objects[o];
            if (record.holder == holder && record.relation > 0) ++count;
        }
        return count;
    });
}

void weightInsideOf(ScriptCall& call) {
    storeQuery(call, [](Engine& e, uint8_t o) { return int32_t{weightInside(e, o)}; });
}

} // namespace rux::instructions
