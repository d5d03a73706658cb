#pragma once
// The steps that turn an object's stored name into the words of a phrase:
// the "^" and "~" markers, computed names and the article in front.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

// Notes gender, style and case as the last prepared phrase, computes a name
// that begins with "/A" (only when an object is given), then replaces every
// "~" by the noun ending and every "^" by the adjective ending.
std::string prepareName(Engine& engine, std::string_view name, uint8_t object, int gender,
                        int style, int grammaticalCase);

// The name with what an indefinite phrase puts in front for the article
// kind: "ein ", "der ", "einige ", "etwas ", "meinen " and so on.
std::string withArticlePrefix(const Engine& engine, std::string_view name, int gender,
                              int articleKind, int grammaticalCase);

// Gender class of a stored gender byte, out-of-range values made safe.
int genderOf(uint8_t storedGender);

} // namespace rux
