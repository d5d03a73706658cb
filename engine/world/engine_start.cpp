#include "engine/world/engine_start.h"

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/script/cell_names.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/interpreter.h"
#include "engine/script/object_tree.h"
#include "engine/script/random.h"
#include "engine/script/turn_driver.h"
#include "engine/session/state_image.h"
#include "engine/session/undo.h"
#include "engine/text/output.h"

#include <chrono>

namespace rux {

namespace {

constexpr uint8_t statusLinesVariable = 20;
constexpr uint8_t visitedRoomFlag = 2;
constexpr uint8_t lookAction = 10;
constexpr uint8_t restartAction = 41;
constexpr uint8_t startRoutine = 1;

constexpr char versionBanner[] = "R.U.X.\nVersion 0.1 beta (23.11.2003)";
constexpr char surplusArgumentsWarning[] =
    "Warnung:\nAufrufparameter ignoriert:\nEinziger Parameter ist die Spieldatei.";

} // namespace

void initEngine(Engine& engine) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seedRandom(engine, static_cast<uint64_t>(now.count()));
    World& world = engine.world;
    world.objects[251].holder = 0;
    world.objects[251].relation = 0;
    clearScopeSets(engine);
    engine.scope.darknessTestRunning = false;
    engine.machine.callDepth = 0;
    engine.output.captureMode = false;
    engine.output.atParagraphStart = false;
    world.byteVariables[statusLinesVariable] = 2;
    engine.text.statusTexts[1].clear();
    engine.text.statusTexts[2] = versionBanner;
    engine.text.statusTexts[3].clear();
}

void readCommandLine(Engine& engine, const std::vector<std::string>& arguments) {
    engine.storyFileName.clear();
    if (arguments.size() == 1)
        engine.storyFileName = arguments.front();
    else if (arguments.size() > 1)
        engine.host.showMessage(surplusArgumentsWarning);
}

void startGame(Engine& engine) {
    World& world = engine.world;
    SceneCells& scene = world.scene;
    clearScreen(engine, ScreenStart::Bottom);
    engine.output.linesSincePrompt = 0;
    world.scoreSlots.fill(0);
    engine.text.footnoteTable.fill(0);
    engine.text.footnoteCount = 0;
    world.currentRoomRecord = -1;
    scene.playerVehicle = 0;
    scene.currentRoom = 1;
    world.selectRoomRecord();
    engine.parser.markedRoom = 0;
    world.byteVariables[parseErrorVariable] = 0;
    engine.machine.quitRequested = false;
    engine.turn.quitPending = false;
    engine.turn.lookCommand = false;
    engine.turn.gameStarts += 1;

    runRoutine(engine, startRoutine);
    applyDeferredMarks(engine);
    if (!world.roomFlag(visitedRoomFlag, scene.currentRoom)) dispatchAction(engine, lookAction);
    world.byteVariables[gameEndCodeVariable] = 0;
    endTurn(engine, TurnKind::GameStart);
    engine.saves.unsavedProgress = false;
    updateCarryingTotals(engine);
    engine.host.repaint();
}

void restartGame(Engine& engine) {
    freeUndo(engine);
    restoreInitialImage(engine);
    engine.machine.pendingMessage = {};
    // The initial image was taken before the first turn; a fresh start
    // begins with the turn counter below zero, so the first end of turn
    // brings it to 0 and prints the prompt.
    engine.world.scene.turnCounter = -1;
    engine.world.command.action = restartAction;
    startGame(engine);
}

} // namespace rux
