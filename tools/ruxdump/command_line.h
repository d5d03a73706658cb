#pragma once
// The command line of ruxdump. New options go into DumpOptions, the usage
// text and the one loop of parseCommandLine.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ruxdump {

struct DumpOptions {
    std::string storyPath;
    bool help = false;
    bool code = false; // list the byte code of every script instead
    // --text MARK[:VARIANT]: print a text mark through the formatter
    // (variant 0: every variant of the mark).
    std::optional<std::pair<uint8_t, uint8_t>> text;
    std::optional<uint8_t> routine; // --run N: run routine N and print its output
    int width = 80;                 // --width N: wrap width of printed texts
};

// The usage text, one line per form.
std::string usageText();

// The options, or none with `problem` saying what is wrong. Arguments are
// the command-line words after the program name.
std::optional<DumpOptions> parseCommandLine(const std::vector<std::string_view>& args,
                                            std::string& problem);

} // namespace ruxdump
