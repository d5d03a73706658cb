#pragma once
// The steps that turn an object's stored name into the words of a phrase:
// the "^" and "~" markers, computed names and the article in front. The
// phrase builders append to a buffer the caller keeps, so that printing a
// phrase needs no strings of its own once the buffer has grown.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

// Notes gender, style and case as the last prepared phrase, computes a name
// that begins with "/A" (only when an object is given), then appends the
// name to `out` with every "~" replaced by the noun ending and every "^" by
// the adjective ending. What `out` held before stays as it was.
void prepareName(Engine& engine, std::string_view name, uint8_t object, int gender, int style,
                 int grammaticalCase, std::string& out);

// Whether preparing the name runs story code: a name that begins with "/A"
// is formatted when an object is given.
bool computesName(std::string_view name, uint8_t object);

// Appends what an indefinite phrase puts in front for the article kind:
// "ein ", "der ", "einige ", "etwas ", "meinen " and so on.
void appendArticlePrefix(const Engine& engine, std::string& out, int gender, int articleKind,
                         int grammaticalCase);

// The declension style of the adjectives after what an indefinite phrase
// puts in front for the article kind: mixed endings after "ein", "kein" and
// the possessives in the singular («ein roter Apfel», «mein altes Buch»),
// weak endings after a definite article and after "keine", "meine" in the
// plural («keine roten Äpfel»), strong endings where no declined article
// stands in front («roter Apfel», «etwas kaltem Wasser», «einigen roten
// Äpfeln»).
int styleAfterArticleKind(int gender, int articleKind);
// The style after "kein", "mein", "dein" or "Ihr" and their endings.
int styleAfterKein(int gender);

// Gender class of a stored gender byte, out-of-range values made safe.
int genderOf(uint8_t storedGender);

} // namespace rux
