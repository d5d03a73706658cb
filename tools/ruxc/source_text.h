#pragma once
// Story sources are UTF-8; stories hold Windows-1252. The conversion keeps
// one byte per character, so a column in the converted text is a column
// in the source as its author sees it.

#include "tools/ruxc/diagnostics.h"

#include <string>
#include <string_view>

namespace ruxc {

// Converts the source to Windows-1252. Every character the code page
// cannot hold, and every malformed UTF-8 sequence, is reported and
// replaced by "?".
std::string sourceToWindows(std::string_view utf8, const std::string& file,
                            Diagnostics& diagnostics);

// Windows-1252 text (names, words) as UTF-8, for error messages.
std::string shownText(std::string_view windowsText);

} // namespace ruxc
