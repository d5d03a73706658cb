// Numbers in German words, ordinal stems, roman numerals and letters.

#include "engine/text/codepage.h"
#include "engine/text/numbers.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace rux {
namespace {

std::string utf8(const std::string& text) {
    return cp1252ToUtf8(text);
}

// 0..101 as a German reader writes them ("ein", not "eins"; "hundert").
const std::array<const char*, 102> cardinalWords{"null",
                                                 "ein",
                                                 "zwei",
                                                 "drei",
                                                 "vier",
                                                 "fünf",
                                                 "sechs",
                                                 "sieben",
                                                 "acht",
                                                 "neun",
                                                 "zehn",
                                                 "elf",
                                                 "zwölf",
                                                 "dreizehn",
                                                 "vierzehn",
                                                 "fünfzehn",
                                                 "sechzehn",
                                                 "siebzehn",
                                                 "achtzehn",
                                                 "neunzehn",
                                                 "zwanzig",
                                                 "einundzwanzig",
                                                 "zweiundzwanzig",
                                                 "dreiundzwanzig",
                                                 "vierundzwanzig",
                                                 "fünfundzwanzig",
                                                 "sechsundzwanzig",
                                                 "siebenundzwanzig",
                                                 "achtundzwanzig",
                                                 "neunundzwanzig",
                                                 "dreißig",
                                                 "einunddreißig",
                                                 "zweiunddreißig",
                                                 "dreiunddreißig",
                                                 "vierunddreißig",
                                                 "fünfunddreißig",
                                                 "sechsunddreißig",
                                                 "siebenunddreißig",
                                                 "achtunddreißig",
                                                 "neununddreißig",
                                                 "vierzig",
                                                 "einundvierzig",
                                                 "zweiundvierzig",
                                                 "dreiundvierzig",
                                                 "vierundvierzig",
                                                 "fünfundvierzig",
                                                 "sechsundvierzig",
                                                 "siebenundvierzig",
                                                 "achtundvierzig",
                                                 "neunundvierzig",
                                                 "fünfzig",
                                                 "einundfünfzig",
                                                 "zweiundfünfzig",
                                                 "dreiundfünfzig",
                                                 "vierundfünfzig",
                                                 "fünfundfünfzig",
                                                 "sechsundfünfzig",
                                                 "siebenundfünfzig",
                                                 "achtundfünfzig",
                                                 "neunundfünfzig",
                                                 "sechzig",
                                                 "einundsechzig",
                                                 "zweiundsechzig",
                                                 "dreiundsechzig",
                                                 "vierundsechzig",
                                                 "fünfundsechzig",
                                                 "sechsundsechzig",
                                                 "siebenundsechzig",
                                                 "achtundsechzig",
                                                 "neunundsechzig",
                                                 "siebzig",
                                                 "einundsiebzig",
                                                 "zweiundsiebzig",
                                                 "dreiundsiebzig",
                                                 "vierundsiebzig",
                                                 "fünfundsiebzig",
                                                 "sechsundsiebzig",
                                                 "siebenundsiebzig",
                                                 "achtundsiebzig",
                                                 "neunundsiebzig",
                                                 "achtzig",
                                                 "einundachtzig",
                                                 "zweiundachtzig",
                                                 "dreiundachtzig",
                                                 "vierundachtzig",
                                                 "fünfundachtzig",
                                                 "sechsundachtzig",
                                                 "siebenundachtzig",
                                                 "achtundachtzig",
                                                 "neunundachtzig",
                                                 "neunzig",
                                                 "einundneunzig",
                                                 "zweiundneunzig",
                                                 "dreiundneunzig",
                                                 "vierundneunzig",
                                                 "fünfundneunzig",
                                                 "sechsundneunzig",
                                                 "siebenundneunzig",
                                                 "achtundneunzig",
                                                 "neunundneunzig",
                                                 "hundert",
                                                 "101"};

TEST(NumberWords, ZeroToHundredAndOne) {
    for (int n = 0; n <= 101; ++n)
        EXPECT_EQ(utf8(numberWords(n)), cardinalWords[n]) << n;
}

TEST(NumberWords, OutsideTheWordRangeInDigits) {
    EXPECT_EQ(numberWords(-1), "-1");
    EXPECT_EQ(numberWords(-3), "-3");
    EXPECT_EQ(numberWords(1000), "1000");
    EXPECT_EQ(numberWords(INT32_MAX), "2147483647");
    EXPECT_EQ(numberWords(INT32_MIN), "-2147483648");
}

TEST(OrdinalStem, StemsTakeTheAdjectiveEndingLater) {
    const struct {
        int n;
        const char* stem;
    } cases[] = {{0, "nullt"},      {1, "erst"},
                 {2, "zweit"},      {3, "dritt"},
                 {4, "viert"},      {6, "sechst"},
                 {7, "siebt"},      {8, "acht"},
                 {11, "elft"},      {12, "zwölft"},
                 {17, "siebzehnt"}, {19, "neunzehnt"},
                 {20, "zwanzigst"}, {21, "einundzwanzigst"},
                 {30, "dreißigst"}, {99, "neunundneunzigst"},
                 {100, "hundertst"}};
    for (const auto& c : cases)
        EXPECT_EQ(utf8(ordinalStem(c.n)), c.stem) << c.n;
}

TEST(OrdinalStem, BeyondHundredDigitsAndFullStop) {
    EXPECT_EQ(ordinalStem(101), "101.");
    EXPECT_EQ(ordinalStem(-101), "-101.");
    EXPECT_EQ(ordinalStem(2024), "2024.");
    EXPECT_EQ(ordinalStem(INT32_MIN), "-2147483648.");
    EXPECT_EQ(ordinalStem(INT32_MAX), "2147483647.");
}

TEST(RomanNumeral, SmallLetters) {
    const struct {
        int n;
        const char* roman;
    } cases[] = {{1, "i"},    {3, "iii"},  {4, "iv"},         {5, "v"},         {8, "viii"},
                 {9, "ix"},   {14, "xiv"}, {40, "xl"},        {49, "xlix"},     {90, "xc"},
                 {400, "cd"}, {900, "cm"}, {1994, "mcmxciv"}, {2024, "mmxxiv"}, {3500, "mmmd"}};
    for (const auto& c : cases)
        EXPECT_EQ(romanNumeral(c.n), c.roman) << c.n;
}

TEST(RomanNumeral, CutToTwelveLetters) {
    EXPECT_EQ(romanNumeral(2888), "mmdccclxxxvi");
    EXPECT_EQ(romanNumeral(1888), "mdccclxxxvii");
    EXPECT_EQ(romanNumeral(3388).size(), 12u);
}

TEST(RomanNumeral, OutOfRangeInDigits) {
    EXPECT_EQ(romanNumeral(0), "0");
    EXPECT_EQ(romanNumeral(-5), "-5");
    EXPECT_EQ(romanNumeral(3501), "3501");
    EXPECT_EQ(romanNumeral(INT32_MIN), "-2147483648");
}

TEST(LetterFor, AlphabetAndBoundaries) {
    EXPECT_EQ(letterFor(1), 'a');
    EXPECT_EQ(letterFor(26), 'z');
    EXPECT_EQ(letterFor(0), '`');
    EXPECT_EQ(letterFor(27), '?');
    EXPECT_EQ(letterFor(-1), '?');
    EXPECT_EQ(letterFor(INT32_MIN), '?');
}

} // namespace
} // namespace rux
