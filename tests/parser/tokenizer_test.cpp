#include "engine/parser/word_folding.h"
#include "tests/parser/parser_fixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace rux::test {
namespace {

using storykit::Story;

struct LineCase {
    const char* line;
    const char* words;
};

TEST(Tokenizer, SplitsAndFoldsLines) {
    const LineCase cases[] = {
        {"Nimm den Schlüssel, dann geh nach Norden.",
         "nimm|den|schlüssel|,|dann|geh|nach|norden|."},
        {"x,y", "x|,|y"},
        {"1-2 3/4 don't", "1-2|3/4|don't"},
        {"Hans: lauf!?", "hans|:|lauf|!|?"},
        {"GRUESSE Strasse Straße", "grüsse|strasse|strasse"},
        {"Feuer Bauer Quelle Säue", "feuer|bauer|quelle|säue"},
        {"Aepfel Oel ÜBER Über", "äpfel|öl|über|über"},
        {"   ", ""},
        {"", ""},
    };
    ParserFixture f;
    for (const LineCase& c : cases) {
        f.type(c.line);
        EXPECT_EQ(f.words(), c.words) << c.line;
    }
}

TEST(Tokenizer, LongWordsKeepTheirWholeExtent) {
    ParserFixture f;
    f.type("nimm Donaudampfschiff.");
    const WordTable& t = f.parser().words;
    EXPECT_EQ(t.slots[2].text, "donaudampfsc");
    EXPECT_EQ(t.slots[2].column, 6);
    EXPECT_EQ(t.slots[2].extent, 16);
    EXPECT_EQ(t.slots[3].column, 22);
}

TEST(Tokenizer, AQuotedPassageIsOneToken) {
    ParserFixture f;
    f.type("sage \"Hallo, wie geht's\" hans");
    EXPECT_EQ(f.parser().words.wordCount, 3);
    EXPECT_EQ(f.parser().words.slots[2].text.front(), '"');
    EXPECT_EQ(f.parser().words.slots[2].extent, 19);
    EXPECT_EQ(f.parser().quotedText, "Hallo, wie geht's");
    // German quotation marks, typed or pasted, quote just the same.
    for (const char* line : {"sage „Guten Tag“ hans", "sage »Guten Tag« hans"}) {
        f.type(line);
        EXPECT_EQ(f.parser().words.wordCount, 3) << line;
        EXPECT_EQ(f.parser().quotedText, "Guten Tag") << line;
    }
    f.type("sage \"offen");
    EXPECT_EQ(f.parser().quotedText, "offen");
    f.type("warte");
    EXPECT_EQ(f.parser().quotedText, "");
}

Story storyWithRules() {
    Story story;
    story.replacementRules = {
        {2, "zum", "zu", "dem"},  {4, "bitte", "", ""},     {3, "heb", "auf", "nimm"},
        {1, "nehme", "nimm", ""}, {1, "nimm", "greif", ""}, {2, "zur", "zu", "der"},
        {1, "der", "die", ""},
    };
    return story;
}

TEST(Tokenizer, ReplacementRulesChain) {
    const LineCase cases[] = {
        {"geh zum haus", "geh|zu|dem|haus"}, {"bitte bitte nimm lampe", "greif|lampe"},
        {"heb auf lampe", "greif|lampe"},  // joined, then replaced again from the first rule
        {"nehme lampe", "greif|lampe"},    // replaced twice in one pass
        {"geh zur tür", "geh|zu|die|tür"}, // the second half of a split is examined too
    };
    ParserFixture f(storyWithRules());
    for (const LineCase& c : cases) {
        f.type(c.line);
        EXPECT_EQ(f.words(), c.words) << c.line;
    }
}

TEST(Tokenizer, TheTableNeverGrowsPastItsSlots) {
    ParserFixture f(storyWithRules());
    std::string line;
    for (int i = 1; i <= 40; ++i)
        line += "w" + std::to_string(i) + " ";
    f.type(line);
    EXPECT_EQ(f.parser().words.wordCount, 24);
    EXPECT_EQ(f.parser().words.slots[24].text, "w24");

    // Splits on a full table push the last words out.
    std::string zums;
    for (int i = 0; i < 30; ++i)
        zums += "zum ";
    f.type(zums);
    EXPECT_EQ(f.parser().words.wordCount, 24);
    EXPECT_EQ(f.parser().words.slots[23].text, "zu");
    EXPECT_EQ(f.parser().words.slots[24].text, "dem");
}

TEST(Tokenizer, AnyBytesAreSafe) {
    ParserFixture f(storyWithRules());
    std::mt19937 random(12);
    for (int round = 0; round < 50; ++round) {
        std::string line(static_cast<std::size_t>(random() % 2000), ' ');
        for (char& c : line)
            c = static_cast<char>(random() % 256);
        tokenize(f.engine(), line);
        EXPECT_LE(f.parser().words.wordCount, 24);
        for (int n = 1; n <= f.parser().words.wordCount; ++n)
            EXPECT_LE(f.parser().words.slots[n].text.size(), 12u);
    }
    tokenize(f.engine(), std::string(100000, 'a') + " b");
    EXPECT_EQ(f.parser().words.wordCount, 2);
    EXPECT_EQ(f.parser().words.slots[1].extent, 255);
    tokenize(f.engine(), std::string(300, ' ') + "Lampe");
    EXPECT_EQ(f.parser().words.slots[1].text, "lampe");
}

TEST(Tokenizer, SlotOperations) {
    ParserFixture f;
    f.type("a b c d");
    insertWordAt(f.engine(), 2);
    EXPECT_EQ(f.words(), "a|b|b|c|d");
    removeWordAt(f.engine(), 1);
    EXPECT_EQ(f.words(), "b|b|c|d");
    startNextSentence(f.engine(), 3);
    EXPECT_EQ(f.words(), "c|d");
    EXPECT_EQ(f.parser().words.slots[1].column, 5);
    EXPECT_TRUE(f.parser().words.slots[3].text.empty());
}

// Every word of the German word list with "ä", "ö", "ü" or "ß" folds like
// its spelling with "ae", "oe", "ue", "ss", except where "ue" follows "a",
// "e" or "q" and stays "ue".
TEST(Tokenizer, FoldingAgreesWithTheGermanWordList) {
    std::ifstream list("/usr/share/dict/ngerman");
    if (!list) GTEST_SKIP() << "/usr/share/dict/ngerman missing: install the package wngerman";
    int checked = 0;
    int kept = 0;
    int differing = 0;
    std::string line;
    while (std::getline(list, line)) {
        const std::string word = utf8ToCp1252(line);
        std::string spelled;
        bool special = false;
        bool keepsUe = false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = word[i];
            const char before = i > 0 ? word[i - 1] : ' ';
            switch (c) {
            case '\xE4':
                spelled += "ae";
                special = true;
                break;
            case '\xC4':
                spelled += "Ae";
                special = true;
                break;
            case '\xF6':
                spelled += "oe";
                special = true;
                break;
            case '\xD6':
                spelled += "Oe";
                special = true;
                break;
            case '\xDF':
                spelled += "ss";
                special = true;
                break;
            case '\xFC':
            case '\xDC':
                spelled += c == '\xFC' ? "ue" : "Ue";
                special = true;
                if (std::string_view("aeqAEQ\xE4\xC4").find(before) != std::string_view::npos)
                    keepsUe = true;
                break;
            default: spelled += c;
            }
        }
        if (!special) continue;
        ++checked;
        if (keepsUe) {
            ++kept;
            continue;
        }
        if (foldWord(word) != foldWord(spelled)) {
            ++differing;
            ADD_FAILURE() << line << ": " << cp1252ToUtf8(foldWord(word)) << " vs "
                          << cp1252ToUtf8(foldWord(spelled));
            if (differing > 20) break;
        }
    }
    std::cout << "[ folding ] " << checked << " words with umlauts or sharp s, " << kept
              << " keep \"ue\", " << differing << " differ\n";
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace rux::test
