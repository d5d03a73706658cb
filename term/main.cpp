// rux: plays a story in the terminal, full-screen, or line by line with
// --plain (and whenever standard input or output is not a terminal).

#include "term/curses_player.h"
#include "term/plain_player.h"
#include "term/player_options.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

// The demo story that comes with the player: installed beside the program,
// or in the build tree's stories folder. Empty when neither is there.
std::string bundledStory(const char* program) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", error);
    const std::filesystem::path folder =
        error ? std::filesystem::path(program).parent_path() : self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / "demo.vux", folder / ".." / "stories" / "demo.vux"}) {
        if (std::filesystem::is_regular_file(candidate, error))
            return std::filesystem::weakly_canonical(candidate, error).string();
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    using namespace rux::term;
    const ParsedCommandLine parsed =
        parsePlayerArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.kind == ParsedCommandLine::Kind::Help && parsed.error.empty()) {
        std::cout << usageText();
        return 0;
    }
    if (parsed.kind != ParsedCommandLine::Kind::Run) {
        std::cerr << parsed.error << "\n\n" << usageText();
        // Without a story the player offers the demo that comes with it.
        if (parsed.kind == ParsedCommandLine::Kind::Help) {
            const std::string demo = bundledStory(argv[0]);
            if (!demo.empty()) std::cerr << "\nDas mitgelieferte Spiel: rux " << demo << "\n";
        }
        return kExitUsage;
    }
    const PlayerOptions& options = parsed.options;
    if (options.plain || !isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        return runPlainPlayer(options, std::cin, std::cout, std::cerr);
    return runCursesPlayer(options);
}
