#pragma once
// What both front ends of the terminal player do with the engine: start it
// on the story from the command line and hand it the player's commands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rux {
class Engine;
}

namespace rux::term {

// Longest command taken from the player, in bytes; the rest is cut off.
inline constexpr std::size_t kMaxCommandLength = 1024;

// Starting a story, in this order: initialise the engine (seeding its
// random numbers when a seed is given); the front end then sets its layout;
// read the command line, which returns false when it names no story to load
// (the engine has warned through the host); load the story, which starts
// the game and throws FatalError on a faulty file.
void initialiseEngine(Engine& engine, std::optional<uint64_t> seed);
bool storyNamed(Engine& engine, const std::vector<std::string>& arguments);
void loadNamedStory(Engine& engine);

// A typed line (UTF-8) as the engine takes it: Windows-1252, control
// characters gone (a tab becomes a space), at most kMaxCommandLength bytes.
std::string commandFromUtf8(std::string_view typed);

// Enter on a non-empty command (Windows-1252): the paging count starts
// again, the command is echoed in the input style and the turn runs.
void enterCommand(Engine& engine, const std::string& command);

// The story asked the program to end.
bool quitRequested(const Engine& engine);

// A display line as the player reads it: style and control bytes removed.
std::string visibleText(std::string_view line);

} // namespace rux::term
