#pragma once
// Numbers in the typed line: small counts, and number strings such as codes
// and dates that may span several words.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

enum class NumberKind : uint8_t { None = 0, Count = 1, NumberString = 2 };

// Whether s is not empty and holds only digits and "(", ")", "-", "/", "[", "]".
bool isNumberText(std::string_view s);

// What the word at parsePosition is as a number: a count from 1 to 20
// (digits without a leading zero, or a number word from "zwei" on), a number
// string to be read whole, or no number. `value` receives the number read.
NumberKind classifyNumber(Engine& engine, int32_t& value);

// Reads a number string from parsePosition on, over as many words as belong
// to it, and leaves parsePosition on its last word. `text` receives the words
// as typed (at most 12 characters, "/" doubled so that it prints as it is);
// byte variable 35 the count of leading zeros. True when a number was read.
bool readNumberString(Engine& engine, int32_t& value, std::string& text);

} // namespace rux
