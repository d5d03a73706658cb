#pragma once
// Writes a Story as the bytes of a ".vux" file, counts included.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "storykit/story.h"

namespace rux::storykit {

// Thrown when a story cannot be written in the file format (a count above
// 255, a string longer than 255 bytes, a text line that starts with "[").
class StoryWriteError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

std::vector<uint8_t> writeStory(const Story& story);

// Writes the bytes to a file; throws StoryWriteError when that fails.
void writeStoryFile(const Story& story, const std::string& path);

// The writer's side of the string scrambling and the title character map.
std::string scramble(const std::string& plain);
std::string unmapHighCharacters(const std::string& windowsText);

}  // namespace rux::storykit
