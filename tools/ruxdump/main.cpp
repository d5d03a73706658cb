// ruxdump: prints a readable listing of a ".vux" story file.

#include "engine/script/disassembler.h"
#include "tools/ruxdump/command_line.h"
#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/preview.h"
#include "tools/ruxdump/story_dump.h"
#include "tools/ruxdump/story_file.h"

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int exitLoadFailed = 1;
constexpr int exitUsage = 2;

int run(const ruxdump::DumpOptions& options) {
    // The world is large (code and text areas); it lives on the heap.
    std::unique_ptr<rux::World> world;
    try {
        world = std::make_unique<rux::World>(ruxdump::readStoryFile(options.storyPath));
    } catch (const rux::FatalError& error) {
        ruxdump::reportLoadFailure(error, std::cout, std::cerr);
        return exitLoadFailed;
    }
    if (options.text) {
        ruxdump::PreviewOptions preview;
        preview.width = options.width;
        const auto [mark, variant] = *options.text;
        const bool found =
            ruxdump::previewText(std::move(*world), mark, variant, preview, std::cout);
        std::cout.flush();
        return found && std::cout ? 0 : exitLoadFailed;
    }
    if (options.routine) {
        ruxdump::PreviewOptions preview;
        preview.width = options.width;
        const bool found = ruxdump::previewRoutine(std::move(*world), *options.routine, preview,
                                                   std::cin, std::cout);
        std::cout.flush();
        return found && std::cout ? 0 : exitLoadFailed;
    }
    if (options.code) {
        for (const std::string& line : rux::disassembleStory(*world))
            std::cout << ruxdump::shown(line) << '\n';
    } else {
        ruxdump::dumpStory(*world, std::cout);
    }
    std::cout.flush();
    return std::cout ? 0 : exitLoadFailed;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string problem;
    const auto options = ruxdump::parseCommandLine(args, problem);
    if (!options) {
        std::cerr << "ruxdump: " << problem << '\n' << ruxdump::usageText();
        return exitUsage;
    }
    if (options->help) {
        std::cout << ruxdump::usageText();
        return 0;
    }
    try {
        return run(*options);
    } catch (const std::exception& error) {
        std::cerr << "ruxdump: " << error.what() << '\n';
        return exitLoadFailed;
    }
}
