#pragma once
// The one object that owns all engine state. Every test builds a fresh one;
// nothing in the engine lives outside it.

#include <string>

#include "engine/host.h"
#include "engine/world/world.h"

namespace rux {

class Engine {
public:
    explicit Engine(Host& host) : host(host) {}
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Host& host;
    World world;
    std::string storyFileName;  // the story to load next; cleared once loaded
};

}  // namespace rux
