#include "tools/ruxdump/command_line.h"

namespace ruxdump {

std::string usageText() {
    return "usage: ruxdump STORY.vux\n"
           "       ruxdump --code STORY.vux   (the byte code of every script)\n";
}

std::optional<DumpOptions> parseCommandLine(const std::vector<std::string_view>& args,
                                            std::string& problem) {
    DumpOptions options;
    bool storyGiven = false;
    bool optionsEnded = false;
    // Index-based, so that an option with a value can take args[++i].
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--code") {
                options.code = true;
            } else if (arg == "-h" || arg == "--help") {
                options.help = true;
                return options;
            } else {
                problem = "unknown option " + std::string(arg);
                return std::nullopt;
            }
            continue;
        }
        if (storyGiven) {
            problem = "only one story file can be dumped";
            return std::nullopt;
        }
        options.storyPath = std::string(arg);
        storyGiven = true;
    }
    if (!storyGiven) {
        problem = "no story file given";
        return std::nullopt;
    }
    return options;
}

} // namespace ruxdump
