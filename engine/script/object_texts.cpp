#include "engine/script/object_texts.h"

#include "engine/engine.h"
#include "engine/script/interpreter.h"
#include "engine/text/formatter.h"

namespace rux {

TextRef objectText(Engine& engine, uint8_t object, int slot) {
    World& world = engine.world;
    world.scene.phraseObject = object;
    if (slot < 0 || slot >= objectTextSlots) return {};
    TextRef text = world.objects[object].textSlots[slot];
    // A base chain that loops is followed no further than there are objects.
    uint8_t x = object;
    for (int steps = 0; text.variant == 0 && steps < objectSlots; ++steps) {
        x = world.objects[x].base;
        if (x == 0) break;
        text = world.objects[x].textSlots[slot];
    }
    return text;
}

void showText(Engine& engine, TextRef text) {
    if (text.mark != 0) {
        printMessage(engine, text.mark, text.variant);
        return;
    }
    const std::vector<NumberedCode>& routines = engine.world.textRoutines;
    if (text.variant >= 1 && text.variant <= routines.size())
        runScript(engine, routines[text.variant - 1].script);
}

}  // namespace rux
