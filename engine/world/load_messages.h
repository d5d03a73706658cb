#pragma once
// The texts with which loading a story fails, in Windows-1252.

#include <string>
#include <string_view>

namespace rux::loadMessages {

std::string oldFormat();
std::string wrongFormat();
std::string wrongObjectNumber(int n);
// The two lines printed when a section of the text part is out of place.
std::string wrongSectionMarker(std::string_view expected);
std::string cannotOpen(const std::string& fileName);
std::string truncatedFile(const std::string& fileName);
std::string codeAreaFull();
std::string textAreaFull();
std::string beyondCapacity(std::string_view what, int count, int limit);

}  // namespace rux::loadMessages
