// A saved game for the demo adventure: either the input as the whole file,
// or (first byte even) the input as the state image, framed with the
// story's label, its counts and check bytes that fit, so that the fuzzed
// image passes the check and is played on. A few turns after the restore
// walk the restored world. Nothing a file holds may crash the player,
// hang it or make it read or write out of bounds.

#include "engine/fatal_error.h"
#include "engine/session/saved_games.h"
#include "engine/session/state_image.h"
#include "fuzz/demo_game.h"
#include "fuzz/fresh_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The saved game a player would have written, with `image` as its state.
std::vector<uint8_t> framedImage(std::span<const uint8_t> image) {
    rux::fuzz::FuzzHost host;
    auto scratch = rux::fuzz::startDemo(host);
    const rux::World& world = scratch->world;
    const std::string label = world.storyLabel.substr(0, 20);
    std::vector<uint8_t> file(label.begin(), label.end());
    const rux::HeaderCounts& c = world.counts;
    file.insert(file.end(), {c.scoreSlotCount, c.roomCount, c.portableCount, c.byteVariableCount,
                             c.longVariableCount});
    std::vector<uint8_t> state(rux::computeStateSize(*scratch), 0);
    std::copy_n(image.begin(), std::min(image.size(), state.size()), state.begin());
    rux::readStateImage(*scratch,
                        std::span<const uint8_t>(state.data(), rux::computeUsedSize(*scratch)));
    file.insert(file.end(), state.begin(), state.end());
    const auto check = rux::checkValue(*scratch);
    file.insert(file.end(), check.begin(), check.end());
    rux::fuzz::recycle(std::move(scratch));
    return file;
}

// The saved game of the current input, in memory-backed storage; removed
// when the process ends.
struct SavedGameFile {
    std::string path = "/dev/shm/rux-restore-fuzz-" + std::to_string(::getpid()) + ".sav";
    ~SavedGameFile() { std::remove(path.c_str()); }
};

const std::string& savedGamePath() {
    static const SavedGameFile file;
    return file.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0 || size > 8192) return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    const std::vector<uint8_t> file =
        data[0] % 2 == 0 ? framedImage(rest) : std::vector<uint8_t>(rest.begin(), rest.end());
    {
        std::ofstream out(savedGamePath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
    }
    rux::fuzz::FuzzHost host;
    auto engine = rux::fuzz::startDemo(host);
    try {
        rux::restoreGame(*engine, savedGamePath());
        // Commands in Windows-1252, as the engine reads them.
        for (const char* command :
             {"schau", "inventar", "nimm alles", "lies den brief", "n", "leg alles ab",
              "zur\xfc"
              "ck",
              "neustart"})
            if (!rux::fuzz::playLine(*engine, command)) break;
    } catch (const rux::FatalError& error) {
        std::fprintf(stderr, "fatal error after a restore: %s\n", error.what());
        std::abort();
    }
    rux::fuzz::recycle(std::move(engine));
    return 0;
}
