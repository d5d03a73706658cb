// Instructions that read the exits of rooms: where an exit leads, and which
// direction leads to a given place.

#include "engine/engine.h"
#include "engine/script/script_call.h"
#include "engine/script/world_instructions.h"

#include <algorithm>

namespace rux::instructions {

namespace {

// The last room record with this number, or the last record of all when no
// room has it (the same choice as the room-base condition); none only when
// the story has no rooms.
const RoomRecord* roomRecordFor(const World& world, int32_t room) {
    if (world.rooms.empty()) return nullptr;
    const RoomRecord* found = &world.rooms.back();
    for (const RoomRecord& record : world.rooms)
        if (record.id == room) found = &record;
    return found;
}

int directionsOf(const World& world) {
    return std::min<int>(world.counts.directionCount, maxDirections);
}

} // namespace

// d := the room that exit x of room r leads to; 0 when r is no room, x is
// no direction, or the exit is a message, a routine or closed.
void exitOf(ScriptCall& call) {
    const Destination cell = call.destination();
    const int32_t room = call.operand();
    const int32_t direction = call.operand();
    if (call.ended()) return;
    const World& world = call.engine.world;
    const int32_t roomCount = world.counts.roomCount;
    int32_t exit = 0;
    if (room >= 1 && room <= roomCount && direction >= 1 && direction <= directionsOf(world)) {
        if (const RoomRecord* record = roomRecordFor(world, room)) {
            const int32_t target = record->exits[static_cast<std::size_t>(direction)];
            if (target >= 1 && target <= roomCount) exit = target;
        }
    }
    call.assign(cell, exit);
}

// d := the first direction whose exit from room a is b, 0 if none. Both
// operands are read with the value type of d; their own type bytes are
// skipped, as the compiled code expects.
void findDirection(ScriptCall& call) {
    const uint8_t* p = call.take(6);
    if (!p) return;
    const Destination cell{p[0], p[1]};
    const uint8_t roomIndex = p[3];
    const uint8_t wantedIndex = p[5];
    const int32_t room = call.valueOf({cell.type, roomIndex});
    const int32_t wanted = call.valueOf({cell.type, wantedIndex});
    const World& world = call.engine.world;
    int32_t found = 0;
    if (const RoomRecord* record = roomRecordFor(world, room)) {
        for (int i = 1; i <= directionsOf(world); ++i) {
            if (record->exits[static_cast<std::size_t>(i)] == wanted) {
                found = i;
                break;
            }
        }
    }
    call.assign(cell, found);
}

} // namespace rux::instructions
