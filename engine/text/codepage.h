#pragma once
// Conversion between the engine's Windows-1252 text and UTF-8, used at the
// boundary to front ends, tools and files that people read.

#include <string>
#include <string_view>

namespace rux {

std::string cp1252ToUtf8(std::string_view text);

// Characters that Windows-1252 cannot hold become "?".
std::string utf8ToCp1252(std::string_view text);

}  // namespace rux
