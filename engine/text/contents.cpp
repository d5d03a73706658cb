#include "engine/text/contents.h"

#include "engine/engine.h"
#include "engine/script/interpreter.h"
#include "engine/text/formatter.h"
#include "engine/text/lists.h"

#include <optional>

namespace rux {

namespace {

// The holder's text for the relation: slot relation + 2, inherited along
// the base chain while the slot is empty. None when no object has it.
std::optional<TextRef> contentsText(const World& world, uint8_t holder, uint8_t relation) {
    const int slot = relation + 2;
    if (slot >= objectTextSlots) return std::nullopt;
    uint8_t object = holder;
    for (int step = 0; step < objectSlots && object != 0; ++step) {
        const TextRef ref = world.objects[object].textSlots[slot];
        if (ref.variant != 0) return ref;
        object = world.objects[object].base;
    }
    return std::nullopt;
}

} // namespace

void describeContents(Engine& engine, uint8_t holder, uint8_t relation, bool always) {
    World& world = engine.world;
    ObjectSet candidates;
    for (int b = 1; b <= world.counts.portableCount; ++b) {
        const ObjectRecord& object = world.objects[b];
        if (object.holder != holder || object.relation != relation) continue;
        if (world.objectFlag(4, static_cast<uint8_t>(b)) ||
            world.objectFlag(5, static_cast<uint8_t>(b)))
            continue;
        if (engine.lists.listedSet.contains(static_cast<uint8_t>(b))) continue;
        candidates.insert(static_cast<uint8_t>(b));
    }
    const bool any = !candidates.empty();
    if (any) {
        listObjects(engine, candidates, 0);
    } else {
        engine.text.phraseText = "nichts";
        world.byteVariables[1] = 0;
    }
    world.scene.relatedObject = holder;
    if (!always && !any) {
        world.byteVariables[12] = 1;
        return;
    }
    world.scene.phraseObject = holder;
    if (const auto text = contentsText(world, holder, relation)) {
        if (text->mark == 0) {
            if (const NumberedCode* routine = world.findTextRoutine(text->variant))
                runScript(engine, routine->script);
        } else {
            printMessage(engine, text->mark, text->variant);
        }
    } else {
        printMessage(engine, 0, static_cast<uint8_t>(113 + relation));
    }
}

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
