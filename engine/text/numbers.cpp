#include "engine/text/numbers.h"

#include "engine/world/world.h"

#include <array>
#include <charconv>
#include <iterator>
#include <string_view>

namespace rux {
namespace {

// The words for 0..20; the tens 30..90 and 100 follow in tensWords.
// Umlauts and sharp s are Windows-1252 octal escapes.
constexpr std::array<std::string_view, 21> smallNumberWords{
    "null",     "ein",         "zwei",     "drei",     "vier",     "f\374nf",  "sechs",
    "sieben",   "acht",        "neun",     "zehn",     "elf",      "zw\366lf", "dreizehn",
    "vierzehn", "f\374nfzehn", "sechzehn", "siebzehn", "achtzehn", "neunzehn", "zwanzig"};

// Index k is the word for k * 10; 30..100 only, the rest come from smallNumberWords.
constexpr std::array<std::string_view, 11> tensWords{
    "",        "",        "",        "drei\337ig", "vierzig", "f\374nfzig",
    "sechzig", "siebzig", "achtzig", "neunzig",    "hundert"};

// Digit patterns: 1 the unit letter, 2 the five letter, 3 the next unit.
constexpr std::array<std::string_view, 10> romanPatterns{"",  "1",  "11",  "111",  "12",
                                                         "2", "21", "211", "2111", "13"};

constexpr std::size_t romanCapacity = 12;

// The words for 0..100, each with its length, built once by the compiler.
struct NumberWord {
    char letters[20];
    std::size_t size;
};

constexpr NumberWord makeNumberWord(int n) {
    NumberWord word{};
    const auto add = [&word](std::string_view part) {
        for (const char c : part)
            word.letters[word.size++] = c;
    };
    if (n <= 20) {
        add(smallNumberWords[static_cast<std::size_t>(n)]);
        return word;
    }
    if (n % 10 != 0) {
        add(smallNumberWords[static_cast<std::size_t>(n % 10)]);
        add("und");
    }
    add(n < 30 ? smallNumberWords[20] : tensWords[static_cast<std::size_t>(n / 10)]);
    return word;
}

constexpr std::array<NumberWord, 101> numberWordTable = [] {
    std::array<NumberWord, 101> table{};
    for (int n = 0; n <= 100; ++n)
        table[static_cast<std::size_t>(n)] = makeNumberWord(n);
    return table;
}();

std::string romanDigit(int digit, char unit, char five, char ten) {
    std::string letters;
    for (char c : romanPatterns[static_cast<std::size_t>(digit)])
        letters.push_back(c == '1' ? unit : c == '2' ? five : ten);
    return letters;
}

} // namespace

NumberWords::NumberWords(int32_t n) {
    if (n >= 0 && n <= 100) {
        const NumberWord& word = numberWordTable[static_cast<std::size_t>(n)];
        view_ = std::string_view(word.letters, word.size);
    } else {
        view_ = std::string_view(
            digits_, static_cast<std::size_t>(
                         std::to_chars(std::begin(digits_), std::end(digits_), n).ptr - digits_));
    }
}

std::string numberWords(int32_t n) {
    return std::string(NumberWords(n).view());
}

std::string ordinalStem(int32_t n) {
    const int64_t magnitude = n < 0 ? -static_cast<int64_t>(n) : n;
    if (magnitude > 100) return std::to_string(n) + ".";
    switch (n) {
    case 1: return "erst";
    case 3: return "dritt";
    case 7: return "siebt";
    case 8: return "acht";
    default: break;
    }
    return shortString(numberWords(n) + (n < 20 ? "t" : "st"), nameCapacity);
}

std::string romanNumeral(int32_t n) {
    if (n <= 0 || n > 3500) return std::to_string(n);
    std::string letters = romanDigit(n / 1000, 'm', '*', '*');
    letters += romanDigit(n / 100 % 10, 'c', 'd', 'm');
    letters += romanDigit(n / 10 % 10, 'x', 'l', 'c');
    letters += romanDigit(n % 10, 'i', 'v', 'x');
    return letters.substr(0, romanCapacity);
}

char letterFor(int32_t n) {
    return n >= 0 && n <= 26 ? static_cast<char>(n + 96) : '?';
}

} // namespace rux
