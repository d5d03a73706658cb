#pragma once
// File names the player chooses for saved games and transcripts.

#include <string>
#include <string_view>

namespace rux {

// The name as chosen when its last part already has an extension (a "."),
// else the name followed by `extension`. Dots in folder names do not count.
std::string defaultExtension(std::string_view name, std::string_view extension);

} // namespace rux
