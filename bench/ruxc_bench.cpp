// Compiling the demo story with the standard library: from the files, as
// ruxc runs at build time, and from sources already in memory.

#include "storykit/story_writer.h"
#include "tools/ruxc/compiler.h"

#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace {

const std::string demoPath = std::string(RUX_STORIES_DIR) + "/demo/demo.vxs";

void BM_CompileDemoFromFiles(benchmark::State& state) {
    for (auto _ : state) {
        ruxc::CompileResult result = ruxc::compileStory(demoPath, ruxc::readSourceFile);
        std::vector<uint8_t> bytes = rux::storykit::writeStory(result.story);
        benchmark::DoNotOptimize(bytes);
        if (!result.diagnostics.empty()) state.SkipWithError("the demo does not compile");
    }
}
BENCHMARK(BM_CompileDemoFromFiles)->Unit(benchmark::kMillisecond);

void BM_CompileDemoInMemory(benchmark::State& state) {
    std::map<std::string, std::string> files;
    ruxc::SourceLoader remember = [&files](const std::string& path) {
        std::optional<std::string> text = ruxc::readSourceFile(path);
        if (text) files[path] = *text;
        return text;
    };
    ruxc::compileStory(demoPath, remember);
    const ruxc::SourceLoader fromMemory = [&files](const std::string& path) {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    for (auto _ : state) {
        ruxc::CompileResult result = ruxc::compileStory(demoPath, fromMemory);
        std::vector<uint8_t> bytes = rux::storykit::writeStory(result.story);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_CompileDemoInMemory)->Unit(benchmark::kMillisecond);

} // namespace
