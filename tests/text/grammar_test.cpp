// German noun phrases: articles, adjective and noun endings for every case,
// gender class and article kind, the pseudo-objects and pronouns.

#include "engine/text/codepage.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"
#include "tests/support/test_engine.h"

#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

enum Form { Def, Indef, Bare, Neg }; // definite, indefinite, bare, negated phrase
using Phrase = std::string (*)(Engine&, uint8_t, int);
const Phrase phraseOf[] = {definitePhrase, indefinitePhrase, barePhrase, negatedPhrase};
const char* const formNames[] = {"definite", "indefinite", "bare", "negated"};

struct PhraseCase {
    Form form;
    uint8_t object;
    int grammaticalCase;
    const char* expected; // UTF-8
};

void expectPhrases(Engine& engine, std::initializer_list<PhraseCase> cases) {
    for (const PhraseCase& c : cases)
        EXPECT_EQ(cp1252ToUtf8(phraseOf[c.form](engine, c.object, c.grammaticalCase)), c.expected)
            << formNames[c.form] << " of object " << +c.object << ", case " << c.grammaticalCase;
}

struct NounRow {
    const char* name;
    uint8_t gender;
    uint8_t articleKind;
    Form form;
    std::array<const char*, 3> cases; // nominative, accusative, dative
};

// Expected phrases as a German reader writes them.
// clang-format off
const NounRow nounRows[] = {
    // weak masculine: "~" after "er" gives "n"
    {"alt^ Bauer~", 1, 0, Def, {"der alte Bauer", "den alten Bauern", "dem alten Bauern"}},
    {"alt^ Bauer~", 1, 0, Indef, {"ein alter Bauer", "einen alten Bauern", "einem alten Bauern"}},
    {"alt^ Bauer~", 1, 0, Bare, {"alter Bauer", "alten Bauern", "altem Bauern"}},
    {"alt^ Bauer~", 1, 0, Neg, {"kein alter Bauer", "keinen alten Bauern", "keinem alten Bauern"}},
    // weak masculine after a consonant: "en"
    {"Held~", 1, 0, Def, {"der Held", "den Helden", "dem Helden"}},
    {"Held~", 1, 0, Indef, {"ein Held", "einen Helden", "einem Helden"}},
    {"Held~", 1, 0, Bare, {"Held", "Helden", "Helden"}},
    {"Held~", 1, 0, Neg, {"kein Held", "keinen Helden", "keinem Helden"}},
    // weak masculine after a vowel: "n"
    {"Junge~", 1, 0, Def, {"der Junge", "den Jungen", "dem Jungen"}},
    {"Junge~", 1, 0, Indef, {"ein Junge", "einen Jungen", "einem Jungen"}},
    {"Junge~", 1, 0, Bare, {"Junge", "Jungen", "Jungen"}},
    {"Junge~", 1, 0, Neg, {"kein Junge", "keinen Jungen", "keinem Jungen"}},
    {"rot^ Apfel", 1, 0, Def, {"der rote Apfel", "den roten Apfel", "dem roten Apfel"}},
    {"rot^ Apfel", 1, 0, Indef, {"ein roter Apfel", "einen roten Apfel", "einem roten Apfel"}},
    {"rot^ Apfel", 1, 0, Bare, {"roter Apfel", "roten Apfel", "rotem Apfel"}},
    {"rot^ Apfel", 1, 0, Neg, {"kein roter Apfel", "keinen roten Apfel", "keinem roten Apfel"}},
    {"klein^ Lampe", 2, 0, Def, {"die kleine Lampe", "die kleine Lampe", "der kleinen Lampe"}},
    {"klein^ Lampe", 2, 0, Indef,
     {"eine kleine Lampe", "eine kleine Lampe", "einer kleinen Lampe"}},
    {"klein^ Lampe", 2, 0, Bare, {"kleine Lampe", "kleine Lampe", "kleiner Lampe"}},
    {"klein^ Lampe", 2, 0, Neg,
     {"keine kleine Lampe", "keine kleine Lampe", "keiner kleinen Lampe"}},
    {"neu^ Buch", 3, 0, Def, {"das neue Buch", "das neue Buch", "dem neuen Buch"}},
    {"neu^ Buch", 3, 0, Indef, {"ein neues Buch", "ein neues Buch", "einem neuen Buch"}},
    {"neu^ Buch", 3, 0, Bare, {"neues Buch", "neues Buch", "neuem Buch"}},
    {"neu^ Buch", 3, 0, Neg, {"kein neues Buch", "kein neues Buch", "keinem neuen Buch"}},
    // a plural name: the dative adds "n", no indefinite article
    {"rot^ Äpfel~", 0, 0, Def, {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 0, Indef, {"rote Äpfel", "rote Äpfel", "roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 0, Bare, {"rote Äpfel", "rote Äpfel", "roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 0, Neg, {"keine roten Äpfel", "keine roten Äpfel", "keinen roten Äpfeln"}},
    // proper name: never an article
    {"Hans", 1, 1, Def, {"Hans", "Hans", "Hans"}},
    {"Hans", 1, 1, Indef, {"Hans", "Hans", "Hans"}},
    // no indefinite article, definite article as usual
    {"Gold", 3, 2, Def, {"das Gold", "das Gold", "dem Gold"}},
    {"Gold", 3, 2, Indef, {"Gold", "Gold", "Gold"}},
    // mass noun
    {"Wasser", 3, 3, Def, {"das Wasser", "das Wasser", "dem Wasser"}},
    {"Wasser", 3, 3, Indef, {"etwas Wasser", "etwas Wasser", "etwas Wasser"}},
    {"Leute~", 0, 3, Def, {"die Leute", "die Leute", "den Leuten"}},
    {"Leute~", 0, 3, Indef, {"einige Leute", "einige Leute", "einigen Leuten"}},
    // unique things: the definite article also in indefinite phrases
    {"Sonne", 2, 4, Def, {"die Sonne", "die Sonne", "der Sonne"}},
    {"Sonne", 2, 4, Indef, {"die Sonne", "die Sonne", "der Sonne"}},
    // possessive, second person by default
    {"alt^ Rucksack", 1, 5, Def, {"der alte Rucksack", "den alten Rucksack", "dem alten Rucksack"}},
    {"alt^ Rucksack", 1, 5, Indef,
     {"dein alter Rucksack", "deinen alten Rucksack", "deinem alten Rucksack"}},
    {"Tasche", 2, 5, Indef, {"deine Tasche", "deine Tasche", "deiner Tasche"}},
    {"Messer", 3, 5, Indef, {"dein Messer", "dein Messer", "deinem Messer"}},
    // The same adjectives after every other article kind.
    {"klein^ Hans", 1, 1, Def, {"kleiner Hans", "kleinen Hans", "kleinem Hans"}},
    {"klein^ Hans", 1, 1, Indef, {"kleiner Hans", "kleinen Hans", "kleinem Hans"}},
    {"klein^ Hans", 1, 1, Bare, {"kleiner Hans", "kleinen Hans", "kleinem Hans"}},
    {"klein^ Hans", 1, 1, Neg, {"kein kleiner Hans", "keinen kleinen Hans", "keinem kleinen Hans"}},
    {"kalt^ Wasser", 3, 2, Def, {"das kalte Wasser", "das kalte Wasser", "dem kalten Wasser"}},
    {"kalt^ Wasser", 3, 2, Indef, {"kaltes Wasser", "kaltes Wasser", "kaltem Wasser"}},
    {"frisch^ Milch", 2, 2, Def, {"die frische Milch", "die frische Milch", "der frischen Milch"}},
    {"frisch^ Milch", 2, 2, Indef, {"frische Milch", "frische Milch", "frischer Milch"}},
    {"rot^ Äpfel~", 0, 2, Def, {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 2, Indef, {"rote Äpfel", "rote Äpfel", "roten Äpfeln"}},
    {"kalt^ Wasser", 3, 3, Def, {"das kalte Wasser", "das kalte Wasser", "dem kalten Wasser"}},
    {"kalt^ Wasser", 3, 3, Indef,
     {"etwas kaltes Wasser", "etwas kaltes Wasser", "etwas kaltem Wasser"}},
    {"frisch^ Milch", 2, 3, Indef,
     {"etwas frische Milch", "etwas frische Milch", "etwas frischer Milch"}},
    {"rot^ Äpfel~", 0, 3, Def, {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 3, Indef,
     {"einige rote Äpfel", "einige rote Äpfel", "einigen roten Äpfeln"}},
    {"rot^ Apfel", 1, 4, Def, {"der rote Apfel", "den roten Apfel", "dem roten Apfel"}},
    {"rot^ Apfel", 1, 4, Indef, {"der rote Apfel", "den roten Apfel", "dem roten Apfel"}},
    {"klein^ Lampe", 2, 4, Indef, {"die kleine Lampe", "die kleine Lampe", "der kleinen Lampe"}},
    {"rot^ Äpfel~", 0, 4, Indef, {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 4, Neg, {"keine roten Äpfel", "keine roten Äpfel", "keinen roten Äpfeln"}},
    {"alt^ Bauer~", 1, 5, Def, {"der alte Bauer", "den alten Bauern", "dem alten Bauern"}},
    {"alt^ Bauer~", 1, 5, Indef,
     {"dein alter Bauer", "deinen alten Bauern", "deinem alten Bauern"}},
    {"alt^ Buch", 3, 5, Indef, {"dein altes Buch", "dein altes Buch", "deinem alten Buch"}},
    {"alt^ Buch", 3, 5, Neg, {"kein altes Buch", "kein altes Buch", "keinem alten Buch"}},
    {"klein^ Lampe", 2, 5, Indef,
     {"deine kleine Lampe", "deine kleine Lampe", "deiner kleinen Lampe"}},
    {"rot^ Äpfel~", 0, 5, Def, {"die roten Äpfel", "die roten Äpfel", "den roten Äpfeln"}},
    {"rot^ Äpfel~", 0, 5, Indef, {"deine roten Äpfel", "deine roten Äpfel", "deinen roten Äpfeln"}},
};
// clang-format on

// One object for each name, gender and article kind, numbered in the order
// they first appear in the rows.
class NounPhraseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (const NounRow& row : nounRows) {
            if (objectFor(row) != 0) continue;
            StoryObject object;
            object.name = cp(row.name);
            object.gender = row.gender;
            object.articleKind = row.articleKind;
            story.addObject(object);
            objects.push_back(&row);
        }
        test = test::loadTestStory(story);
    }

    uint8_t objectFor(const NounRow& row) const {
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (std::string(objects[i]->name) == row.name && objects[i]->gender == row.gender &&
                objects[i]->articleKind == row.articleKind)
                return static_cast<uint8_t>(i + 1);
        return 0;
    }

    // The first object of that name.
    uint8_t objectNamed(const char* name) const {
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (std::string(objects[i]->name) == name) return static_cast<uint8_t>(i + 1);
        return 0;
    }

    Engine& engine() { return **test; }

    std::vector<const NounRow*> objects;
    std::unique_ptr<test::TestEngine> test;
};

TEST_F(NounPhraseTest, EveryCaseGenderAndArticleKind) {
    for (const NounRow& row : nounRows)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(cp1252ToUtf8(phraseOf[row.form](engine(), objectFor(row), c)), row.cases[c])
                << formNames[row.form] << " of \"" << row.name << "\" (gender " << +row.gender
                << ", article kind " << +row.articleKind << "), case " << c;
}

// The plural takes the weak endings for every person.
TEST_F(NounPhraseTest, PossessiveFollowsNarrativePerson) {
    const uint8_t rucksack = objectNamed("alt^ Rucksack");
    const uint8_t tasche = objectNamed("Tasche");
    const uint8_t apples = objectFor({"rot^ Äpfel~", 0, 5, Indef, {}});
    ASSERT_NE(apples, 0);
    struct Case {
        int person; // byte variable 31
        uint8_t object;
        int grammaticalCase;
        const char* expected;
    };
    const Case cases[] = {
        {1, rucksack, 1, "meinen alten Rucksack"}, {1, tasche, 2, "meiner Tasche"},
        {2, rucksack, 1, "Ihren alten Rucksack"},  {2, tasche, 0, "Ihre Tasche"},
        {3, rucksack, 0, "dein alter Rucksack"},   {1, apples, 0, "meine roten Äpfel"},
        {1, apples, 2, "meinen roten Äpfeln"},     {2, apples, 1, "Ihre roten Äpfel"},
    };
    for (const Case& c : cases) {
        engine().world.byteVariables[31] = static_cast<uint8_t>(c.person);
        EXPECT_EQ(cp1252ToUtf8(indefinitePhrase(engine(), c.object, c.grammaticalCase)), c.expected)
            << "person " << c.person;
    }
}

// The parser's text for a typed phrase that fits no object.
TEST_F(NounPhraseTest, NegatedTextOfATypedPhrase) {
    EXPECT_EQ(cp1252ToUtf8(negatedText(engine(), cp(" grün^ Schlüssel"), 1, 1)),
              "keinen grünen Schlüssel");
    EXPECT_EQ(cp1252ToUtf8(negatedText(engine(), cp(" rot^ Äpfel~"), 0, 1)), "keine roten Äpfel");
}

TEST_F(NounPhraseTest, LastPreparedPhraseDrivesEndingMarkup) {
    struct Case {
        Form form;
        const char* name;
        int grammaticalCase;
        const char* adjectiveEnding;
        int nounEndingKind;
    };
    const Case cases[] = {
        {Def, "alt^ Bauer~", 1, "en", 2},
        {Indef, "alt^ Bauer~", 0, "er", 0},
        {Bare, "rot^ Äpfel~", 2, "en", 1},
        {Bare, "klein^ Lampe", 2, "er", 0},
    };
    for (const Case& c : cases) {
        phraseOf[c.form](engine(), objectNamed(c.name), c.grammaticalCase);
        EXPECT_EQ(adjectiveEnding(engine()), c.adjectiveEnding) << c.name;
        EXPECT_EQ(nounEndingKind(engine()), c.nounEndingKind) << c.name;
    }
}

// Where "~" stands and what stands before it decide the noun ending; the
// noun ending looks at the name before its adjective endings are put in.
TEST_F(NounPhraseTest, NounEndingMarkers) {
    struct Case {
        const char* name;
        uint8_t gender;
        Form form;
        int grammaticalCase;
        const char* expected;
    };
    const Case cases[] = {
        {"Xel~", 1, Def, 1, "den Xeln"},                          // after "el": "n"
        {"~Ding", 1, Def, 2, "dem enDing"},                       // nothing before: "en"
        {"Graf~ und Bauer~", 1, Def, 1, "den Grafen und Bauern"}, // every marker is replaced
        {"Graf~ und Bauer~", 1, Def, 0, "der Graf und Bauer"},
        {"~Dinge~", 0, Def, 2, "den enDingen"}, // dative plural: "n", but "en" at the start
        {"Bote^~", 1, Def, 1, "den Boteenen"},  // "~" follows the marker, not the ending "en"
        {"Bote~^", 1, Def, 1, "den Botenen"},   // the ending follows the noun ending
        {"e^~", 1, Indef, 1, "einen eenen"},    // "e" and "^" are no "el" or "er"
    };
    ObjectRecord& record = engine().world.objects[1];
    for (const Case& c : cases) {
        record.name = c.name;
        record.gender = c.gender;
        EXPECT_EQ(phraseOf[c.form](engine(), 1, c.grammaticalCase), c.expected) << c.name;
    }
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
        expectPhrases(engine(), {{Def, 250, c, first[c]},
                                 {Indef, 250, c, first[c]},
                                 {Bare, 250, c, first[c]},
                                 {Def, 251, c, second[c]}});
        EXPECT_EQ(pronoun(engine(), 250, c), first[c]);
        EXPECT_EQ(pronoun(engine(), 251, c), second[c]);
    }
}

TEST_F(SpecialObjectTest, QuotedTextTypedNumberAndAll) {
    engine().parser.quotedText = "Hallo, Welt";
    engine().parser.typedNumber = 42;
    expectPhrases(engine(), {{Def, 252, 1, "\"Hallo, Welt\""},
                             {Bare, 252, 0, "\"Hallo, Welt\""},
                             {Indef, 253, 1, "eine Nummer 42"},
                             {Indef, 253, 2, "einer Nummer 42"},
                             {Def, 253, 0, "die Nummer 42"},
                             {Def, 253, 2, "der Nummer 42"},
                             {Bare, 253, 1, "42"}});
    engine().parser.typedNumber = -7;
    expectPhrases(engine(), {{Bare, 253, 0, "-7"}});
    for (uint8_t all : {254, 255})
        expectPhrases(engine(),
                      {{Def, all, 0, "alles"}, {Indef, all, 1, "alles"}, {Bare, all, 2, "alles"}});
}

// Numbers past the story's counted objects name nothing either.
TEST_F(SpecialObjectTest, NoObjectIsNothing) {
    expectPhrases(engine(), {{Def, 0, 0, "nichts"},
                             {Indef, 0, 1, "nichts"},
                             {Bare, 0, 2, "nichts"},
                             {Def, 3, 0, "nichts"},
                             {Indef, 249, 0, "nichts"}});
}

TEST_F(SpecialObjectTest, PronounsByGenderClass) {
    struct Case {
        uint8_t gender;
        int grammaticalCase;
        const char* expected;
    };
    const Case cases[] = {{1, 0, "er"}, {1, 1, "ihn"}, {1, 2, "ihm"}, {2, 1, "sie"},  {2, 2, "ihr"},
                          {3, 0, "es"}, {3, 2, "ihm"}, {0, 0, "sie"}, {0, 2, "ihnen"}};
    for (const Case& c : cases) {
        engine().world.objects[1].gender = c.gender;
        EXPECT_EQ(pronoun(engine(), 1, c.grammaticalCase), c.expected)
            << "gender " << +c.gender << ", case " << c.grammaticalCase;
    }
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
    expectPhrases(engine(), {{Indef, 1, 0, "drei rote Äpfel"},
                             {Indef, 1, 1, "drei rote Äpfel"},
                             {Indef, 1, 2, "drei roten Äpfeln"},
                             {Def, 1, 0, "die drei roten Äpfel"},
                             {Def, 1, 2, "den drei roten Äpfeln"}});
    EXPECT_EQ(utf8(countedIndefinite(engine(), 1, 0, 21)), "einundzwanzig rote Äpfel");
    EXPECT_EQ(utf8(countedDefinite(engine(), 1, 1, 2)), "die zwei roten Äpfel");
}

TEST_F(CountedPhraseTest, PluralArticleKindThreeSaysEinige) {
    expectPhrases(engine(), {{Indef, 2, 0, "einige fremde Leute"},
                             {Indef, 2, 2, "einigen fremden Leuten"},
                             {Def, 2, 0, "die fünf fremden Leute"},
                             {Def, 2, 2, "den fünf fremden Leuten"}});
}

TEST_F(CountedPhraseTest, QuantityOfOneKeepsTheSingularName) {
    expectPhrases(engine(), {{Indef, 4, 0, "ein grüner Apfel"}, {Def, 4, 1, "den grünen Apfel"}});
}

TEST_F(CountedPhraseTest, TailSetFourTakesPluralWithoutNumberWhileCountedFormsAreOn) {
    expectPhrases(engine(), {{Indef, 3, 0, "eine Münze"}});
    engine().text.countedForms = true;
    expectPhrases(engine(), {{Indef, 3, 0, "Münzen"}, {Def, 3, 2, "den Münzen"}});
    engine().text.countedForms = false;
    expectPhrases(engine(), {{Def, 3, 2, "der Münze"}});
}

TEST_F(CountedPhraseTest, ProperNamesTakeNeitherNumberNorArticle) {
    expectPhrases(engine(), {{Def, 5, 0, "Gebrüder Grimm"}});
}

TEST_F(CountedPhraseTest, ClassObjectsBeyondTheCountedOnesUseTheirPluralName) {
    expectPhrases(
        engine(),
        {{Indef, 6, 0, "vier Birnen"}, {Def, 6, 2, "den vier Birnen"}, {Bare, 6, 0, "nichts"}});
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
