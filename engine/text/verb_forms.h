#pragma once
// Verb forms that agree with a subject given by object number: 250 is the
// first person, 251 the second, 252..255 and singular objects the third
// person singular, objects of the plural gender class the third person
// plural. Object 0 carries the number of the last enumeration.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

std::string_view formOfSein(const Engine& engine, uint8_t subject);   // bin bist ist sind
std::string_view formOfHaben(const Engine& engine, uint8_t subject);  // habe hast hat haben
std::string_view formOfWerden(const Engine& engine, uint8_t subject); // werde wirst wird werden
// The present-tense ending after a stem already printed; for a plural
// subject "n" after a stem ending in "e" on the display line, else "en".
std::string_view regularEnding(const Engine& engine, uint8_t subject);
// The text's own plural or singular form (each cut to 12 characters).
std::string chooseForm(const Engine& engine, uint8_t subject, std::string_view singular,
                       std::string_view plural);
// The stems that follow the player's posture: "sitz"/"lieg"/"steh" and
// "setz"/"leg"/"stell".
std::string_view postureStem(const Engine& engine);
std::string_view placingStem(const Engine& engine);

} // namespace rux
