#pragma once
// Verb forms that agree with a subject given by object number: 250 is the
// first person, 251 the second, 252..255 and singular objects the third
// person singular, objects whose phrase is plural (their gender class, or
// the plural gender of their counted form) the third person plural. Object 0 carries the number of
// the last enumeration.

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

std::string_view formOfSein(const Engine& engine, uint8_t subject);   // bin bist ist sind
std::string_view formOfHaben(const Engine& engine, uint8_t subject);  // habe hast hat haben
std::string_view formOfWerden(const Engine& engine, uint8_t subject); // werde wirst wird werden
// The present-tense ending after a stem already printed, read from the end
// of the display line: «du sitzt», «du arbeitest», «er öffnet», «sie
// wandern», «sie gehen». Text being captured is not seen.
std::string_view regularEnding(const Engine& engine, uint8_t subject);
// The text's own plural or singular form (each cut to 12 characters).
std::string chooseForm(const Engine& engine, uint8_t subject, std::string_view singular,
                       std::string_view plural);
// The stems that follow the player's posture: "sitz"/"lieg"/"steh" and
// "setz"/"leg"/"stell".
std::string_view postureStem(const Engine& engine);
std::string_view placingStem(const Engine& engine);

} // namespace rux
