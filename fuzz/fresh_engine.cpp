#include "fuzz/fresh_engine.h"

#include <utility>

namespace rux::fuzz {

namespace {

World& spareWorld() {
    static World spare;
    return spare;
}

} // namespace

std::unique_ptr<Engine> freshEngine(Host& host) {
    return std::make_unique<Engine>(host, std::move(spareWorld()));
}

void recycle(std::unique_ptr<Engine> engine) {
    if (engine) spareWorld() = std::move(engine->world);
}

} // namespace rux::fuzz
