// rux: plays a story in the terminal, full-screen, or line by line with
// --plain (and whenever standard input or output is not a terminal).

#include "term/curses_player.h"
#include "term/plain_player.h"
#include "term/player_options.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

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
        return kExitUsage;
    }
    const PlayerOptions& options = parsed.options;
    if (options.plain || !isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        return runPlainPlayer(options, std::cin, std::cout, std::cerr);
    return runCursesPlayer(options);
}
