// Typed lines against the demo adventure: the first line of an input gives
// the keys that answer the game's key questions (one byte each), every
// further line is a command. Several lines a run reach the parser's
// questions back and the answers to them, undo, restart and the end of the
// game. Every line ends in the prompt or in the game's end, never in a
// crash, a hang or an access out of bounds.

#include "engine/fatal_error.h"
#include "fuzz/demo_game.h"
#include "fuzz/fresh_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Longer inputs only play more turns of the same kinds.
    if (size > 4096) return 0;
    const auto lines = rux::fuzz::commandLines(std::span<const uint8_t>(data, size));
    rux::fuzz::FuzzHost host;
    for (const char key : lines.front())
        host.keys.push_back(static_cast<unsigned char>(key));
    auto engine = rux::fuzz::startDemo(host);
    try {
        for (std::size_t i = 1; i < lines.size(); ++i)
            if (!rux::fuzz::playLine(*engine, lines[i])) break;
    } catch (const rux::FatalError& error) {
        // Nothing typed may bring a sound story to a fatal error.
        std::fprintf(stderr, "fatal error: %s\n", error.what());
        std::abort();
    }
    rux::fuzz::recycle(std::move(engine));
    return 0;
}
