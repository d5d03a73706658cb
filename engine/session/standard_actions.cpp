#include "engine/session/standard_actions.h"

#include "engine/engine.h"
#include "engine/session/action_support.h"
#include "engine/session/movement_actions.h"
#include "engine/session/object_actions.h"
#include "engine/session/system_commands.h"
#include "engine/session/transcript.h"
#include "engine/text/formatter.h"

namespace rux {

namespace {

using actions::byteVariable;

void setDescriptionMode(Engine& engine, uint8_t mode, uint8_t message) {
    byteVariable(engine, actions::descriptionModeVariable) = mode;
    printMessage(engine, 0, message);
}

}  // namespace

bool hasBuiltInPart(uint8_t action) {
    if (action == 0 || action == 4 || action == 7 || action == 29) return false;
    if (action >= 34 && action <= 39) return false;
    return action <= 50;
}

void performBuiltInPart(Engine& engine) {
    using namespace actions;
    switch (engine.world.command.action) {
    case 1: go(engine); break;
    case 2: take(engine); break;
    case 3: takeFrom(engine); break;
    case 5: drop(engine); break;
    case 6: put(engine); break;
    case 8: examine(engine); break;
    case 9: read(engine); break;
    case 10: look(engine); break;
    case 11: inventory(engine); break;
    case 12: open(engine); break;
    case 13: close(engine); break;
    case 14: unlock(engine); break;
    case 15: lock(engine); break;
    case 16: unlockAndOpen(engine); break;
    case 17: switchOn(engine); break;
    case 18: switchOff(engine); break;
    case 19: wear(engine); break;
    case 20: takeOff(engine); break;
    case 21: adoptPosture(engine, 1, sitFlag); break;
    case 22: adoptPosture(engine, 3, lieFlag); break;
    case 23: adoptPosture(engine, 2, standFlag); break;
    case 24: getOn(engine); break;
    case 25: enter(engine); break;
    case 26: getOff(engine); break;
    case 27: standUp(engine); break;
    case 28: talkAbout(engine); break;
    case 30: lookIn(engine); break;
    case 31: lookOn(engine); break;
    case 32: lookUnderOrBehind(engine); break;
    case 33: printMessage(engine, 0, 195); break;
    case 40: quit(engine); break;
    case 41: restart(engine); break;
    case 42: restore(engine); break;
    case 43: save(engine); break;
    case 44: setDescriptionMode(engine, 0, 202); break;
    case 45: setDescriptionMode(engine, 1, 203); break;
    case 46: scoreMessages(engine); break;
    case 47: printMessage(engine, 0, 210); break;
    case 48: toggleTranscript(engine); break;
    case 49: undo(engine); break;
    case 50: footnote(engine); break;
    default: break;
    }
}

}  // namespace rux
