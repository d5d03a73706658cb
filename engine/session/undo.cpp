#include "engine/session/undo.h"

#include "engine/engine.h"
#include "engine/script/dispatch_action.h"
#include "engine/session/state_image.h"
#include "engine/text/formatter.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"

namespace rux {

namespace {

constexpr uint8_t undoneMessage = 209; // names the undone command from the phrase buffer
constexpr uint8_t nothingToUndo = 207;
constexpr uint8_t describeRoomAction = 10;
constexpr uint8_t undoAction = 49;

int slotAfter(int slot) {
    return (slot + 1) % undoSlotCount;
}

} // namespace

void saveUndo(Engine& engine) {
    SaveState& saves = engine.saves;
    if (!saves.imagesTaken) return;
    // The new image takes the place before the newest one; with every place
    // taken, that is the oldest image's.
    saves.undoNewest = (saves.undoNewest + undoSlotCount - 1) % undoSlotCount;
    saves.undoImages[saves.undoNewest].assign(saves.fileImage.begin(), saves.fileImage.end());
    saves.undoObjects[saves.undoNewest] = saves.fileObjects;
    if (saves.undoCount < undoSlotCount) ++saves.undoCount;
}

void undoTurn(Engine& engine) {
    SaveState& saves = engine.saves;
    if (!hasUndo(engine)) {
        printMessage(engine, 0, nothingToUndo);
        return;
    }
    World& world = engine.world;
    const uint8_t roomBefore = world.scene.currentRoom;
    // The end image of the last turn brings back that turn's command, which
    // the message names with the objects kept beside the image.
    readStateImage(engine, saves.fileImage);
    const CommandSlots& c = world.command;
    const CommandObjects& undone = saves.fileObjects;
    engine.text.phraseText = commandPhrase(engine, c.action, undone.object1, undone.object2,
                                           undone.object3, c.direction, 0);

    StateImage& newest = saves.undoImages[saves.undoNewest];
    saves.fileImage.swap(newest);
    newest.clear();
    saves.fileObjects = saves.undoObjects[saves.undoNewest];
    saves.undoNewest = slotAfter(saves.undoNewest);
    --saves.undoCount;
    readStateImage(engine, saves.fileImage);

    printMessage(engine, 0, undoneMessage);
    if (world.scene.currentRoom != roomBefore) {
        paragraphBreak(engine);
        dispatchAction(engine, describeRoomAction);
    }
    world.command.action = undoAction;
    selectActionRecord(engine, undoAction);
}

void freeUndo(Engine& engine) {
    SaveState& saves = engine.saves;
    for (StateImage& image : saves.undoImages)
        image.clear();
    saves.undoCount = 0;
    saves.undoNewest = 0;
}

bool hasUndo(const Engine& engine) {
    return engine.saves.undoCount > 0;
}

} // namespace rux
