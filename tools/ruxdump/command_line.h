#pragma once
// The command line of ruxdump. New options go into DumpOptions, the usage
// text and the one loop of parseCommandLine.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruxdump {

struct DumpOptions {
    std::string storyPath;
    bool help = false;
    bool code = false; // list the byte code of every script instead
};

// The usage text, one line per form.
std::string usageText();

// The options, or none with `problem` saying what is wrong. Arguments are
// the command-line words after the program name.
std::optional<DumpOptions> parseCommandLine(const std::vector<std::string_view>& args,
                                            std::string& problem);

} // namespace ruxdump
