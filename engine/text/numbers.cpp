#include "engine/text/numbers.h"

#include "engine/world/world.h"

#include <array>
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

std::string romanDigit(int digit, char unit, char five, char ten) {
    std::string letters;
    for (char c : romanPatterns[static_cast<std::size_t>(digit)])
        letters.push_back(c == '1' ? unit : c == '2' ? five : ten);
    return letters;
}

} // namespace

std::string numberWords(int32_t n) {
    if (n < 0 || n > 100) return std::to_string(n);
    if (n <= 20) return std::string(smallNumberWords[static_cast<std::size_t>(n)]);
    const int units = n % 10;
    const std::string_view tens =
        n < 30 ? smallNumberWords[20] : tensWords[static_cast<std::size_t>(n / 10)];
    if (units == 0) return std::string(tens);
    // Built in one string: numbers are printed often.
    std::string words(smallNumberWords[static_cast<std::size_t>(units)]);
    words += "und";
    words += tens;
    return words;
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
