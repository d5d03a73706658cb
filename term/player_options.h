#pragma once
// The command line of the terminal player: the story, batch mode, the wrap
// width and the random seed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rux::term {

inline constexpr int kDefaultPlainWidth = 80;
inline constexpr int kMaxPlainWidth = 10000;

struct PlayerOptions {
    bool plain = false;                 // batch mode: standard input and output
    int width = kDefaultPlainWidth;     // wrap width of batch mode
    std::optional<uint64_t> seed;       // reproducible random numbers
    std::vector<std::string> arguments; // everything that is not an option: the story
};

// What the command line asks for: a run, the usage text, or an error
// (the text names the fault; the usage follows it).
struct ParsedCommandLine {
    enum class Kind { Run, Help, Error };
    Kind kind = Kind::Run;
    PlayerOptions options;
    std::string error;
};

// Reads the arguments after the program name. "--" ends the options.
ParsedCommandLine parsePlayerArguments(const std::vector<std::string>& arguments);

// The usage text, UTF-8, ending in a line feed.
std::string usageText();

} // namespace rux::term
