#include "engine/text/noun_phrases.h"

#include "engine/engine.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/name_preparation.h"
#include "engine/text/numbers.h"

#include <charconv>
#include <iterator>

namespace rux {
namespace {

constexpr std::string_view nothing = "nichts";

// A definite phrase takes the weak endings after its article; a proper name
// (article kind 1) stands without one and takes the strong endings.
int definiteStyle(int articleKind) {
    return articleKind == 1 ? withoutArticleStyle : afterDefiniteStyle;
}

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

// A counted phrase says its count in words unless its article kind puts
// something else in front or the object takes its plural name bare.
bool countIsSaid(const Engine& engine, uint8_t object) {
    return engine.world.objects[object].pluralArticleKind == 0 &&
           !engine.world.tailSets[4].contains(object);
}

void appendTypedNumber(const Engine& engine, std::string& out) {
    char digits[12];
    out.append(digits, std::to_chars(digits, std::end(digits), engine.parser.typedNumber).ptr);
}

void appendPseudoPhrase(const Engine& engine, uint8_t object, int grammaticalCase, PhraseKind kind,
                        std::string& out) {
    switch (object) {
    case firstPersonObject: out += firstPersonForm(grammaticalCase); return;
    case secondPersonObject: out += secondPersonForm(grammaticalCase); return;
    case quotedTextObject:
        out.push_back('"');
        out += engine.parser.quotedText;
        out.push_back('"');
        return;
    case typedNumberObject:
        if (kind == PhraseKind::Indefinite)
            out += indefiniteArticle(grammaticalCase, feminineClass);
        else if (kind == PhraseKind::Definite)
            out += definiteArticle(grammaticalCase, feminineClass);
        if (kind != PhraseKind::Bare) out += " Nummer ";
        appendTypedNumber(engine, out);
        return;
    default: out += "alles"; return;
    }
}

// Appends what goes in front of the name (`front` appends it) and the
// prepared name. A computed name runs story code, which may change what the
// words in front depend on: it is prepared first and the words are put in
// front afterwards.
template <typename Front>
void appendNamed(Engine& engine, std::string& out, std::string_view name, uint8_t object,
                 int gender, int style, int grammaticalCase, Front&& front) {
    if (!computesName(name, object)) {
        front(out);
        prepareName(engine, name, object, gender, style, grammaticalCase, out);
        return;
    }
    const std::size_t start = out.size();
    prepareName(engine, name, object, gender, style, grammaticalCase, out);
    std::string words;
    front(words);
    out.insert(start, words);
}

void appendNumberWords(std::string& out, int count) {
    out += NumberWords(count).view();
    out.push_back(' ');
}

void appendCountedIndefinite(Engine& engine, uint8_t object, int grammaticalCase, int count,
                             std::string& out) {
    const ObjectRecord& record = engine.world.objects[object];
    appendNamed(engine, out, record.pluralName, object, record.pluralGender,
                styleAfterArticleKind(record.pluralGender, record.pluralArticleKind),
                grammaticalCase, [&](std::string& front) {
                    if (countIsSaid(engine, object)) appendNumberWords(front, count);
                    appendArticlePrefix(engine, front, record.pluralGender,
                                        record.pluralArticleKind, grammaticalCase);
                });
}

void appendCountedDefinite(Engine& engine, uint8_t object, int grammaticalCase, int count,
                           std::string& out) {
    const ObjectRecord& record = engine.world.objects[object];
    appendNamed(engine, out, record.pluralName, object, record.pluralGender,
                definiteStyle(record.articleKind), grammaticalCase, [&](std::string& front) {
                    if (record.articleKind != 1) {
                        front += definiteArticle(grammaticalCase, record.pluralGender);
                        front.push_back(' ');
                    }
                    if (record.articleKind == 0 && !engine.world.tailSets[4].contains(object))
                        appendNumberWords(front, count);
                });
}

void appendIndefinite(Engine& engine, uint8_t object, int grammaticalCase, std::string& out) {
    if (isPseudoObject(object))
        return appendPseudoPhrase(engine, object, grammaticalCase, PhraseKind::Indefinite, out);
    if (object == 0) {
        out += nothing;
        return;
    }
    const ObjectRecord& record = engine.world.objects[object];
    if (takesCountedForm(engine, object))
        return appendCountedIndefinite(engine, object, grammaticalCase, record.target, out);
    if (!isCountedObject(engine, object)) {
        out += nothing;
        return;
    }
    appendNamed(engine, out, record.name, object, record.gender,
                styleAfterArticleKind(record.gender, record.articleKind), grammaticalCase,
                [&](std::string& front) {
                    appendArticlePrefix(engine, front, record.gender, record.articleKind,
                                        grammaticalCase);
                });
}

void appendDefinite(Engine& engine, uint8_t object, int grammaticalCase, std::string& out) {
    if (isPseudoObject(object))
        return appendPseudoPhrase(engine, object, grammaticalCase, PhraseKind::Definite, out);
    if (object == 0) {
        out += nothing;
        return;
    }
    const ObjectRecord& record = engine.world.objects[object];
    if (takesCountedForm(engine, object))
        return appendCountedDefinite(engine, object, grammaticalCase, record.target, out);
    if (!isCountedObject(engine, object)) {
        out += nothing;
        return;
    }
    appendNamed(engine, out, record.name, object, record.gender, definiteStyle(record.articleKind),
                grammaticalCase, [&](std::string& front) {
                    if (record.articleKind == 1) return;
                    front += definiteArticle(grammaticalCase, record.gender);
                    front.push_back(' ');
                });
}

void appendBare(Engine& engine, uint8_t object, int grammaticalCase, std::string& out) {
    if (isPseudoObject(object))
        return appendPseudoPhrase(engine, object, grammaticalCase, PhraseKind::Bare, out);
    if (!isCountedObject(engine, object)) {
        out += nothing;
        return;
    }
    const ObjectRecord& record = engine.world.objects[object];
    prepareName(engine, record.name, object, record.gender, withoutArticleStyle, grammaticalCase,
                out);
}

void appendNegated(Engine& engine, uint8_t object, int grammaticalCase, std::string& out) {
    const ObjectRecord& record = engine.world.objects[object];
    appendNamed(engine, out, record.name, object, record.gender, styleAfterKein(record.gender),
                grammaticalCase, [&](std::string& front) {
                    front += "kein";
                    front += keinEnding(genderOf(record.gender), grammaticalCase);
                    front.push_back(' ');
                });
}

template <typename Append> std::string phraseOf(Append&& append) {
    std::string phrase;
    append(phrase);
    return phrase;
}

} // namespace

void appendPhrase(Engine& engine, PhraseKind kind, uint8_t object, int grammaticalCase,
                  std::string& out) {
    switch (kind) {
    case PhraseKind::Definite: return appendDefinite(engine, object, grammaticalCase, out);
    case PhraseKind::Indefinite: return appendIndefinite(engine, object, grammaticalCase, out);
    case PhraseKind::Bare: return appendBare(engine, object, grammaticalCase, out);
    case PhraseKind::Negated: return appendNegated(engine, object, grammaticalCase, out);
    }
}

std::string countedIndefinite(Engine& engine, uint8_t object, int grammaticalCase, int count) {
    return phraseOf([&](std::string& out) {
        appendCountedIndefinite(engine, object, grammaticalCase, count, out);
    });
}

std::string countedDefinite(Engine& engine, uint8_t object, int grammaticalCase, int count) {
    return phraseOf([&](std::string& out) {
        appendCountedDefinite(engine, object, grammaticalCase, count, out);
    });
}

std::string indefinitePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    return phraseOf(
        [&](std::string& out) { appendIndefinite(engine, object, grammaticalCase, out); });
}

std::string definitePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    return phraseOf(
        [&](std::string& out) { appendDefinite(engine, object, grammaticalCase, out); });
}

std::string barePhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    return phraseOf([&](std::string& out) { appendBare(engine, object, grammaticalCase, out); });
}

std::string negatedPhrase(Engine& engine, uint8_t object, int grammaticalCase) {
    return phraseOf([&](std::string& out) { appendNegated(engine, object, grammaticalCase, out); });
}

int phraseGender(const Engine& engine, uint8_t object) {
    const ObjectRecord& record = engine.world.objects[object];
    if (object == 0 || isPseudoObject(object) || !takesCountedForm(engine, object))
        return record.gender;
    if (record.target == 1 && countIsSaid(engine, object)) return record.gender; // «ein ...»
    return record.pluralGender;
}

std::string negatedText(Engine& engine, std::string_view text, int gender, int grammaticalCase) {
    std::string out = "kein";
    out += keinEnding(gender, grammaticalCase);
    prepareName(engine, text, 0, gender, styleAfterKein(gender), grammaticalCase, out);
    return out;
}

std::string_view pronoun(const Engine& engine, uint8_t object, int grammaticalCase) {
    if (object == firstPersonObject) return firstPersonForm(grammaticalCase);
    if (object == secondPersonObject) return secondPersonForm(grammaticalCase);
    return thirdPersonPronoun(grammaticalCase, phraseGender(engine, object));
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

std::string_view keinEnding(int gender, int grammaticalCase) {
    const int g = genderIndex(gender);
    if (g == pluralClass) return caseIndex(grammaticalCase) == 2 ? "en" : "e";
    // "ein", "eine", "einen", "einem", "einer" without "ein".
    return indefiniteArticle(grammaticalCase, g).substr(3);
}

std::string objectCode(char letter, uint8_t object, int caseDigit) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string code = {'/', letter, '&', hexDigits[object >> 4], hexDigits[object & 15]};
    code.push_back(caseDigit >= 0 && caseDigit <= 9 ? static_cast<char>('0' + caseDigit)
                                                    : static_cast<char>(caseDigit));
    return code;
}

} // namespace rux
