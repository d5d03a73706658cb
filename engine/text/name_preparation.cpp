#include "engine/text/name_preparation.h"

#include "engine/engine.h"
#include "engine/text/capture.h"
#include "engine/text/formatter.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/noun_phrases.h"

namespace rux {
namespace {

// A computed name that names an object whose name is computed again nests;
// beyond this depth the name stays empty.
constexpr int computedNameLimit = 8;

bool isLowerVowel(char c) {
    switch (static_cast<unsigned char>(c)) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case 0xE4: // ä
    case 0xF6: // ö
    case 0xFC: // ü
        return true;
    default: return false;
    }
}

std::string computedName(Engine& engine, std::string_view name) {
    if (engine.phrases.computedNameDepth >= computedNameLimit) return {};
    const std::string text(name); // the formatting may change the record it came from
    // An enclosing capture (the status line naming the object) is put aside
    // and resumed afterwards, also when a fatal error unwinds through here.
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } depth(engine.phrases.computedNameDepth);
    CaptureScope capture(engine);
    formatText(engine, text);
    return shortString(capture.text(), nameCapacity);
}

// "~" after a vowel or after "el"/"er" needs "n", elsewhere "en"; dative
// plurals always take "n". A leading "~" has nothing to attach to: "en".
void replaceNounEndings(std::string& name, int kind) {
    std::string out;
    out.reserve(name.size() + 8);
    for (char c : name) {
        if (c != '~') {
            out.push_back(c);
            continue;
        }
        if (kind == 0) continue;
        if (out.empty()) {
            out += "en";
            continue;
        }
        const bool afterVowel = isLowerVowel(out.back());
        const bool afterElEr = out.size() >= 2 && out[out.size() - 2] == 'e' &&
                               (out.back() == 'l' || out.back() == 'r');
        out += (kind == 1 || afterVowel || afterElEr) ? "n" : "en";
    }
    name = std::move(out);
}

// In place; the search goes on after the inserted ending.
void replaceAdjectiveEndings(std::string& name, std::string_view ending) {
    for (std::size_t at = name.find('^'); at != std::string::npos;
         at = name.find('^', at + ending.size()))
        name.replace(at, 1, ending);
}

} // namespace

int genderOf(uint8_t storedGender) {
    return genderIndex(storedGender);
}

std::string prepareName(Engine& engine, std::string_view name, uint8_t object, int gender,
                        int style, int grammaticalCase) {
    PhraseState& state = engine.phrases;
    state.lastGender = static_cast<uint8_t>(genderIndex(gender));
    state.lastStyle = static_cast<uint8_t>(styleIndex(style));
    state.lastCase = static_cast<uint8_t>(caseIndex(grammaticalCase));

    std::string prepared =
        object != 0 && name.starts_with("/A") ? computedName(engine, name) : std::string(name);
    // The computed name may itself have prepared phrases; this one is the
    // phrase the ending markup refers to.
    state.lastGender = static_cast<uint8_t>(genderIndex(gender));
    state.lastStyle = static_cast<uint8_t>(styleIndex(style));
    state.lastCase = static_cast<uint8_t>(caseIndex(grammaticalCase));

    // Most names carry one marker or none: the passes run only when needed.
    if (prepared.find('~') != std::string::npos)
        replaceNounEndings(prepared, nounEndingKind(engine));
    if (prepared.find('^') != std::string::npos)
        replaceAdjectiveEndings(prepared, adjectiveEnding(engine));
    return prepared;
}

std::string withArticlePrefix(const Engine& engine, std::string_view name, int gender,
                              int articleKind, int grammaticalCase) {
    const int g = genderIndex(gender);
    std::string prefix;
    switch (articleKind) {
    case 0:
        if (g != pluralClass) prefix = std::string(indefiniteArticle(grammaticalCase, g)) + " ";
        break;
    case 3: prefix = g == pluralClass ? "einige " : "etwas "; break;
    case 4: prefix = std::string(definiteArticle(grammaticalCase, g)) + " "; break;
    case 5: {
        const uint8_t person = engine.world.byteVariables[31];
        prefix = person == 1 ? "mein" : person == 2 ? "Ihr" : "dein";
        prefix += keinEnding(g, grammaticalCase) + " ";
        break;
    }
    default: break; // kinds 1, 2 and unknown kinds: no article
    }
    return prefix + std::string(name);
}

} // namespace rux
