#include "engine/text/noun_phrases.h"

#include "engine/engine.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/name_preparation.h"
#include "engine/text/numbers.h"

namespace rux {
namespace {

constexpr std::string_view nothing = "nichts";
constexpr int withIndefiniteArticle = 0;
constexpr int withDefiniteArticle = 1;
constexpr int withoutArticle = 2;

enum class PhraseKind { Definite, Indefinite, Bare };

bool isPseudoObject(uint8_t object) {
    return object >= firstPersonObject;
}

// Story objects named by their own record: 1..fixedCount.
bool isCountedObject(const Engine& engine, uint8_t object) {
    return object >= 1 && object <= engine.world.counts.fixedCount;
}

// Objects that take their plural name with a quantity.
bool takesCountedForm(const Engine& engine, uint8_t object) {
    const World& world = engine.world;
    const ObjectRecord& record = world.objects[object];
    if (record.pluralName.empty()) return false;
    return record.target > 1 || object > world.counts.fixedCount ||
           (world.tailSets[4].contains(object) && engine.text.countedForms);
}

std::string typedNumberText(const Engine& engine) {
    return std::to_string(engine.parser.typedNumber);
}

std::string pseudoPhrase(const Engine& engine, uint8_t object, int grammaticalCase,
                         PhraseKind kind) {
    switch (object) {
    case firstPersonObject: return std::string(firstPersonForm(grammaticalCase));
    case secondPersonObject: return std::string(secondPersonForm(grammaticalCase));
    case quotedTextObject: return "\"" + engine.parser.quotedText + "\"";
    case typedNumberObject:
        switch (kind) {
        case PhraseKind::Indefinite:
            return std::string(indefiniteArticle(grammaticalCase, feminineClass)) + " Nummer " +
                   typedNumberText(engine);
        case PhraseKind::Definite:
            return std::string(definiteArticle(grammaticalCase, feminineClass)) + " Nummer " +
                   typedNumberText(engine);
        case PhraseKind::Bare: return typedNumberText(engine);
        }
        break;
    default: break;
    }
    return "alles";
}

} // namespace

std::string countedIndefinite(Engine& engine, uint8_t object, int grammaticalCase, int count) {
    const World& world = engine.world;
    const ObjectRecord& record = world.objects[object];
    const std::string name = prepareName(engine, record.pluralName, object, record.pluralGender,
                                         withIndefiniteArticle, grammaticalCase);
    std::string phrase = withArticlePrefix(engine, name, record.pluralGender,
                                           record.pluralArticleKind, grammaticalCase);
    if (record.pluralArticleKind == 0 && !world.tailSets[4].contains(object))
        phrase = numberWords(count) + " " + phrase;
    return phrase;
}

std::string countedDefinite(Engine& engine, uint8_t object, int grammaticalCase, int count) {
    const World& world = engine.world;
    const ObjectRecord& record = world.objects[object];
    std::string phrase = prepareName(engine, record.pluralName, object, record.pluralGender,
                                     withDefiniteArticle, grammaticalCase);
    if (record.articleKind == 0 && !world.tailSets[4].contains(object))
        phrase = numberWords(count) + " " + phrase;
    if (record.articleKind != 1)
        phrase = std::string(definiteArticle(grammaticalCase, record.pluralGender)) + " " + phrase;
    return phrase;
}

std::string indefinitePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    if (isPseudoObject(object))
        return pseudoPhrase(engine, object, grammaticalCase, PhraseKind::Indefinite);
    if (object == 0) return std::string(nothing);
    const ObjectRecord& record = engine.world.objects[object];
    if (takesCountedForm(engine, object))
        return countedIndefinite(engine, object, grammaticalCase, record.target);
    if (!isCountedObject(engine, object)) return std::string(nothing);
    const std::string name = prepareName(engine, record.name, object, record.gender,
                                         withIndefiniteArticle, grammaticalCase);
    return withArticlePrefix(engine, name, record.gender, record.articleKind, grammaticalCase);
}

std::string definitePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    if (isPseudoObject(object))
        return pseudoPhrase(engine, object, grammaticalCase, PhraseKind::Definite);
    if (object == 0) return std::string(nothing);
    const ObjectRecord& record = engine.world.objects[object];
    if (takesCountedForm(engine, object))
        return countedDefinite(engine, object, grammaticalCase, record.target);
    if (!isCountedObject(engine, object)) return std::string(nothing);
    const std::string name = prepareName(engine, record.name, object, record.gender,
                                         withDefiniteArticle, grammaticalCase);
    if (record.articleKind == 1) return name;
    std::string phrase(definiteArticle(grammaticalCase, record.gender));
    phrase.push_back(' ');
    phrase += name;
    return phrase;
}

std::string barePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    if (isPseudoObject(object))
        return pseudoPhrase(engine, object, grammaticalCase, PhraseKind::Bare);
    if (!isCountedObject(engine, object)) return std::string(nothing);
    const ObjectRecord& record = engine.world.objects[object];
    return prepareName(engine, record.name, object, record.gender, withoutArticle, grammaticalCase);
}

std::string negatedPhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    const ObjectRecord& record = engine.world.objects[object];
    const std::string name = prepareName(engine, record.name, object, record.gender,
                                         withIndefiniteArticle, grammaticalCase);
    return "kein" + keinEnding(genderOf(record.gender), grammaticalCase) + " " + name;
}

std::string pronoun(const Engine& engine, uint8_t object, int grammaticalCase) {
    if (object == firstPersonObject) return std::string(firstPersonForm(grammaticalCase));
    if (object == secondPersonObject) return std::string(secondPersonForm(grammaticalCase));
    return std::string(thirdPersonPronoun(grammaticalCase, engine.world.objects[object].gender));
}

std::string_view adjectiveEnding(const Engine& engine) {
    const PhraseState& last = engine.phrases;
    return adjectiveEndingFor(last.lastStyle, last.lastCase, last.lastGender);
}

int nounEndingKind(const Engine& engine) {
    const PhraseState& last = engine.phrases;
    if (last.lastGender == masculineClass && last.lastCase != 0) return 2;
    if (last.lastGender == pluralClass && last.lastCase == 2) return 1;
    return 0;
}

std::string keinEnding(int gender, int grammaticalCase) {
    const int g = genderIndex(gender);
    if (g == pluralClass) return caseIndex(grammaticalCase) == 2 ? "en" : "e";
    // "ein", "eine", "einen", "einem", "einer" without "ein".
    return std::string(indefiniteArticle(grammaticalCase, g).substr(3));
}

std::string objectCode(char letter, uint8_t object, int caseDigit) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string code = {'/', letter, '&', hexDigits[object >> 4], hexDigits[object & 15]};
    code.push_back(caseDigit >= 0 && caseDigit <= 9 ? static_cast<char>('0' + caseDigit)
                                                    : static_cast<char>(caseDigit));
    return code;
}

} // namespace rux
