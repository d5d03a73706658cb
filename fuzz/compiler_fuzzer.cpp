// Any text as a story source for ruxc. It may include the standard library
// and the demo (the files under stories/, kept in memory after the first
// read); nothing else is read. Compiling ends in a story or in diagnostics,
// never in a crash or a hang; a story the compiler accepts is written and
// must load in the player.

#include "engine/fatal_error.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"
#include "tools/ruxc/compiler.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path storiesDir = fs::path(RUX_STORIES_DIR).lexically_normal();
const std::string mainFile = (storiesDir / "fuzz" / "main.vxs").string();

// The files of stories/ by their normal path; every other name reads as
// missing, so that an input never reaches the rest of the file system.
std::optional<std::string> storyFile(const std::string& path) {
    static std::map<std::string, std::optional<std::string>> cache;
    const fs::path normal = fs::path(path).lexically_normal();
    const auto [inside, _] =
        std::mismatch(storiesDir.begin(), storiesDir.end(), normal.begin(), normal.end());
    if (inside != storiesDir.end() || normal.extension() != ".vxs") return std::nullopt;
    const auto found = cache.find(normal.string());
    if (found != cache.end()) return found->second;
    std::optional<std::string> text;
    if (fs::is_regular_file(normal)) text = ruxc::readSourceFile(normal.string());
    return cache[normal.string()] = text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const std::string source(reinterpret_cast<const char*>(data), size);
    const ruxc::CompileResult result =
        ruxc::compileStory(mainFile, [&source](const std::string& path) {
            if (path == mainFile) return std::optional<std::string>(source);
            return storyFile(path);
        });
    if (!result.diagnostics.empty()) return 0;
    std::vector<uint8_t> bytes;
    try {
        bytes = rux::storykit::writeStory(result.story);
    } catch (const rux::storykit::StoryWriteError&) {
        return 0; // ruxc reports what exceeds the file format
    }
    try {
        rux::parseStory(bytes, "fuzz.vux");
    } catch (const rux::FatalError& error) {
        std::fprintf(stderr, "a compiled story does not load: %s\n", error.what());
        std::abort();
    }
    return 0;
}
