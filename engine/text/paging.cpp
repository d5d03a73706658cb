#include "engine/text/paging.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/text/codepage.h"

namespace rux {

namespace {

constexpr int kEscape = 27;

// Letter keys as the key question compares them: capitals, with the umlauts
// of Windows-1252 raised as well.
int upperCaseKey(int key) {
    if (key >= 'a' && key <= 'z') return key - ('a' - 'A');
    switch (key) {
    case 0xE4: return 0xC4; // ä
    case 0xF6: return 0xD6; // ö
    case 0xFC: return 0xDC; // ü
    default: return key;
    }
}

void waitForPagingKey(Engine& engine) {
    OutputBuffer& out = engine.output;
    if (engine.host.pagingPrompt() == PagingAnswer::Enter)
        out.linesSincePrompt = 1; // the next prompt after almost a screenful
    else
        out.linesSincePrompt = out.visibleLines - 1; // the next prompt after one more line
}

// The umlauts are raised before the range test, so that a lower-case ä, ö
// or ü answers like its capital.
void waitForAnswerKey(Engine& engine) {
    OutputBuffer& out = engine.output;
    for (;;) {
        const int key = upperCaseKey(engine.host.readKey());
        if (key == kEscape) {
            out.answerKey = kEscape;
            break;
        }
        if (key < 32 || key > 224 || !out.allowedKeys.contains(static_cast<uint8_t>(key))) {
            engine.host.beep();
            continue;
        }
        out.answerKey = static_cast<uint8_t>(key);
        break;
    }
    out.linesSincePrompt = 1;
}

// Closes the input mode however the wait ends, a fatal error included.
struct InputModeScope {
    explicit InputModeScope(OutputBuffer& out, int mode) : out(out) {
        out.inputMode = static_cast<uint8_t>(mode);
    }
    ~InputModeScope() { out.inputMode = kNoInput; }
    OutputBuffer& out;
};

} // namespace

void startPaging(Engine& engine, int mode) {
    if (mode != kPagingPrompt && mode != kKeyQuestion)
        throw FatalError(utf8ToCp1252("Fatal: Ungültiger Eingabemodus!"));
    InputModeScope scope(engine.output, mode);
    if (mode == kPagingPrompt)
        waitForPagingKey(engine);
    else
        waitForAnswerKey(engine);
}

uint8_t askKey(Engine& engine, const ObjectSet& allowedKeys) {
    engine.output.allowedKeys = allowedKeys;
    startPaging(engine, kKeyQuestion);
    return engine.output.answerKey;
}

} // namespace rux
