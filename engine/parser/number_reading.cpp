#include "engine/parser/number_reading.h"

#include "engine/engine.h"
#include "engine/parser/word_forms.h"
#include "engine/text/numbers.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace rux {

namespace {

constexpr uint8_t leadingZerosVariable = 35;
constexpr std::size_t numberTextLimit = 12;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNumberPunctuation(char c) {
    return c == '(' || c == ')' || c == '-' || c == '/' || c == '[' || c == ']';
}

// The number 0..last whose German word the word is, or -1.
int numberWordValue(std::string_view word, int first, int last) {
    for (int n = first; n <= last; ++n)
        if (word == numberWords(n)) return n;
    return -1;
}

// An optional sign and digits only; values beyond the 32-bit range stop
// growing there (they are far past any count anyway).
bool readsAsInteger(std::string_view word, int32_t& value) {
    std::size_t at = 0;
    bool negative = false;
    if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
        negative = word[0] == '-';
        at = 1;
    }
    if (at == word.size()) return false;
    int64_t magnitude = 0;
    for (; at < word.size(); ++at) {
        if (!isDigit(word[at])) return false;
        magnitude = std::min<int64_t>(magnitude * 10 + (word[at] - '0'), INT32_MAX);
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

std::string_view wordAt(const Engine& engine, int position) {
    return engine.parser.words.word(position).text;
}

} // namespace

bool isNumberText(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (!isDigit(c) && !isNumberPunctuation(c)) return false;
    return true;
}

NumberKind classifyNumber(Engine& engine, int32_t& value) {
    const int position = engine.parser.parsePosition;
    const std::string_view word = wordAt(engine, position);
    bool isCount = readsAsInteger(word, value);
    if (!isCount) {
        // "ein" is an article and never read as a count.
        const int n = numberWordValue(word, 2, 20);
        if (n >= 0) {
            value = n;
            isCount = true;
        }
    }
    // The whole typed word decides, as it does when the number is read: a
    // word whose first 12 characters look like a number but whose rest does
    // not is no number.
    if (!isCount)
        return isNumberText(fullTypedWord(engine, position)) ? NumberKind::NumberString
                                                             : NumberKind::None;
    if (value <= 0 || value > 20 || word.front() == '0' ||
        isNumberText(wordAt(engine, position + 1)))
        return NumberKind::NumberString;
    return NumberKind::Count;
}

bool readNumberString(Engine& engine, int32_t& value, std::string& text) {
    uint8_t& position = engine.parser.parsePosition;
    const uint8_t start = position;
    // The magnitude stops growing at the largest 32-bit number, so that ten
    // or more digits give a large number instead of a wrapped one.
    int64_t magnitude = 0;
    int leadingZeros = 0;
    bool digitSeen = false;
    bool minusSeen = false;
    std::string typed;
    for (;;) {
        // Each word is read into copies: a word that stops the number adds
        // nothing, not even a sign or a leading zero.
        int64_t wordMagnitude = magnitude;
        int wordZeros = leadingZeros;
        bool wordDigitSeen = digitSeen;
        bool wordMinusSeen = minusSeen;
        // The whole typed word: the word table keeps only 12 characters.
        const std::string word = fullTypedWord(engine, position);
        bool stopped = false;
        if (!word.empty() &&
            (isDigit(word[0]) || isNumberPunctuation(word[0]) || word[0] == '\\')) {
            for (const char c : word) {
                if (isDigit(c) && (c != '0' || wordDigitSeen)) {
                    wordDigitSeen = true;
                    wordMagnitude = std::min<int64_t>(wordMagnitude * 10 + (c - '0'), INT32_MAX);
                } else if (c == '0') {
                    ++wordZeros;
                } else if (c == '-' && !wordDigitSeen) {
                    wordMinusSeen = true;
                } else if (!isNumberPunctuation(c) && c != '\\') {
                    stopped = true;
                    break;
                }
            }
        } else {
            const int n = numberWordValue(word, 0, 9);
            if (n >= 0)
                wordMagnitude = std::min<int64_t>(wordMagnitude * 10 + n, INT32_MAX);
            else
                stopped = true;
        }
        if (stopped) {
            // The parser stands on the number's last word; when the first
            // word already stops it, on that word, never on one before it:
            // a parser sent back to an earlier word reads it again forever.
            if (position > start) --position;
            break;
        }
        magnitude = wordMagnitude;
        leadingZeros = wordZeros;
        digitSeen = wordDigitSeen;
        minusSeen = wordMinusSeen;
        if (!typed.empty()) typed += ' ';
        typed += word;
        ++position;
    }
    value = static_cast<int32_t>(minusSeen ? -magnitude : magnitude);
    engine.world.byteVariables[leadingZerosVariable] =
        static_cast<uint8_t>(std::min(leadingZeros, 255));
    // The text shows the first 12 typed characters. Every "/" is doubled
    // after the cut, so that it prints as itself and no lone "/" is left to
    // start markup.
    text.clear();
    for (const char c : std::string_view(typed).substr(0, numberTextLimit)) {
        text += c;
        if (c == '/') text += '/';
    }
    return magnitude != 0 || leadingZeros > 0;
}

} // namespace rux
