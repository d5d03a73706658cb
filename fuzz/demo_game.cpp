#include "fuzz/demo_game.h"

#include "engine/fatal_error.h"
#include "engine/script/random.h"
#include "engine/world/engine_start.h"
#include "engine/world/loader.h"
#include "fuzz/fresh_engine.h"
#include "term/game_session.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace rux::fuzz {

namespace {

World parseDemo() {
    std::ifstream in(RUX_DEMO_STORY, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    try {
        return parseStory(bytes, "demo.vux");
    } catch (const FatalError& error) {
        std::fprintf(stderr, "the demo story %s does not load: %s\n", RUX_DEMO_STORY, error.what());
        std::abort();
    }
}

} // namespace

const World& demoWorld() {
    static const World world = parseDemo();
    return world;
}

std::unique_ptr<Engine> startDemo(Host& host) {
    auto engine = freshEngine(host);
    initEngine(*engine);
    seedRandom(*engine, 1);
    installWorld(*engine, demoWorld());
    startGame(*engine);
    return engine;
}

std::vector<std::string> commandLines(std::span<const uint8_t> bytes) {
    std::vector<std::string> lines(1);
    for (const uint8_t byte : bytes) {
        if (byte == '\n') {
            lines.emplace_back();
        } else if (byte >= 32 && lines.back().size() < term::kMaxCommandLength) {
            lines.back().push_back(static_cast<char>(byte));
        } else if (byte == '\t' && lines.back().size() < term::kMaxCommandLength) {
            lines.back().push_back(' ');
        }
    }
    return lines;
}

bool playLine(Engine& engine, const std::string& line) {
    if (line.empty()) return true; // the front ends send no empty command
    term::enterCommand(engine, line);
    return !term::quitRequested(engine);
}

} // namespace rux::fuzz
