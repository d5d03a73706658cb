#include "engine/session/system_commands.h"

#include "engine/engine.h"
#include "engine/script/arithmetic.h"
#include "engine/script/clock.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/inventory.h"
#include "engine/script/room_description.h"
#include "engine/script/turn_driver.h"
#include "engine/session/action_support.h"
#include "engine/session/file_names.h"
#include "engine/session/questions.h"
#include "engine/session/saved_games.h"
#include "engine/session/undo.h"
#include "engine/text/formatter.h"
#include "engine/world/engine_start.h"

namespace rux::actions {

namespace {

constexpr uint8_t lookAction = 10;
constexpr uint8_t scoreMessagesOff = 4;
constexpr uint8_t scoreMessagesOn = 8;

bool gameRuns(Engine& engine) {
    return byteVariable(engine, gameEndCodeVariable) == 0;
}

// Asks a yes/no question after the message, unless the game has ended
// already: then nothing is asked and the answer is yes.
bool confirmed(Engine& engine, uint8_t message) {
    if (!gameRuns(engine)) return true;
    printMessage(engine, 0, message);
    return askYesNo(engine);
}

std::optional<std::string> chooseSavedGame(Engine& engine, FileChoice kind) {
    std::optional<std::string> name = engine.host.chooseFile(kind, "");
    if (!name || name->empty()) {
        formatText(engine, "Vorgang abgebrochen./#");
        return std::nullopt;
    }
    return defaultExtension(*name, savedGameExtension);
}

} // namespace

void look(Engine& engine) {
    describeRoom(engine, engine.world.scene.currentRoom);
}

void inventory(Engine& engine) {
    showInventory(engine);
}

void quit(Engine& engine) {
    if (confirmed(engine, 200)) quitProgram(engine);
}

void restart(Engine& engine) {
    if (confirmed(engine, 201)) restartGame(engine);
}

void restore(Engine& engine) {
    const std::optional<std::string> fileName = chooseSavedGame(engine, FileChoice::RestoreGame);
    if (!fileName) return;
    if (!restoreGame(engine, *fileName) || byteVariable(engine, parseErrorVariable) != 0) return;
    freeUndo(engine);
    dispatchAction(engine, lookAction);
    engine.world.scene.turnCounter = arithmetic::plus(engine.world.scene.turnCounter, 1);
    advanceClock(engine, 0, 1);
}

void save(Engine& engine) {
    const std::optional<std::string> fileName = chooseSavedGame(engine, FileChoice::SaveGame);
    if (fileName) saveGame(engine, *fileName);
}

void scoreMessages(Engine& engine) {
    uint8_t choice = engine.world.command.particle;
    uint8_t& setting = byteVariable(engine, scoreMessagesVariable);
    if (choice == 0) choice = setting == 1 ? scoreMessagesOff : scoreMessagesOn;
    if (choice == scoreMessagesOff) {
        printMessage(engine, 0, 204);
        setting = 0;
    } else {
        printMessage(engine, 0, 205);
        setting = 1;
    }
}

void undo(Engine& engine) {
    if (hasUndo(engine))
        undoTurn(engine);
    else
        printMessage(engine, 0, 207);
}

void footnote(Engine& engine) {
    if (engine.world.command.object1 != typedNumberObject) return printMessage(engine, 0, 211);
    int32_t n = engine.parser.typedNumber;
    if (n < 0 || n > 255) n = 0;
    if (n >= 1 && n <= engine.text.footnoteCount)
        printMessage(engine, 255, engine.text.footnoteTable[static_cast<std::size_t>(n)]);
    else
        printMessage(engine, 0, 212);
}

} // namespace rux::actions
