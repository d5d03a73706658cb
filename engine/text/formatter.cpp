#include "engine/text/formatter.h"

#include "engine/engine.h"
#include "engine/script/clock.h"
#include "engine/script/interpreter.h"
#include "engine/script/values.h"
#include "engine/text/capital_scope.h"
#include "engine/text/case_functions.h"
#include "engine/text/lists.h"
#include "engine/text/markup_reader.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/numbers.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"
#include "engine/text/verb_forms.h"

#include <algorithm>
#include <charconv>

namespace rux {

namespace {

constexpr std::string_view nothing = "nichts";

// Numbers are written into small buffers on the stack: a code's result
// needs no string of its own.
class DecimalText {
  public:
    explicit DecimalText(int32_t value)
        : end_(std::to_chars(digits_, std::end(digits_), value).ptr) {}
    std::string_view view() const { return {digits_, static_cast<std::size_t>(end_ - digits_)}; }

  private:
    char digits_[12];
    char* end_;
};

// The buffer for what a code at the current nesting level builds. Codes run
// while their level's text is being read, so the depth is at least 1.
std::string& codeScratch(Engine& engine) {
    return engine.text.phraseScratch[std::max(engine.text.formatDepth, 1) - 1];
}

void emit(Engine& engine, std::string_view text, bool capitalise) {
    if (text.empty()) return;
    const char first = capitalise ? capitalLetter(text[0]) : text[0];
    if (first == text[0]) {
        outputText(engine, text);
        return;
    }
    std::string& copy = codeScratch(engine);
    copy.assign(text);
    copy[0] = first;
    outputText(engine, copy);
}

void emitFormatted(Engine& engine, std::string_view text, bool capitalise) {
    formatText(engine, text, capitalise ? FirstLetter::Capital : FirstLetter::AsWritten);
}

bool namesNoObject(const Engine& engine, uint8_t object) {
    return object == 0 || (object > engine.world.counts.fixedCount && object < 250);
}

void footnote(Engine& engine, MarkupReader& in) {
    int value = 0;
    for (int i = 0; i < 3 && in.peekIsDigit(); ++i)
        value = value * 10 + (in.next() - '0');
    value %= 256;
    TextState& t = engine.text;
    int number = 0;
    for (int i = 1; i <= t.footnoteCount; ++i) {
        if (t.footnoteTable[i] == value) {
            number = i;
            break;
        }
    }
    if (number == 0) {
        if (t.footnoteCount < 255) {
            number = ++t.footnoteCount;
            t.footnoteTable[number] = static_cast<uint8_t>(value);
        } else {
            number = 255; // the table is full: the last position serves again
        }
    }
    char mark[6] = "["; // numbers 1..255
    char* end = std::to_chars(mark + 1, std::end(mark) - 1, number).ptr;
    *end++ = ']';
    outputText(engine, std::string_view(mark, static_cast<std::size_t>(end - mark)));
}

void objectPhrase(Engine& engine, MarkupReader& in, char code) {
    const uint8_t object = in.objectRef();
    const int grammaticalCase = in.caseLetter();
    const bool capitalise = code >= 'A' && code <= 'Z';
    if (namesNoObject(engine, object)) {
        emit(engine, nothing, capitalise);
        return;
    }
    uint8_t& phraseObject = engine.world.scene.phraseObject;
    const uint8_t previous = phraseObject;
    phraseObject = object;
    if (code == 'Q' || code == 'q') {
        emit(engine, pronoun(engine, object, grammaticalCase), capitalise);
    } else {
        PhraseKind kind = PhraseKind::Negated;
        if (code == 'B' || code == 'b') kind = PhraseKind::Definite;
        if (code == 'U' || code == 'u') kind = PhraseKind::Indefinite;
        if (code == 'O' || code == 'o') kind = PhraseKind::Bare;
        std::string& phrase = codeScratch(engine);
        phrase.clear();
        appendPhrase(engine, kind, object, grammaticalCase, phrase);
        emitFormatted(engine, phrase, capitalise);
    }
    phraseObject = previous;
}

void systemText(Engine& engine, MarkupReader& in) {
    const World& w = engine.world;
    switch (in.next()) {
    case 'A': outputText(engine, w.storyTitle); break;
    case 'k': outputText(engine, w.storyLabel); break;
    case 'V': outputText(engine, "2.0"); break;
    case 'D': outputText(engine, "21-10-2000"); break;
    case 'T': outputText(engine, ClockText(engine).view()); break;
    case 'B':
    case 'b': {
        const bool capitalise = in.previous() == 'B';
        const CommandSlots& c = w.command;
        engine.text.phraseText =
            commandPhrase(engine, c.action, c.object1, c.object2, c.object3, c.direction, 0);
        emitFormatted(engine, engine.text.phraseText, capitalise);
        break;
    }
    default: break;
    }
}

void firstWordOf(Engine& engine, MarkupReader& in, bool capitalise) {
    const char list = in.next();
    if (list != 's' && list != 'v' && list != 'a') return;
    const ObjectRecord& o = engine.world.objects[in.objectRef()];
    if (list == 's' && !o.nouns.empty()) emit(engine, o.nouns.front().word, capitalise);
    if (list == 'a' && !o.adjectives.empty()) emit(engine, o.adjectives.front(), capitalise);
    if (list == 'v' && !o.nounPrefixes.empty()) emit(engine, o.nounPrefixes.front(), capitalise);
}

void stateName(Engine& engine, MarkupReader& in, bool capitalise) {
    int32_t index = 0;
    if (in.peek() == 'o') {
        in.next();
        index = engine.world.objects[in.objectRef()].state;
    } else {
        index = in.valueRef();
    }
    const auto& names = engine.world.stateNames;
    if (names.empty()) return;
    const std::size_t at = std::min<std::size_t>(std::max(index, 0), names.size() - 1);
    if (names[at].empty())
        outputText(engine, capitalise ? "Normal" : "normal");
    else
        emitFormatted(engine, names[at], capitalise);
}

void directionName(Engine& engine, MarkupReader& in, bool capitalise) {
    const int32_t n = in.valueRef();
    const World& w = engine.world;
    if (n <= 0 || n > w.counts.directionCount)
        outputText(engine, "nirgendwo"); // never capitalised
    else
        emit(engine, w.directionNames[n].shortName, capitalise);
}

void actionNames(Engine& engine, MarkupReader& in, bool capitalise) {
    const int32_t id = in.valueRef();
    for (const ActionRecord& a : engine.world.actions)
        if (a.id == id) emit(engine, a.name, capitalise);
}

void roomNames(Engine& engine, MarkupReader& in) {
    const int32_t id = in.valueRef();
    for (const RoomRecord& r : engine.world.rooms)
        if (r.id == id) formatText(engine, r.name);
}

void arrayText(Engine& engine, MarkupReader& in) {
    const int n = in.hexPair();
    const World& w = engine.world;
    if (n < 1 || n > w.counts.arrayCount) return;
    const ByteArray& array = w.byteArrays[n - 1];
    if (array.size == 0) return;
    const std::size_t start = std::size_t{array.start} * 4;
    const std::size_t length = std::min<std::size_t>(w.codeArea[start], array.size - 1u);
    std::string text;
    for (std::size_t i = 1; i <= length; ++i) {
        const uint8_t c = w.codeArea[start + i];
        text.push_back(c < 32 ? '*' : static_cast<char>(c));
    }
    formatText(engine, text);
}

void numberCode(Engine& engine, MarkupReader& in, bool upper) {
    const char form = in.next();
    const int32_t n = in.valueRef();
    switch (form) {
    case 'z': emit(engine, NumberWords(n).view(), upper); break;
    case 'o': emit(engine, ordinalStem(n), upper); break;
    case 'r': {
        const std::string roman = romanNumeral(n);
        outputText(engine, upper ? upperCaseAll(roman) : roman);
        break;
    }
    case 'b': {
        const char letter = letterFor(n);
        emit(engine, std::string_view(&letter, 1), upper);
        break;
    }
    case 'c': {
        const char c = (n & 0xFF) < 32 ? '*' : static_cast<char>(n & 0xFF);
        emit(engine, std::string_view(&c, 1), upper);
        break;
    }
    default: outputText(engine, std::string_view(&form, 1)); break;
    }
}

void verbCode(Engine& engine, MarkupReader& in, bool capitalise) {
    const char verb = in.next();
    switch (verb) {
    case 's':
    case 'S': emit(engine, formOfSein(engine, in.objectRef()), capitalise); break;
    case 'h':
    case 'H': emit(engine, formOfHaben(engine, in.objectRef()), capitalise); break;
    case 'w':
    case 'W': emit(engine, formOfWerden(engine, in.objectRef()), capitalise); break;
    case 'e':
    case 'E': emit(engine, regularEnding(engine, in.objectRef()), capitalise); break;
    case 'x':
    case 'X':
    case 'y':
    case 'Y': {
        const bool posture = verb == 'x' || verb == 'X';
        emit(engine, posture ? postureStem(engine) : placingStem(engine), capitalise);
        // "sitzt" for a sitting player, "liegst"/"stehst" otherwise.
        if (engine.world.byteVariables[32] == 1 && in.peek() == 's') in.next();
        break;
    }
    case '(': {
        const std::string_view singular = in.upTo('/').substr(0, 12);
        const std::string_view plural = in.upTo(')').substr(0, 12);
        outputText(engine, chooseForm(engine, in.objectRef(), singular, plural));
        break;
    }
    default: break;
    }
}

void nounEnding(Engine& engine) {
    switch (nounEndingKind(engine)) {
    case 1: outputText(engine, "n"); break;
    case 2: {
        // As the "~" in names: "n" after a vowel, "el" or "er", else "en".
        const std::string_view line = currentDisplayLine(engine);
        static constexpr std::string_view vowels = "aeiou\xE4\xF6\xFC";
        const char last = line.empty() ? 0 : line.back();
        const bool vowel = last != 0 && vowels.find(last) != std::string_view::npos;
        const bool elEr = line.ends_with("el") || line.ends_with("er");
        outputText(engine, vowel || elEr ? "n" : "en");
        break;
    }
    default: break;
    }
}

void listText(Engine& engine, MarkupReader& in, bool capitalise) {
    const char fill = in.next();
    std::string& phrase = engine.text.phraseText;
    phrase = fillOpenCase(phrase, fill);
    if (capitalise && !phrase.empty()) {
        phrase[0] = capitalLetter(phrase[0]);
        if (phrase.size() > 1 && phrase[0] == '/') phrase[1] = capitalLetter(phrase[1]);
    }
    // Formatting works on a copy of its own.
    formatText(engine, phrase, capitalise ? FirstLetter::Capital : FirstLetter::AsWritten);
}

// The phrase buffer as it stands; a list whose case was never filled in
// names its counted groups in the nominative.
void phraseBuffer(Engine& engine) {
    const std::string& phrase = engine.text.phraseText;
    if (phrase.find(caseChoiceOpen) == std::string::npos)
        formatText(engine, phrase);
    else
        formatText(engine, keepCaseChoices(phrase, 0));
}

void runTextRoutine(Engine& engine, int n) {
    if (const NumberedCode* routine = engine.world.findTextRoutine(static_cast<uint8_t>(n)))
        runScript(engine, routine->script.start, routine->script.length);
}

// Handles one markup code; the reader stands on the code character.
void handleCode(Engine& engine, MarkupReader& in) {
    const char code = in.next();
    const bool upper = code >= 'A' && code <= 'Z';
    switch (code) {
    case '"':
    case ',': outputText(engine, "'"); break;
    case '/': outputText(engine, "/"); break;
    case '(': outputText(engine, "["); break;
    case ')': outputText(engine, "]"); break;
    case '-': outputText(engine, "\xAD"); break;
    case '_': outputText(engine, "\xA0"); break;
    case ':': outputText(engine, "  \xB7 "); break;
    case 'F':
    case 'f': outputText(engine, "\x02"); break;
    case 'N':
    case 'n': outputText(engine, "\x01"); break;
    case '#': paragraphBreak(engine); break;
    case 'x':
    case 'X': lineBreak(engine); break;
    case '&':
        paragraphBreak(engine);
        startPaging(engine, 1);
        break;
    case 'T':
    case 't': {
        const int width = engine.world.byteVariables[26] * (code == 'T' ? 2 : 1);
        outputText(engine, spaces(width));
        break;
    }
    case '0': engine.text.countedForms = in.next() == '+'; break;
    case '$': outputText(engine, DecimalText(in.valueRef()).view()); break;
    case '*': footnote(engine, in); break;
    case '!': systemText(engine, in); break;
    case 'B':
    case 'b':
    case 'U':
    case 'u':
    case 'O':
    case 'o':
    case 'K':
    case 'k':
    case 'Q':
    case 'q': objectPhrase(engine, in, code); break;
    case 'Y':
    case 'y': firstWordOf(engine, in, upper); break;
    case 'Z':
    case 'z': stateName(engine, in, upper); break;
    case 'D':
    case 'd': directionName(engine, in, upper); break;
    case 'P':
    case 'p':
        emit(engine, engine.world.preposition(engine.world.command.preposition), upper);
        break;
    case 'W':
    case 'w': emit(engine, typedWord(engine, engine.parser.parsePosition), upper); break;
    case 'I':
    case 'i': {
        const bool inside = engine.world.objectFlag(10, engine.world.scene.playerVehicle);
        emit(engine, inside ? "in" : "auf", upper);
        break;
    }
    case 'H':
    case 'h': actionNames(engine, in, upper); break;
    case 'R':
    case 'r': roomNames(engine, in); break;
    case 'G':
    case 'g': arrayText(engine, in); break;
    case 'C':
    case 'c': numberCode(engine, in, upper); break;
    case 'V':
    case 'v': verbCode(engine, in, upper); break;
    case '^': outputText(engine, adjectiveEnding(engine)); break;
    case '~': nounEnding(engine); break;
    case '@': phraseBuffer(engine); break;
    case 'L':
    case 'l': listText(engine, in, upper); break;
    case 'S':
    case 's': {
        const TextRef ref = engine.world.messageVariables[in.hexPair()];
        if (upper) engine.text.capitalizeNext = true;
        printTextMark(engine, ref.mark, ref.variant, false);
        break;
    }
    case '?': {
        const int mark = in.hexPair();
        const int32_t variant = in.valueRef();
        printMessage(engine, static_cast<uint8_t>(mark), static_cast<uint8_t>(variant));
        break;
    }
    case 'a': runRoutine(engine, static_cast<uint8_t>(in.hexPair())); break;
    case 'A': runTextRoutine(engine, in.hexPair()); break;
    case '|':
        in.next();
        in.next();
        break;
    default: break; // an unknown code consumes only its character
    }
}

// The copy of the text being formatted at the current nesting level.
// Deeper levels have copies of their own, so that formatting allocates
// nothing once warmed up, and running a routine from a code cannot change
// the text under the reader.
std::string& workingCopy(Engine& engine) {
    return engine.text.formatScratch[engine.text.formatDepth];
}

// Counts a text formatted inside the outermost one: a text that prints
// itself more than once per level must still end. False past the limit.
bool admitText(TextState& state) {
    if (state.formatDepth == 0) {
        state.nestedTexts = 0;
        return true;
    }
    return ++state.nestedTexts <= maxNestedTexts;
}

// Whether the text can be formatted at all: texts are not suppressed and
// the nesting is not too deep.
bool mayFormat(const Engine& engine) {
    return engine.world.byteVariables[11] == 0 && engine.text.formatDepth < maxFormatDepth;
}

// A verb stem written with the "e" of its infinitive in "-eln" or "-ern"
// before the regular ending («sie wandere/ve», «er lächele/ve») goes out
// without that "e": the ending then follows «wander», «lächel» and reads
// «wandern», «wandert», «lächelst», «wandere».
std::string_view withoutStemE(std::string_view plain, const MarkupReader& in) {
    const bool endingFollows = in.peekAhead(1) == 'v' && (in.peekAhead(2) | 0x20) == 'e';
    if (endingFollows && (plain.ends_with("ere") || plain.ends_with("ele"))) plain.remove_suffix(1);
    return plain;
}

void readCodes(Engine& engine, std::string& copy) {
    // "%" stands for an apostrophe; most texts have none.
    if (copy.find('%') != std::string::npos) std::replace(copy.begin(), copy.end(), '%', '\'');
    MarkupReader in(engine, copy);
    while (!in.atEnd()) {
        const std::string_view plain = withoutStemE(in.upToSlash(), in);
        if (!plain.empty()) outputText(engine, plain);
        if (in.atEnd()) break;
        in.next();             // the slash
        if (in.atEnd()) break; // a slash at the very end prints nothing
        handleCode(engine, in);
    }
}

// Formats the working copy of the current level one level deeper. A
// capitalised text raises its first character at once when that is plain
// text, else the first letter its markup produces.
void formatWorkingCopy(Engine& engine, FirstLetter first) {
    TextState& state = engine.text;
    if (!admitText(state)) return;
    std::string& copy = workingCopy(engine);
    ++state.formatDepth;
    if (first == FirstLetter::Capital && !copy.empty() && copy[0] != '/' &&
        showsAsCharacter(copy[0])) {
        copy[0] = capitalLetter(copy[0]);
        readCodes(engine, copy);
    } else if (first == FirstLetter::Capital) {
        CapitalScope capital(engine);
        readCodes(engine, copy);
    } else {
        readCodes(engine, copy);
    }
    --state.formatDepth;
}

} // namespace

void formatText(Engine& engine, std::string_view text, FirstLetter first) {
    if (!mayFormat(engine)) return;
    // Names and phrases mostly hold no markup and no "%": they go out as
    // they are, without the working copy and the reading for codes.
    const bool capital = first == FirstLetter::Capital;
    if (text.find('/') == std::string_view::npos && text.find('%') == std::string_view::npos &&
        (!capital || text.empty() || showsAsCharacter(text[0]))) {
        TextState& state = engine.text;
        if (!admitText(state)) return;
        ++state.formatDepth; // a capitalised copy goes in this level's buffer
        emit(engine, text, capital);
        --state.formatDepth;
        return;
    }
    workingCopy(engine).assign(text);
    formatWorkingCopy(engine, first);
}

void printTextMark(Engine& engine, uint8_t mark, uint8_t variant, bool addSpace) {
    World& w = engine.world;
    engine.machine.pendingMessage = {};
    if (w.byteVariables[11] != 0) return;
    // Variant 0 and variants past the last give no text, like a missing mark.
    const auto text = w.textVariant(mark, variant);
    if (!text) {
        if (!w.textBlock(mark)) {
            std::string error = "[Fehler: Textmarke ";
            error += DecimalText(mark).view();
            error += " nicht gefunden]";
            outputText(engine, error);
        }
        return;
    }
    if (!mayFormat(engine)) return;
    std::string_view rest = *text;
    while (true) {
        const std::size_t lf = rest.find('\n');
        const bool last = lf == std::string_view::npos;
        // The line goes straight into the working copy that formatting uses.
        std::string& line = workingCopy(engine);
        line.assign(rest.substr(0, lf));
        const FirstLetter first =
            engine.text.capitalizeNext ? FirstLetter::Capital : FirstLetter::AsWritten;
        engine.text.capitalizeNext = false;
        w.byteVariables[12] = 0;
        if (!line.empty()) {
            const std::string_view tail =
                std::string_view(line).substr(line.size() >= 2 ? line.size() - 2 : 0);
            if (line.size() >= 2 && (tail == "/#" || tail == "/X" || tail == "/x")) {
                // a line that ends in a break keeps it
            } else if (line.back() == '/') {
                line.pop_back(); // joins the next line without a space
            } else if (line.back() != ' ' && addSpace) {
                line.push_back(' ');
            }
        }
        if (!line.empty()) {
            // A routine run by an earlier line may have suppressed texts.
            if (w.byteVariables[11] == 0) formatWorkingCopy(engine, first);
        } else if (!last) {
            paragraphBreak(engine);
        } else {
            w.byteVariables[12] = 1;
        }
        if (last) break;
        rest = rest.substr(lf + 1);
    }
}

void printMessage(Engine& engine, uint8_t mark, uint8_t variant) {
    printTextMark(engine, mark, variant, true);
}

} // namespace rux
