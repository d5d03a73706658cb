#pragma once
// Shared by the fuzz targets that play the demo adventure: the story is
// parsed once per process, and every input plays a fresh game on a fresh
// engine, so that no input sees what an earlier one left behind.

#include "engine/engine.h"
#include "engine/world/world.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace rux::fuzz {

// Answers key questions from a queue the input fills, then with Escape,
// which ends every question. File choices are cancelled: the fuzzers touch
// no files unless they mean to.
class FuzzHost : public Host {
  public:
    std::deque<int> keys;
    int readKey() override {
        if (keys.empty()) return 27;
        const int key = keys.front();
        keys.pop_front();
        return key;
    }
};

// The demo adventure as the build compiled it, parsed once.
const World& demoWorld();

// A fresh engine with the demo started, as a front end starts it but with a
// fixed random seed, so that an input replays the same way. Hand it to
// recycle (fresh_engine.h) when done.
std::unique_ptr<Engine> startDemo(Host& host);

// The input split at line feeds, each line as a front end hands it to the
// engine: printable Windows-1252 bytes only, at most 1024 of them.
std::vector<std::string> commandLines(std::span<const uint8_t> bytes);

// A typed line through the engine as the terminal player enters it; false
// once the game asked the program to end.
bool playLine(Engine& engine, const std::string& line);

} // namespace rux::fuzz
