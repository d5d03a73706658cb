#include "term/game_session.h"

#include "engine/engine.h"
#include "engine/script/random.h"
#include "engine/script/turn_driver.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "engine/world/engine_start.h"
#include "engine/world/loader.h"

namespace rux::term {

void initialiseEngine(Engine& engine, std::optional<uint64_t> seed) {
    initEngine(engine);
    if (seed) seedRandom(engine, *seed);
}

bool storyNamed(Engine& engine, const std::vector<std::string>& arguments) {
    readCommandLine(engine, arguments);
    return !engine.storyFileName.empty();
}

void loadNamedStory(Engine& engine) {
    loadStory(engine);
}

std::string commandFromUtf8(std::string_view typed) {
    std::string command;
    for (char c : utf8ToCp1252(typed)) {
        if (command.size() == kMaxCommandLength) break;
        if (c == '\t') c = ' ';
        if (static_cast<unsigned char>(c) >= 32) command.push_back(c);
    }
    return command;
}

void enterCommand(Engine& engine, const std::string& command) {
    engine.output.linesSincePrompt = 1;
    outputText(engine, "\x03" + command + "\x01");
    outputText(engine, "\n");
    processCommandLine(engine, command);
}

bool quitRequested(const Engine& engine) {
    return engine.machine.quitRequested;
}

std::string visibleText(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 32) text.push_back(c);
    return text;
}

} // namespace rux::term
