// Instructions that reach the player and the session: the single-key
// questions, quitting, the paging prompt and clearing the screen.

#include "engine/engine.h"
#include "engine/script/command_instructions.h"
#include "engine/script/script_call.h"
#include "engine/session/questions.h"
#include "engine/session/transcript.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"

namespace rux::instructions {

void askYesNoInstruction(ScriptCall& call) {
    const Destination d = call.destination();
    if (!call.ended()) call.assign(d, askYesNo(call.engine) ? 1 : 0);
}

void askChoiceInstruction(ScriptCall& call) {
    const Destination d = call.destination();
    const std::string letters = call.text();
    if (!call.ended()) call.assign(d, askChoice(call.engine, letters));
}

// The engine never ends the process itself: it closes the transcript, notes
// the request and hands it to the front end, then stops all running code.
void quit(ScriptCall& call) {
    Engine& engine = call.engine;
    closeTranscript(engine);
    engine.machine.quitRequested = true;
    engine.host.quit();
    call.stop();
}

// The input line is the front end's: it is hidden while code runs, so there
// is nothing of it to clear here.
void morePrompt(ScriptCall& call) {
    Engine& engine = call.engine;
    startPaging(engine, kPagingPrompt);
    engine.output.linesSincePrompt = 0;
}

void clearFromBottom(ScriptCall& call) {
    clearScreen(call.engine, ScreenStart::Bottom);
}

void clearFromTop(ScriptCall& call) {
    clearScreen(call.engine, ScreenStart::Top);
}

} // namespace rux::instructions
