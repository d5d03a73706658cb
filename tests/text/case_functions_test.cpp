#include <gtest/gtest.h>

#include "engine/text/case_functions.h"

namespace rux {
namespace {

TEST(CaseFunctions, CapitalizeFirstChangesOnlyTheFirstLetter) {
    EXPECT_EQ(capitalizeFirst("apfel und birne"), "Apfel und birne");
    EXPECT_EQ(capitalizeFirst("\xE4pfel"), "\xC4pfel");  // äpfel
    EXPECT_EQ(capitalizeFirst("\xFC" "ber"), "\xDC" "ber");
    EXPECT_EQ(capitalizeFirst("/b!05A"), "/b!05A");
    EXPECT_EQ(capitalizeFirst("\xDF"), "\xDF");  // ß has no single capital
    EXPECT_EQ(capitalizeFirst(""), "");
}

TEST(CaseFunctions, UpperAndLowerCaseAll) {
    EXPECT_EQ(upperCaseAll("stra\xDF" "e \xF6l"), "STRASSE \xD6L");
    EXPECT_EQ(upperCaseAll("xiv"), "XIV");
    EXPECT_EQ(lowerCaseAll("\xC4RGER \xDC" "BER Ma\xDF"), "\xE4rger \xFC" "ber ma\xDF");
}

TEST(CaseFunctions, ReplaceAllSearchesAgainFromTheStart) {
    EXPECT_EQ(replaceAll("aaa", "aa", "a"), "a");
    EXPECT_EQ(replaceAll("ins haus", "ins", "in das"), "in das haus");
    // A replacement containing its pattern must not loop forever.
    EXPECT_EQ(replaceAll("ab", "a", "aa"), "aab");
    EXPECT_EQ(replaceAll("text", "", "x"), "text");
}

}  // namespace
}  // namespace rux
