#pragma once
// Upper- and lower-casing of Windows-1252 game text, German letters included.

#include <string>
#include <string_view>

namespace rux {

// One letter: a-z to A-Z and ä ö ü to Ä Ö Ü; every other byte unchanged.
char capitalLetter(char c);
// The first byte only: a-z to A-Z and ä ö ü to Ä Ö Ü.
std::string capitalizeFirst(std::string_view text);
// Every a-z, ä ö ü to capitals and ß to "SS".
std::string upperCaseAll(std::string_view text);
// Every A-Z and Ä Ö Ü to small letters.
std::string lowerCaseAll(std::string_view text);
// Replaces the pattern until it no longer occurs, searching again from the
// start after each replacement. Both are cut to 12 characters. A
// replacement that contains the pattern is replaced once per occurrence
// present before the call, so the loop always ends.
std::string replaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

} // namespace rux
