#include "engine/text/verb_forms.h"

#include "engine/engine.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"

#include <array>

namespace rux {
namespace {

enum Person { firstSingular, secondSingular, thirdSingular, thirdPlural };

using VerbForms = std::array<std::string_view, 4>; // by Person

constexpr VerbForms seinForms{"bin", "bist", "ist", "sind"};
constexpr VerbForms habenForms{"habe", "hast", "hat", "haben"};
constexpr VerbForms werdenForms{"werde", "wirst", "wird", "werden"};

constexpr std::size_t formCapacity = 12;

Person personOf(const Engine& engine, uint8_t subject) {
    if (subject == firstPersonObject) return firstSingular;
    if (subject == secondPersonObject) return secondSingular;
    if (subject > secondPersonObject) return thirdSingular;
    return engine.world.objects[subject].gender == 0 ? thirdPlural : thirdSingular;
}

// Byte variable 32: 1 sitting, 3 lying, anything else standing.
std::string_view byPosture(const Engine& engine, std::string_view sitting, std::string_view lying,
                           std::string_view standing) {
    switch (engine.world.byteVariables[32]) {
    case 1: return sitting;
    case 3: return lying;
    default: return standing;
    }
}

} // namespace

std::string_view formOfSein(const Engine& engine, uint8_t subject) {
    return seinForms[personOf(engine, subject)];
}

std::string_view formOfHaben(const Engine& engine, uint8_t subject) {
    return habenForms[personOf(engine, subject)];
}

std::string_view formOfWerden(const Engine& engine, uint8_t subject) {
    return werdenForms[personOf(engine, subject)];
}

std::string_view regularEnding(const Engine& engine, uint8_t subject) {
    switch (personOf(engine, subject)) {
    case firstSingular: return "e";
    case secondSingular: return "st";
    case thirdSingular: return "t";
    case thirdPlural: break;
    }
    const std::string_view line = currentDisplayLine(engine);
    return !line.empty() && line.back() == 'e' ? "n" : "en";
}

// The pseudo-objects carry no gender of their own; they all count as
// singular subjects here, as they do for the other verb forms.
std::string chooseForm(const Engine& engine, uint8_t subject, std::string_view singular,
                       std::string_view plural) {
    const bool pluralSubject =
        subject < firstPersonObject && engine.world.objects[subject].gender == 0;
    return std::string((pluralSubject ? plural : singular).substr(0, formCapacity));
}

std::string_view postureStem(const Engine& engine) {
    return byPosture(engine, "sitz", "lieg", "steh");
}

std::string_view placingStem(const Engine& engine) {
    return byPosture(engine, "setz", "leg", "stell");
}

} // namespace rux
