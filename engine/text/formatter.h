#pragma once
// Game texts with markup, turned into output.

#include <cstdint>
#include <string_view>

namespace rux {

class Engine;

// Whether formatting raises the text's first letter to a capital first.
enum class FirstLetter { AsWritten, Capital };

// Formats the text's markup and outputs it.
void formatText(Engine& engine, std::string_view text, FirstLetter first = FirstLetter::AsWritten);
void printTextMark(Engine& engine, uint8_t mark, uint8_t variant, bool addSpace);
// The message printer that scripts, the driver and the actions call.
void printMessage(Engine& engine, uint8_t mark, uint8_t variant);

} // namespace rux
