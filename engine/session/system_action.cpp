#include "engine/session/system_action.h"

#include "engine/engine.h"
#include "engine/script/cell_names.h"
#include "engine/script/dispatch_action.h"
#include "engine/script/interpreter.h"
#include "engine/session/standard_actions.h"

namespace rux {

namespace {

void runRecordScript(Engine& engine) {
    if (const ActionRecord* record = currentActionRecord(engine)) runScript(engine, record->script);
}

} // namespace

void systemAction(Engine& engine) {
    World& world = engine.world;
    auto& vars = world.byteVariables;
    if (vars[abortFlagVariable] != 0) return;

    const uint8_t action = world.command.action;
    const bool standard = action >= 1 && action <= standardActionCount;
    if (standard) {
        runScript(engine, world.actionHooks[action]);
        if (vars[abortFlagVariable] != 0) return;
    }

    if (hasBuiltInPart(action))
        performBuiltInPart(engine);
    else
        runRecordScript(engine);

    if (action <= standardActionCount) vars[abortFlagVariable] = vars[notCarriedOutVariable];
    // The built-in part succeeded: the story's own script for the action
    // follows. For an action without a built-in part this is its second run.
    if (vars[notCarriedOutVariable] == 0 && standard && vars[gameEndCodeVariable] == 0)
        runRecordScript(engine);
}

} // namespace rux
