// German noun phrases: articles, adjective and noun endings for every case,
// gender class and article kind, the pseudo-objects and pronouns.

#include "engine/text/codepage.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"
#include "tests/support/test_engine.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

using CaseForms3 = std::array<const char*, 3>; // nominative, accusative, dative; nullptr skips

struct NounRow {
    const char* name;
    uint8_t gender;
    uint8_t articleKind;
    CaseForms3 definite;
    CaseForms3 indefinite;
    CaseForms3 bare;
    CaseForms3 negated;
};

// Expected phrases as a German reader writes them.
const std::vector<NounRow>& nounRows() {
    static const std::vector<NounRow> rows = {
        // weak masculine: "~" after "er" gives "n"
        {"alt^ Bauer~",
         1,
         0,
         {"der alte Bauer", "den alten Bauern", "dem alten Bauern"},
         {"ein alter Bauer", "einen alten Bauern", "einem alten Bauern"},
         {"alter Bauer", "alten Bauern", "altem Bauern"},
         {"kein alter Bauer", "keinen alten Bauern", "keinem alten Bauern"}},
        // weak masculine after a consonant: "en"
        {"Held~",
         1,
         0,
         {"der Held", "den Helden", "dem Helden"},
         {"ein Held", "einen Helden", "einem Helden"},
         {"Held", "Helden", "Helden"},
         {"kein Held", "keinen Helden", "keinem Helden"}},
        // weak masculine after a vowel: "n"
        {"Junge~",
         1,
         0,
         {"der Junge", "den Jungen", "dem Jungen"},
         {"ein Junge", "einen Jungen", "einem Jungen"},
         {"Junge", "Jungen", "Jungen"},
         {"kein Junge", "keinen Jungen", "keinem Jungen"}},
        {"rot^ Apfel",
         1,
         0,
         {"der rote Apfel", "den roten Apfel", "dem roten Apfel"},
         {"ein roter Apfel", "einen roten Apfel", "einem roten Apfel"},
         {"roter Apfel", "roten Apfel", "rotem Apfel"},
         {"kein roter Apfel", "keinen roten Apfel", "keinem roten Apfel"}},
        {"klein^ Lampe",
         2,
         0,
         {"die kleine Lampe", "die kleine Lampe", "der kleinen Lampe"},
         {"eine kleine Lampe", "eine kleine Lampe", "einer kleinen Lampe"},
         {"kleine Lampe", "kleine Lampe", "kleiner Lampe"},
         {"keine kleine Lampe", "keine kleine Lampe", "keiner kleinen Lampe"}},
        {"neu^ Buch",
         3,
         0,
         {"das neue Buch", "das neue Buch", "dem neuen Buch"},
         {"ein neues Buch", "ein neues Buch", "einem neuen Buch"},
         {"neues Buch", "neues Buch", "neuem Buch"},
         {"kein neues Buch", "kein neues Buch", "keinem neuen Buch"}},
        // a plural name: the dative adds "n", no indefinite article
        {"rot^ Äpfel~",
         0,
         0,
         {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"},
         {"rote Äpfel", "rote Äpfel", "roten Äpfeln"},
         {"rote Äpfel", "rote Äpfel", "roten Äpfeln"},
         {"keine roten Äpfel", "keine roten Äpfel", "keinen roten Äpfeln"}},
        // proper name: never an article
        {"Hans", 1, 1, {"Hans", "Hans", "Hans"}, {"Hans", "Hans", "Hans"}, {}, {}},
        // no indefinite article, definite article as usual
        {"Gold", 3, 2, {"das Gold", "das Gold", "dem Gold"}, {"Gold", "Gold", "Gold"}, {}, {}},
        // mass noun
        {"Wasser",
         3,
         3,
         {"das Wasser", "das Wasser", "dem Wasser"},
         {"etwas Wasser", "etwas Wasser", "etwas Wasser"},
         {},
         {}},
        {"Leute~",
         0,
         3,
         {"die Leute", "die Leute", "den Leuten"},
         {"einige Leute", "einige Leute", "einigen Leuten"},
         {},
         {}},
        // unique things: the definite article also in indefinite phrases
        {"Sonne",
         2,
         4,
         {"die Sonne", "die Sonne", "der Sonne"},
         {"die Sonne", "die Sonne", "der Sonne"},
         {},
         {}},
        // possessive, second person by default
        {"alt^ Rucksack",
         1,
         5,
         {"der alte Rucksack", "den alten Rucksack", "dem alten Rucksack"},
         {"dein alter Rucksack", "deinen alten Rucksack", "deinem alten Rucksack"},
         {},
         {}},
        {"Tasche", 2, 5, {}, {"deine Tasche", "deine Tasche", "deiner Tasche"}, {}, {}},
        {"Messer", 3, 5, {}, {"dein Messer", "dein Messer", "deinem Messer"}, {}, {}},
        // The same adjectives after every other article kind.
        {"klein^ Hans",
         1,
         1,
         {"kleiner Hans", "kleinen Hans", "kleinem Hans"},
         {"kleiner Hans", "kleinen Hans", "kleinem Hans"},
         {"kleiner Hans", "kleinen Hans", "kleinem Hans"},
         {"kein kleiner Hans", "keinen kleinen Hans", "keinem kleinen Hans"}},
        {"kalt^ Wasser",
         3,
         2,
         {"das kalte Wasser", "das kalte Wasser", "dem kalten Wasser"},
         {"kaltes Wasser", "kaltes Wasser", "kaltem Wasser"},
         {},
         {}},
        {"frisch^ Milch",
         2,
         2,
         {"die frische Milch", "die frische Milch", "der frischen Milch"},
         {"frische Milch", "frische Milch", "frischer Milch"},
         {},
         {}},
        {"rot^ Äpfel~",
         0,
         2,
         {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"},
         {"rote Äpfel", "rote Äpfel", "roten Äpfeln"},
         {},
         {}},
        {"kalt^ Wasser",
         3,
         3,
         {"das kalte Wasser", "das kalte Wasser", "dem kalten Wasser"},
         {"etwas kaltes Wasser", "etwas kaltes Wasser", "etwas kaltem Wasser"},
         {},
         {}},
        {"frisch^ Milch",
         2,
         3,
         {},
         {"etwas frische Milch", "etwas frische Milch", "etwas frischer Milch"},
         {},
         {}},
        {"rot^ Äpfel~",
         0,
         3,
         {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"},
         {"einige rote Äpfel", "einige rote Äpfel", "einigen roten Äpfeln"},
         {},
         {}},
        {"rot^ Apfel",
         1,
         4,
         {"der rote Apfel", "den roten Apfel", "dem roten Apfel"},
         {"der rote Apfel", "den roten Apfel", "dem roten Apfel"},
         {},
         {}},
        {"klein^ Lampe",
         2,
         4,
         {},
         {"die kleine Lampe", "die kleine Lampe", "der kleinen Lampe"},
         {},
         {}},
        {"rot^ Äpfel~",
         0,
         4,
         {},
         {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"},
         {},
         {"keine roten Äpfel", "keine roten Äpfel", "keinen roten Äpfeln"}},
        {"alt^ Bauer~",
         1,
         5,
         {"der alte Bauer", "den alten Bauern", "dem alten Bauern"},
         {"dein alter Bauer", "deinen alten Bauern", "deinem alten Bauern"},
         {},
         {}},
        {"alt^ Buch",
         3,
         5,
         {},
         {"dein altes Buch", "dein altes Buch", "deinem alten Buch"},
         {},
         {"kein altes Buch", "kein altes Buch", "keinem alten Buch"}},
        {"klein^ Lampe",
         2,
         5,
         {},
         {"deine kleine Lampe", "deine kleine Lampe", "deiner kleinen Lampe"},
         {},
         {}},
        {"rot^ Äpfel~",
         0,
         5,
         {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"},
         {"deine roten Äpfel", "deine roten Äpfel", "deinen roten Äpfeln"},
         {},
         {}},
    };
    return rows;
}

class NounPhraseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (const NounRow& row : nounRows()) {
            StoryObject object;
            object.name = cp(row.name);
            object.gender = row.gender;
            object.articleKind = row.articleKind;
            story.addObject(object);
        }
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }

    std::unique_ptr<test::TestEngine> test;
};

void expectForms(const char* what, const char* name, const CaseForms3& expected,
                 const std::function<std::string(int)>& phrase) {
    for (int c = 0; c < 3; ++c) {
        if (expected[c] == nullptr) continue;
        EXPECT_EQ(cp1252ToUtf8(phrase(c)), expected[c])
            << what << " of \"" << name << "\", case " << c;
    }
}

TEST_F(NounPhraseTest, EveryCaseGenderAndArticleKind) {
    const auto& rows = nounRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto object = static_cast<uint8_t>(i + 1);
        const NounRow& row = rows[i];
        expectForms("definite", row.name, row.definite,
                    [&](int c) { return definitePhrase(engine(), object, c); });
        expectForms("indefinite", row.name, row.indefinite,
                    [&](int c) { return indefinitePhrase(engine(), object, c); });
        expectForms("bare", row.name, row.bare,
                    [&](int c) { return barePhrase(engine(), object, c); });
        expectForms("negated", row.name, row.negated,
                    [&](int c) { return negatedPhrase(engine(), object, c); });
    }
}

uint8_t objectNamed(const char* name) {
    const auto& rows = nounRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (std::string(rows[i].name) == name) return static_cast<uint8_t>(i + 1);
    return 0;
}

TEST_F(NounPhraseTest, PossessiveFollowsNarrativePerson) {
    const uint8_t rucksack = objectNamed("alt^ Rucksack");
    const uint8_t tasche = objectNamed("Tasche");
    engine().world.byteVariables[31] = 1;
    EXPECT_EQ(indefinitePhrase(engine(), rucksack, 1), "meinen alten Rucksack");
    EXPECT_EQ(indefinitePhrase(engine(), tasche, 2), "meiner Tasche");
    engine().world.byteVariables[31] = 2;
    EXPECT_EQ(indefinitePhrase(engine(), rucksack, 1), "Ihren alten Rucksack");
    EXPECT_EQ(indefinitePhrase(engine(), tasche, 0), "Ihre Tasche");
    engine().world.byteVariables[31] = 3;
    EXPECT_EQ(indefinitePhrase(engine(), rucksack, 0), "dein alter Rucksack");
}

TEST_F(NounPhraseTest, PluralPossessivesTakeTheWeakEndingsForEveryPerson) {
    uint8_t apples = 0; // the plural apples with the possessive
    for (uint8_t object = 1; object <= nounRows().size(); ++object)
        if (engine().world.objects[object].articleKind == 5 &&
            engine().world.objects[object].gender == 0)
            apples = object;
    ASSERT_NE(apples, 0);
    engine().world.byteVariables[31] = 1;
    EXPECT_EQ(cp1252ToUtf8(indefinitePhrase(engine(), apples, 0)), "meine roten Äpfel");
    EXPECT_EQ(cp1252ToUtf8(indefinitePhrase(engine(), apples, 2)), "meinen roten Äpfeln");
    engine().world.byteVariables[31] = 2;
    EXPECT_EQ(cp1252ToUtf8(indefinitePhrase(engine(), apples, 1)), "Ihre roten Äpfel");
}

// The parser's text for a typed phrase that fits no object.
TEST_F(NounPhraseTest, NegatedTextOfATypedPhrase) {
    EXPECT_EQ(cp1252ToUtf8(negatedText(engine(), cp(" grün^ Schlüssel"), 1, 1)),
              "keinen grünen Schlüssel");
    EXPECT_EQ(cp1252ToUtf8(negatedText(engine(), cp(" rot^ Äpfel~"), 0, 1)), "keine roten Äpfel");
}

TEST_F(NounPhraseTest, LastPreparedPhraseDrivesEndingMarkup) {
    const uint8_t farmer = objectNamed("alt^ Bauer~");
    const uint8_t apples = objectNamed("rot^ Äpfel~");
    const uint8_t lamp = objectNamed("klein^ Lampe");

    definitePhrase(engine(), farmer, 1);
    EXPECT_EQ(adjectiveEnding(engine()), "en");
    EXPECT_EQ(nounEndingKind(engine()), 2);
    indefinitePhrase(engine(), farmer, 0);
    EXPECT_EQ(adjectiveEnding(engine()), "er");
    EXPECT_EQ(nounEndingKind(engine()), 0);
    barePhrase(engine(), apples, 2);
    EXPECT_EQ(adjectiveEnding(engine()), "en");
    EXPECT_EQ(nounEndingKind(engine()), 1);
    barePhrase(engine(), lamp, 2);
    EXPECT_EQ(adjectiveEnding(engine()), "er");
    EXPECT_EQ(nounEndingKind(engine()), 0);
}

TEST_F(NounPhraseTest, NounEndingMarkerPlacement) {
    World& world = engine().world;
    ObjectRecord& record = world.objects[1];
    record.gender = 1;
    record.name = "Xel~"; // after "el": "n"
    EXPECT_EQ(definitePhrase(engine(), 1, 1), "den Xeln");
    record.name = "~Ding"; // nothing before the marker: "en"
    EXPECT_EQ(definitePhrase(engine(), 1, 2), "dem enDing");
    record.name = "Graf~ und Bauer~"; // every marker is replaced
    EXPECT_EQ(definitePhrase(engine(), 1, 1), "den Grafen und Bauern");
    EXPECT_EQ(definitePhrase(engine(), 1, 0), "der Graf und Bauer");
    record.gender = 0;
    record.name = "~Dinge~"; // dative plural: "n", but "en" at the very start
    EXPECT_EQ(definitePhrase(engine(), 1, 2), "den enDingen");
}

TEST_F(NounPhraseTest, NounEndingLooksAtTheNameBeforeItsAdjectiveEndings) {
    ObjectRecord& record = engine().world.objects[1];
    record.gender = 1;
    record.name = "Bote^~"; // the "~" follows the marker, not the ending "en"
    EXPECT_EQ(definitePhrase(engine(), 1, 1), "den Boteenen");
    record.name = "Bote~^"; // the ending follows the noun ending
    EXPECT_EQ(definitePhrase(engine(), 1, 1), "den Botenen");
    record.name = "e^~"; // "e" and "^" are no "el" or "er"
    EXPECT_EQ(indefinitePhrase(engine(), 1, 1), "einen eenen");
}

TEST_F(NounPhraseTest, NamesFullOfMarkersAreReplacedThroughout) {
    ObjectRecord& record = engine().world.objects[1];
    record.gender = 1;
    record.articleKind = 0;
    std::string endings;
    for (int i = 0; i < 36; ++i)
        endings += "en";
    record.name = std::string(36, '^'); // each marker doubles in length
    EXPECT_EQ(definitePhrase(engine(), 1, 1), "den " + endings);
    record.name = std::string(36, '~');
    EXPECT_EQ(definitePhrase(engine(), 1, 2), "dem " + endings);
    // A longer name than any story stores, set by hand: nothing is lost.
    std::string longName, expected;
    for (int i = 0; i < 40; ++i) {
        longName += "ab^~";
        expected += "abenen";
    }
    record.name = longName;
    EXPECT_EQ(barePhrase(engine(), 1, 1), expected);
}

TEST(KeinEnding, AllCasesAndGenders) {
    const std::array<std::array<const char*, 4>, 3> expected{{
        {"e", "", "e", ""},
        {"e", "en", "e", ""},
        {"en", "em", "er", "em"},
    }};
    for (int c = 0; c < 3; ++c)
        for (int g = 0; g < 4; ++g)
            EXPECT_EQ(keinEnding(g, c), expected[c][g]) << "case " << c << ", gender " << g;
}

TEST(GrammarTables, OutOfRangeIndicesStayInsideTheTables) {
    EXPECT_EQ(definiteArticle(0, 7), "das"); // unknown gender class: neuter
    EXPECT_EQ(definiteArticle(9, 1), "der"); // unknown case: nominative
    EXPECT_EQ(indefiniteArticle(-1, 2), "eine");
    EXPECT_EQ(adjectiveEndingFor(5, 2, 200), adjectiveEndingFor(0, 2, 3));
    EXPECT_EQ(thirdPersonPronoun(2, 255), "ihm");
    EXPECT_EQ(firstPersonForm(3), "ich");
    EXPECT_EQ(secondPersonForm(-4), "du");
    EXPECT_EQ(keinEnding(99, 1), "");
}

class SpecialObjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        StoryObject ball;
        ball.name = "Ball";
        ball.gender = 1;
        story.addObject(ball);
        StoryObject oddGender;
        oddGender.name = "Ding^";
        oddGender.gender = 9;
        oddGender.articleKind = 42;
        story.addObject(oddGender);
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }

    std::unique_ptr<test::TestEngine> test;
};

TEST_F(SpecialObjectTest, PlayerInFirstAndSecondPerson) {
    const std::array<const char*, 3> first{"ich", "mich", "mir"};
    const std::array<const char*, 3> second{"du", "dich", "dir"};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(definitePhrase(engine(), 250, c), first[c]);
        EXPECT_EQ(indefinitePhrase(engine(), 250, c), first[c]);
        EXPECT_EQ(barePhrase(engine(), 250, c), first[c]);
        EXPECT_EQ(pronoun(engine(), 250, c), first[c]);
        EXPECT_EQ(definitePhrase(engine(), 251, c), second[c]);
        EXPECT_EQ(pronoun(engine(), 251, c), second[c]);
    }
}

TEST_F(SpecialObjectTest, QuotedTextTypedNumberAndAll) {
    engine().parser.quotedText = "Hallo, Welt";
    EXPECT_EQ(definitePhrase(engine(), 252, 1), "\"Hallo, Welt\"");
    EXPECT_EQ(barePhrase(engine(), 252, 0), "\"Hallo, Welt\"");

    engine().parser.typedNumber = 42;
    EXPECT_EQ(indefinitePhrase(engine(), 253, 1), "eine Nummer 42");
    EXPECT_EQ(indefinitePhrase(engine(), 253, 2), "einer Nummer 42");
    EXPECT_EQ(definitePhrase(engine(), 253, 0), "die Nummer 42");
    EXPECT_EQ(definitePhrase(engine(), 253, 2), "der Nummer 42");
    EXPECT_EQ(barePhrase(engine(), 253, 1), "42");
    engine().parser.typedNumber = -7;
    EXPECT_EQ(barePhrase(engine(), 253, 0), "-7");

    for (uint8_t all : {254, 255}) {
        EXPECT_EQ(definitePhrase(engine(), all, 0), "alles");
        EXPECT_EQ(indefinitePhrase(engine(), all, 1), "alles");
        EXPECT_EQ(barePhrase(engine(), all, 2), "alles");
    }
}

TEST_F(SpecialObjectTest, NoObjectIsNothing) {
    EXPECT_EQ(definitePhrase(engine(), 0, 0), "nichts");
    EXPECT_EQ(indefinitePhrase(engine(), 0, 1), "nichts");
    EXPECT_EQ(barePhrase(engine(), 0, 2), "nichts");
    // numbers past the story's counted objects name nothing either
    EXPECT_EQ(definitePhrase(engine(), 3, 0), "nichts");
    EXPECT_EQ(indefinitePhrase(engine(), 249, 0), "nichts");
}

TEST_F(SpecialObjectTest, PronounsByGenderClass) {
    EXPECT_EQ(pronoun(engine(), 1, 0), "er");
    EXPECT_EQ(pronoun(engine(), 1, 1), "ihn");
    EXPECT_EQ(pronoun(engine(), 1, 2), "ihm");
    engine().world.objects[1].gender = 2;
    EXPECT_EQ(pronoun(engine(), 1, 1), "sie");
    EXPECT_EQ(pronoun(engine(), 1, 2), "ihr");
    engine().world.objects[1].gender = 3;
    EXPECT_EQ(pronoun(engine(), 1, 0), "es");
    EXPECT_EQ(pronoun(engine(), 1, 2), "ihm");
    engine().world.objects[1].gender = 0;
    EXPECT_EQ(pronoun(engine(), 1, 0), "sie");
    EXPECT_EQ(pronoun(engine(), 1, 2), "ihnen");
}

TEST_F(SpecialObjectTest, DamagedGenderAndArticleKindStaySafe) {
    // gender 9 counts as neuter, article kind 42 takes no indefinite article
    EXPECT_EQ(definitePhrase(engine(), 2, 2), "dem Dingen");
    EXPECT_EQ(indefinitePhrase(engine(), 2, 0), "Dinges");
    EXPECT_EQ(negatedPhrase(engine(), 2, 2), "keinem Dingen");
    EXPECT_EQ(pronoun(engine(), 2, 1), "es");
    EXPECT_EQ(definitePhrase(engine(), 1, 17), "der Ball"); // unknown case: nominative
}

class CountedPhraseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        StoryObject apples; // 1: three apples as one object
        apples.name = cp("rot^ Apfel");
        apples.gender = 1;
        apples.pluralName = cp("rot^ Äpfel~");
        apples.pluralGender = 0;
        apples.target = 3;
        story.addObject(apples);
        StoryObject people; // 2: "einige" instead of a number
        people.name = "Mann";
        people.gender = 1;
        people.pluralName = cp("fremd^ Leute~");
        people.pluralArticleKind = 3;
        people.target = 5;
        story.addObject(people);
        StoryObject money; // 3: plural name only while counted forms are on
        money.name = cp("Münze");
        money.gender = 2;
        money.pluralName = cp("Münzen");
        money.target = 1;
        story.addObject(money);
        StoryObject single; // 4: one apple, singular name
        single.name = cp("grün^ Apfel");
        single.gender = 1;
        single.pluralName = cp("grün^ Äpfel~");
        single.target = 1;
        story.addObject(single);
        StoryObject brothers; // 5: plural with a proper name
        brothers.name = "Bruder Grimm";
        brothers.articleKind = 1;
        brothers.pluralName = cp("Gebrüder Grimm");
        brothers.target = 2;
        story.addObject(brothers);
        StoryObject pears; // 6: an extra object standing for a class
        pears.name = "Birne";
        pears.gender = 2;
        pears.pluralName = "Birnen";
        pears.target = 4;
        story.addObject(pears, Story::ObjectKind::Extra);
        story.tailSets[3] = {3}; // tail set 4
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }
    std::string utf8(const std::string& text) { return cp1252ToUtf8(text); }

    std::unique_ptr<test::TestEngine> test;
};

TEST_F(CountedPhraseTest, NumberInWordsBeforeThePluralName) {
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 1, 0)), "drei rote Äpfel");
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 1, 1)), "drei rote Äpfel");
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 1, 2)), "drei roten Äpfeln");
    EXPECT_EQ(utf8(definitePhrase(engine(), 1, 0)), "die drei roten Äpfel");
    EXPECT_EQ(utf8(definitePhrase(engine(), 1, 2)), "den drei roten Äpfeln");
    EXPECT_EQ(utf8(countedIndefinite(engine(), 1, 0, 21)), "einundzwanzig rote Äpfel");
    EXPECT_EQ(utf8(countedDefinite(engine(), 1, 1, 2)), "die zwei roten Äpfel");
}

TEST_F(CountedPhraseTest, PluralArticleKindThreeSaysEinige) {
    EXPECT_EQ(indefinitePhrase(engine(), 2, 0), "einige fremde Leute");
    EXPECT_EQ(indefinitePhrase(engine(), 2, 2), "einigen fremden Leuten");
    EXPECT_EQ(utf8(definitePhrase(engine(), 2, 0)), "die fünf fremden Leute");
    EXPECT_EQ(utf8(definitePhrase(engine(), 2, 2)), "den fünf fremden Leuten");
}

TEST_F(CountedPhraseTest, QuantityOfOneKeepsTheSingularName) {
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 4, 0)), "ein grüner Apfel");
    EXPECT_EQ(utf8(definitePhrase(engine(), 4, 1)), "den grünen Apfel");
}

TEST_F(CountedPhraseTest, TailSetFourTakesPluralWithoutNumberWhileCountedFormsAreOn) {
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 3, 0)), "eine Münze");
    engine().text.countedForms = true;
    EXPECT_EQ(utf8(indefinitePhrase(engine(), 3, 0)), "Münzen");
    EXPECT_EQ(utf8(definitePhrase(engine(), 3, 2)), "den Münzen");
    engine().text.countedForms = false;
    EXPECT_EQ(utf8(definitePhrase(engine(), 3, 2)), "der Münze");
}

TEST_F(CountedPhraseTest, ProperNamesTakeNeitherNumberNorArticle) {
    EXPECT_EQ(utf8(definitePhrase(engine(), 5, 0)), "Gebrüder Grimm");
}

TEST_F(CountedPhraseTest, ClassObjectsBeyondTheCountedOnesUseTheirPluralName) {
    EXPECT_EQ(indefinitePhrase(engine(), 6, 0), "vier Birnen");
    EXPECT_EQ(definitePhrase(engine(), 6, 2), "den vier Birnen");
    EXPECT_EQ(barePhrase(engine(), 6, 0), "nichts");
}

TEST_F(SpecialObjectTest, ComputedNameIsCapturedNotShown) {
    ObjectRecord& record = engine().world.objects[1];
    record.articleKind = 1;
    record.name = "/A" + std::string(40, 'x');
    engine().output.captureMode = true; // an enclosing capture, as for the status line
    engine().output.capturedText = "Raum: ";
    const std::string name = definitePhrase(engine(), 1, 0);
    EXPECT_EQ(name.size(), 36u); // a name holds at most 36 characters
    EXPECT_TRUE(engine().output.captureMode);
    EXPECT_EQ(engine().output.capturedText, "Raum: ");
    engine().output.captureMode = false;
    EXPECT_EQ(scrollbackText(engine()), "");
}

TEST(ObjectCode, HexDigitsAndCase) {
    EXPECT_EQ(objectCode('b', 10, 2), "/b&0A2");
    EXPECT_EQ(objectCode('u', 255, 0), "/u&FF0");
    EXPECT_EQ(objectCode('b', 1, 16), std::string("/b&01\x10"));
}

} // namespace
} // namespace rux
