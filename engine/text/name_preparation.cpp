#include "engine/text/name_preparation.h"

#include "engine/engine.h"
#include "engine/text/capture.h"
#include "engine/text/formatter.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/noun_phrases.h"

#include <algorithm>

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

// Appends the name with its markers replaced, in one pass. "~" stands for
// the noun ending: "n" after a vowel or after "el"/"er" and for dative
// plurals, "en" elsewhere and when it opens the name, nothing when the case
// needs none. "^" stands for the adjective ending. The noun endings are
// decided on the name before its adjective endings are filled in, so the
// letters a "~" looks back at are those of the name with only the earlier
// "~" replaced: a "^" in front of it counts as itself. The letters gather in
// a buffer on the stack and go into `out` in few appends.
void appendMarkedName(std::string& out, std::string_view name, int nounEnding,
                      std::string_view adjectiveEnding) {
    // Most names hold adjective markers only: one pass copies them into a
    // buffer on the stack, which goes into `out` at once.
    if (name.size() * std::max<std::size_t>(adjectiveEnding.size(), 1) <= 128) {
        char copy[128];
        std::size_t size = 0;
        bool nounMarker = false;
        for (const char c : name) {
            if (c == '^') {
                for (const char e : adjectiveEnding)
                    copy[size++] = e;
            } else if (c == '~') {
                nounMarker = true;
                break;
            } else {
                copy[size++] = c;
            }
        }
        if (!nounMarker) {
            out.append(copy, size);
            return;
        }
    }
    char buffer[64];
    const std::size_t longestPiece = std::max<std::size_t>(adjectiveEnding.size(), 2);
    if (longestPiece > sizeof buffer) { // no table ending comes near this
        out.append(name);
        return;
    }
    std::size_t size = 0;
    char last = 0, beforeLast = 0; // of the name with noun endings only
    bool started = false;
    const auto noteLetter = [&](char c) {
        beforeLast = last;
        last = c;
        started = true;
    };
    for (const char c : name) {
        if (size + longestPiece > sizeof buffer) {
            out.append(buffer, size);
            size = 0;
        }
        if (c == '~') {
            if (nounEnding == 0) continue;
            const bool afterElEr = beforeLast == 'e' && (last == 'l' || last == 'r');
            if (!started || (nounEnding != 1 && !isLowerVowel(last) && !afterElEr)) {
                buffer[size++] = 'e';
                noteLetter('e');
            }
            buffer[size++] = 'n';
            noteLetter('n');
            continue;
        }
        if (c == '^') {
            adjectiveEnding.copy(buffer + size, adjectiveEnding.size());
            size += adjectiveEnding.size();
        } else {
            buffer[size++] = c;
        }
        noteLetter(c);
    }
    out.append(buffer, size);
}

void noteLastPhrase(PhraseState& state, int gender, int style, int grammaticalCase) {
    state.lastGender = static_cast<uint8_t>(genderIndex(gender));
    state.lastStyle = static_cast<uint8_t>(styleIndex(style));
    state.lastCase = static_cast<uint8_t>(caseIndex(grammaticalCase));
}

} // namespace

int genderOf(uint8_t storedGender) {
    return genderIndex(storedGender);
}

bool computesName(std::string_view name, uint8_t object) {
    return object != 0 && name.starts_with("/A");
}

void prepareName(Engine& engine, std::string_view name, uint8_t object, int gender, int style,
                 int grammaticalCase, std::string& out) {
    PhraseState& state = engine.phrases;
    noteLastPhrase(state, gender, style, grammaticalCase);
    std::string computed;
    if (computesName(name, object)) {
        computed = computedName(engine, name);
        name = computed;
        // The computed name may itself have prepared phrases; this one is
        // the phrase the ending markup refers to.
        noteLastPhrase(state, gender, style, grammaticalCase);
    }
    appendMarkedName(out, name, nounEndingKind(engine), adjectiveEnding(engine));
}

void appendArticlePrefix(const Engine& engine, std::string& out, int gender, int articleKind,
                         int grammaticalCase) {
    const int g = genderIndex(gender);
    switch (articleKind) {
    case 0:
        if (g != pluralClass) {
            out += indefiniteArticle(grammaticalCase, g);
            out.push_back(' ');
        }
        break;
    case 3:
        // "etwas" stays as it is; "einige" is declined like a plural
        // adjective without article: "einige", "einige", "einigen".
        if (g != pluralClass) {
            out += "etwas ";
        } else {
            out += "einig";
            out += adjectiveEndingFor(withoutArticleStyle, grammaticalCase, pluralClass);
            out.push_back(' ');
        }
        break;
    case 4:
        out += definiteArticle(grammaticalCase, g);
        out.push_back(' ');
        break;
    case 5: {
        const uint8_t person = engine.world.byteVariables[31];
        out += person == 1 ? "mein" : person == 2 ? "Ihr" : "dein";
        out += keinEnding(g, grammaticalCase);
        out.push_back(' ');
        break;
    }
    default: break; // kinds 1, 2 and unknown kinds: no article
    }
}

int styleAfterArticleKind(int gender, int articleKind) {
    const bool plural = genderIndex(gender) == pluralClass;
    switch (articleKind) {
    case 0: return plural ? withoutArticleStyle : afterIndefiniteStyle; // no "ein" in the plural
    case 4: return afterDefiniteStyle;
    case 5: return styleAfterKein(gender);
    default: return withoutArticleStyle; // no article, "etwas" or "einige"
    }
}

int styleAfterKein(int gender) {
    return genderIndex(gender) == pluralClass ? afterDefiniteStyle : afterIndefiniteStyle;
}

} // namespace rux
