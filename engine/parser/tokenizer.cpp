#include "engine/parser/tokenizer.h"

#include "engine/engine.h"
#include "engine/parser/word_folding.h"

#include <algorithm>
#include <array>

namespace rux {

namespace {

constexpr char quote = '"';

// German quotation marks typed or pasted („…“, »…«, «…») open and close a
// quoted passage just as the plain double quote does; otherwise they would
// stick to the words and make them unknown.
bool isQuote(char c) {
    switch (static_cast<unsigned char>(c)) {
    case '"':
    case 0x84: // „
    case 0x93: // “
    case 0x94: // ”
    case 0xAB: // «
    case 0xBB: // »
        return true;
    default: return false;
    }
}

bool isPunctuation(char c) {
    return c == '!' || c == ',' || c == '.' || c == ':' || c == '?';
}

bool isSeparator(char c) {
    return c == ' ' || isQuote(c) || isPunctuation(c);
}

// Column and extent are kept as bytes; a longer line stops counting at 255.
uint8_t saturated(std::size_t n) {
    return static_cast<uint8_t>(std::min<std::size_t>(n, 255));
}

// Where each token lies in the line, uncut: column and extent are bytes,
// but a token may start or end beyond character 255.
struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
};
using Spans = std::array<Span, wordTableSlots + 1>;

// Splits the line into tokens. Tokens beyond the table's slots are dropped
// (with the characters of a quoted passage among them), so a line of any
// length fills at most the 24 slots.
void splitLine(ParserState& parser, const std::string& line, Spans& spans) {
    WordTable& words = parser.words;
    bool current = false; // a token has been started and has a slot
    bool quoted = false;
    char previous = ' ';
    auto startToken = [&](std::size_t at) {
        current = words.wordCount < wordTableSlots;
        if (!current) return;
        WordSlot& slot = words.slots[++words.wordCount];
        slot.column = saturated(at + 1);
        slot.extent = 0;
        spans[words.wordCount] = Span{at, 0};
    };
    auto grow = [&] {
        if (!current) return;
        Span& span = spans[words.wordCount];
        words.slots[words.wordCount].extent = saturated(++span.length);
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (isQuote(ch) && !quoted) {
            startToken(i);
            if (current) words.slots[words.wordCount].text.assign(1, quote);
            grow();
            quoted = true;
        } else if (isQuote(ch)) {
            quoted = false;
            grow();
        } else if (quoted) {
            if (current) parser.quotedText += ch;
            grow();
        } else if (ch == ' ') {
            // blanks only separate
        } else if (isPunctuation(ch)) {
            startToken(i);
            grow();
        } else {
            if (isSeparator(previous)) startToken(i);
            grow();
        }
        previous = ch;
    }
}

// Folds each token over the characters of the line it covers.
void foldTokens(WordTable& words, const Spans& spans) {
    for (int n = 1; n <= words.wordCount; ++n) {
        const std::string_view raw =
            std::string_view(words.line).substr(spans[n].begin, spans[n].length);
        foldWordInto(raw, words.slots[n].text); // a quoted passage keeps its leading quote
    }
}

// Applies the story's replacement rules from the first word on. Every rule
// that restarts a position removes a word, and a split cannot grow the table
// past its slots, so this ends.
void applyReplacementRules(Engine& engine) {
    WordTable& words = engine.parser.words;
    const std::vector<ReplacementRule>& rules = engine.world.replacementRules;
    int p = 1;
    while (p <= words.wordCount) {
        bool restart = false;
        for (const ReplacementRule& rule : rules) {
            if (words.slots[p].text != rule.match) continue;
            if (rule.kind == 1) {
                words.slots[p].text = rule.first;
            } else if (rule.kind == 2) {
                words.slots[p].text = rule.second;
                insertWordAt(engine, p);
                words.slots[p].text = rule.first;
            } else if (rule.kind == 3) {
                if (p + 1 > words.wordCount || words.slots[p + 1].text != rule.first) continue;
                removeWordAt(engine, p);
                words.slots[p].text = rule.second;
                restart = true;
                break;
            } else if (rule.kind == 4) {
                removeWordAt(engine, p);
                restart = true;
                break;
            }
        }
        if (!restart) ++p;
    }
}

} // namespace

void tokenize(Engine& engine, const std::string& line) {
    ParserState& parser = engine.parser;
    WordTable& words = parser.words;
    for (WordSlot& slot : words.slots)
        slot = WordSlot{};
    words.wordCount = 0;
    words.line = line;
    parser.quotedText.clear();
    Spans spans;
    splitLine(parser, line, spans);
    foldTokens(words, spans);
    applyReplacementRules(engine);
}

void insertWordAt(Engine& engine, int n) {
    WordTable& words = engine.parser.words;
    if (n < 1 || n > words.wordCount) return;
    // A full table lets its last word fall off, so that a split keeps both
    // halves of the word it splits wherever there is room for them.
    if (words.wordCount < wordTableSlots) ++words.wordCount;
    for (int k = words.wordCount; k > n; --k)
        words.slots[k] = words.slots[k - 1];
}

void removeWordAt(Engine& engine, int n) {
    WordTable& words = engine.parser.words;
    if (n < 1 || n > words.wordCount) return;
    for (int k = n; k < words.wordCount; ++k)
        words.slots[k] = std::move(words.slots[k + 1]);
    words.slots[words.wordCount] = WordSlot{};
    --words.wordCount;
}

void startNextSentence(Engine& engine, int k) {
    WordTable& words = engine.parser.words;
    if (k <= 1) return;
    const int remaining = k <= words.wordCount ? words.wordCount - k + 1 : 0;
    for (int n = 1; n <= remaining; ++n)
        words.slots[n] = std::move(words.slots[n + k - 1]);
    for (int n = remaining + 1; n <= wordTableSlots; ++n)
        words.slots[n] = WordSlot{};
    words.wordCount = static_cast<uint8_t>(remaining);
}

} // namespace rux
