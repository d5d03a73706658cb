#pragma once
// Objects named in German: noun phrases with article, adjective endings and
// noun endings by case, pronouns, counted groups, the pseudo-objects 250 to
// 255 and the player's command restated as an infinitive phrase.
//
// Every phrase operation returns a text that may still contain markup; the
// caller formats it. Cases are 0 nominative, 1 accusative, 2 dative.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

inline constexpr uint8_t firstPersonObject = 250;  // "ich"
inline constexpr uint8_t secondPersonObject = 251; // "du"
inline constexpr uint8_t quotedTextObject = 252;   // what was typed in double quotes
inline constexpr uint8_t typedNumberObject = 253;  // the number the player typed
inline constexpr uint8_t allObject = 254;          // 254 and 255 both stand for "alles"

// «der rote Apfel», «die drei roten Äpfel».
std::string definitePhrase(Engine& engine, uint8_t object, int grammaticalCase);
// «ein roter Apfel», «drei rote Äpfel».
std::string indefinitePhrase(Engine& engine, uint8_t object, int grammaticalCase);
// Without article: «roter Apfel».
std::string barePhrase(Engine& engine, uint8_t object, int grammaticalCase);
// «keinen roten Apfel».
std::string negatedPhrase(Engine& engine, uint8_t object, int grammaticalCase);
// The plural name with an explicit count.
std::string countedIndefinite(Engine& engine, uint8_t object, int grammaticalCase, int count);
std::string countedDefinite(Engine& engine, uint8_t object, int grammaticalCase, int count);

// The same phrases appended to `out`, which keeps what it held before: the
// formatter builds its phrases in a buffer it reuses.
enum class PhraseKind { Definite, Indefinite, Bare, Negated };
void appendPhrase(Engine& engine, PhraseKind kind, uint8_t object, int grammaticalCase,
                  std::string& out);

// The gender class an object's phrase has, which verbs and pronouns agree
// with: an object printed in its counted form («drei rote Kugeln») has its
// plural gender, unless the count said is one; every other object its own.
int phraseGender(const Engine& engine, uint8_t object);

// "kein" with its ending followed by a name prepared for the phrase: the
// text of a phrase the player typed that fits no object («keinen grünen
// Schlüssel», «keine roten Äpfel»). The text usually begins with a space.
std::string negatedText(Engine& engine, std::string_view text, int gender, int grammaticalCase);

// The personal pronoun: "ich"/"du" forms for 250 and 251, else third person
// by the phrase's gender class.
std::string_view pronoun(const Engine& engine, uint8_t object, int grammaticalCase);

// The ending "^" stands for, and which noun ending "~" needs (0 none, 1
// dative plural, 2 weak masculine), for the phrase prepared last.
std::string_view adjectiveEnding(const Engine& engine);
int nounEndingKind(const Engine& engine);
// The ending after "kein", "mein", "dein" or "Ihr".
std::string_view keinEnding(int gender, int grammaticalCase);

// The markup that prints an object's phrase: "/" letter "&" two hex digits
// and the case digit, e.g. "/b&0A2". A case of 0..9 is written as its
// digit, any other value as that byte (lists leave the case open with 16).
std::string objectCode(char letter, uint8_t object, int caseDigit);

// The characters of the typed line that word `position` covers, as typed.
std::string typedWord(const Engine& engine, int position);

// The command as an infinitive phrase, «dich auf den Stuhl setzen»; with a
// partner «Mit dem Wirt reden».
std::string commandPhrase(Engine& engine, uint8_t action, uint8_t object1, uint8_t object2,
                          uint8_t object3, uint8_t direction, uint8_t partner);

} // namespace rux
