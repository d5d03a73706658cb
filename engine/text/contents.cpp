#include "engine/text/contents.h"

#include "engine/engine.h"
#include "engine/text/formatter.h"
#include "engine/text/lists.h"

namespace rux {

void spillContents(Engine& engine, uint8_t relation, bool announce) {
    World& world = engine.world;
    engine.lists.listedSet.clear();
    beginList(engine);
    const uint8_t container = world.command.object1;
    const ObjectRecord& from = world.objects[container];
    bool moved = false;
    // Without a first object there is no holder to empty (holder 0 would
    // mean the player's own belongings).
    for (int b = 1; container != 0 && b <= world.counts.fixedCount; ++b) {
        ObjectRecord& object = world.objects[b];
        if (b == container || object.holder != container || object.relation != relation) continue;
        object.holder = from.holder;
        object.relation = from.relation;
        listAddIndefinite(engine, static_cast<uint8_t>(b));
        moved = true;
    }
    endList(engine, " und ");
    if (moved)
        printMessage(engine, 0, 192);
    else if (announce)
        printMessage(engine, 0, 191);
}

} // namespace rux
