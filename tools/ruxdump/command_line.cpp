#include "tools/ruxdump/command_line.h"

namespace ruxdump {

namespace {

// A whole decimal number in first..last, or none.
std::optional<int> number(std::string_view text, int first, int last) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < first || value > last) return std::nullopt;
    return value;
}

std::optional<std::pair<uint8_t, uint8_t>> textSelection(std::string_view arg) {
    const std::size_t colon = arg.find(':');
    const auto mark = number(arg.substr(0, colon), 0, 255);
    if (!mark) return std::nullopt;
    int variant = 0;
    if (colon != std::string_view::npos) {
        const auto v = number(arg.substr(colon + 1), 1, 255);
        if (!v) return std::nullopt;
        variant = *v;
    }
    return std::make_pair(static_cast<uint8_t>(*mark), static_cast<uint8_t>(variant));
}

} // namespace

std::string usageText() {
    return "usage: ruxdump STORY.vux\n"
           "       ruxdump --code STORY.vux   (the byte code of every script)\n"
           "       ruxdump --text MARK[:VARIANT] [--width N] STORY.vux   (a text as the player "
           "sees it)\n"
           "       ruxdump --run N [--width N] STORY.vux   (run routine N; answers come from "
           "standard input)\n";
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
            } else if (arg == "--text") {
                if (i + 1 >= args.size() || !(options.text = textSelection(args[i + 1]))) {
                    problem = "--text needs MARK or MARK:VARIANT (mark 0..255, variant 1..255)";
                    return std::nullopt;
                }
                ++i;
            } else if (arg == "--run") {
                const auto routine =
                    i + 1 < args.size() ? number(args[i + 1], 1, 255) : std::nullopt;
                if (!routine) {
                    problem = "--run needs a routine number from 1 to 255";
                    return std::nullopt;
                }
                options.routine = static_cast<uint8_t>(*routine);
                ++i;
            } else if (arg == "--width") {
                const auto width =
                    i + 1 < args.size() ? number(args[i + 1], 1, 10000) : std::nullopt;
                if (!width) {
                    problem = "--width needs a number from 1 to 10000";
                    return std::nullopt;
                }
                options.width = *width;
                ++i;
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
