#include "engine/parser/noun_phrase_reader.h"
#include "engine/parser/vocabulary.h"
#include "storykit/assembler.h"
#include "tests/parser/parser_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace rux::test {
namespace {

using storykit::Story;
using storykit::StoryObject;

StoryObject object(const std::string& name, uint8_t gender, std::vector<WordEntry> nouns,
                   std::vector<std::string> adjectives = {},
                   std::vector<std::string> prefixes = {}) {
    StoryObject o;
    o.name = name;
    o.gender = gender;
    o.nouns = std::move(nouns);
    o.adjectives = std::move(adjectives);
    o.nounPrefixes = std::move(prefixes);
    return o;
}

// Objects: 1 red ball, 2 blue ball, 3 lamp, 4 red apples, 5 coins, 6 red key
// ring (also "bund"), 7 a bundle, 8 wooden door, 9 locked cupboard, 10 man,
// 11 green bottle, 12 the class "spielzeug" of both balls.
Story phraseStory() {
    Story story;
    const std::string ue = "\xFC", ae = "\xE4";
    StoryObject red = object("rot^ Ball", 1, {{"ball", 1}}, {"rot"});
    red.base = 12;
    StoryObject blue = object("blau^ Ball", 1, {{"ball", 1}}, {"blau"});
    blue.base = 12;
    story.addObject(red);
    story.addObject(blue);
    story.addObject(object("Lampe", 2, {{"lampe", 2}}));
    story.addObject(object("rot^ " + ae + "pfel", 0, {{ae + "pfel", 0}}, {"rot"}));
    story.addObject(object("M" + ue + "nzen", 0, {{"m" + ue + "nzen", 0}, {"m" + ue + "nze", 2}}));
    story.addObject(
        object("rot^ Schl" + ue + "ssel", 1, {{"schl" + ue + "ssel", 1}, {"bund", 1}}, {"rot"}));
    story.addObject(object("Bund", 1, {{"bund", 1}}));
    story.addObject(object("Holzt" + ue + "r", 2, {{"t" + ue + "r", 2}}, {}, {"holz"}),
                    Story::ObjectKind::Fixed);
    story.addObject(object("verschlossen^ Schrank", 1, {{"schrank", 1}}, {"verschlossen"}),
                    Story::ObjectKind::Fixed);
    story.addObject(object("Mann", 1, {{"mann", 1}}), Story::ObjectKind::Fixed);
    story.addObject(object("gr" + ue + "n^ Flasche", 2, {{"flasche", 2}}, {"gr" + ue + "n"}),
                    Story::ObjectKind::Fixed);
    story.addObject(object("Spielzeug", 3, {{"spielzeug", 3}}), Story::ObjectKind::Extra);
    return story;
}

struct PhraseCase {
    const char* line;
    uint8_t grammaticalCase;
    bool mainObject;
    int result;
    int gender; // of the phrase read; ignored on failure
    int count;
    int error;
    int position; // where the parser stands afterwards
};

TEST(NounPhrases, ReadInEachCase) {
    const PhraseCase cases[] = {
        {"den roten Ball", 1, false, 1, 1, 0, 0, 3},
        {"roten Ball", 1, false, 1, 1, 0, 0, 2},
        {"den blauen Ball", 2, false, 0, 0, 0, 0, 1}, // dative "den" is plural: fails quietly
        {"dem Ball", 2, false, 1, 1, 0, 0, 2},
        {"dem Mann", 1, false, 0, 0, 0, 0, 1}, // no accusative: fails quietly
        {"die Lampe", 0, false, 3, 2, 0, 0, 2},
        {"die Äpfel", 1, false, 4, 0, 0, 0, 2},
        {"die Äpfel", 0, false, 0, 0, 0, 3, 1},
        {"den Äpfeln", 2, false, 4, 0, 0, 0, 2},
        {"den Äpfeln", 1, false, 0, 0, 0, 0, 1},
        {"einen roten Ball", 1, true, 1, 1, 1, 0, 3},
        {"den rote Ball", 1, false, 0, 0, 0, 4, 1},
        {"holztür", 1, false, 8, 2, 0, 0, 1},
        {"Holz-Tür", 1, false, 8, 2, 0, 0, 1},
        {"den verschlossenen Schrank", 1, false, 9, 1, 0, 0, 3},
        {"Schlüssel Bund nimm", 1, false, 6, 1, 0, 0, 2},
        {"drei Münzen", 1, true, 5, 0, 3, 0, 2},
        {"drei Münzen", 1, false, 0, 0, 0, 6, 1},
        {"drei", 1, false, 253, 99, 0, 0, 1},
        {"1234", 1, false, 253, 2, 0, 0, 1},
        {"den grünen Schlüssel", 1, false, 0, 0, 0, 20, 1},
        {"den gelben Schlüssel", 1, false, 0, 0, 0, 1, 2},
        {"den", 1, false, 0, 0, 0, 4, 1},
        {"Spielzeug", 1, false, 1, 3, 0, 0, 1},
        {"mich", 1, false, 251, 99, 0, 0, 1},
        {"dich", 1, false, 251, 99, 0, 0, 1},
        {"$", 1, false, 252, 99, 0, 0, 1},
        {"\"nimm die Lampe\"", 1, false, 252, 99, 0, 0, 1},
        {"ihn", 1, false, 0, 0, 0, 5, 1},
        {"xyzzy", 1, false, 0, 0, 0, 0, 1},
        // Number-like in the word table's 12 characters, not in the whole word.
        {"))))))))))))x", 1, false, 0, 0, 0, 0, 1},
    };
    ParserFixture f(phraseStory());
    for (const PhraseCase& c : cases) {
        f.type(c.line);
        f.parser().mainObjectMode = c.mainObject;
        NounPhrase phrase;
        const uint8_t result = readNounPhrase(f.engine(), c.grammaticalCase, phrase);
        EXPECT_EQ(result, c.result) << c.line;
        EXPECT_EQ(f.parseError(), c.error) << c.line;
        EXPECT_EQ(f.parser().parsePosition, c.position) << c.line;
        if (result != 0) {
            EXPECT_EQ(phrase.gender, c.gender) << c.line;
            EXPECT_EQ(phrase.count, c.count) << c.line;
        }
    }
}

TEST(NounPhrases, ClassesAndNarrowingGiveTheirSets) {
    ParserFixture f(phraseStory());
    f.type("Spielzeug");
    NounPhrase phrase;
    readNounPhrase(f.engine(), 1, phrase);
    EXPECT_TRUE(phrase.objects.contains(1) && phrase.objects.contains(2));
    EXPECT_FALSE(phrase.objects.contains(12));
    f.type("1234");
    readNounPhrase(f.engine(), 1, phrase);
    EXPECT_EQ(phrase.number, 1234);
    EXPECT_EQ(phrase.text, "1234");
}

TEST(NounPhrases, TheTextIsKeptForQuestionsAndMessages) {
    ParserFixture f(phraseStory());
    f.type("den roten Ball");
    NounPhrase phrase;
    readNounPhrase(f.engine(), 1, phrase);
    EXPECT_EQ(phrase.text, " rot^ Ball");
    EXPECT_TRUE(f.parser().articleSeen);
    f.type("den grünen Schlüssel");
    readNounPhrase(f.engine(), 1, phrase);
    EXPECT_EQ(cp1252ToUtf8(f.engine().text.phraseText), "keinen grünen Schlüssel");
}

TEST(NounPhrases, AFailureLeavesNoTrace) {
    ParserFixture f(phraseStory());
    for (const char* line : {"nimm den grünen Schlüssel", "nimm den rote Ball", "nimm drei Münzen",
                             "nimm dem Mann", "nimm ihn"}) {
        f.type(line);
        f.parser().parsePosition = 2;
        NounPhrase phrase;
        phrase.objects.insert(7);
        phrase.text = "alt";
        phrase.gender = 3;
        readNounPhrase(f.engine(), 1, phrase);
        EXPECT_EQ(phrase.text, "alt") << line;
        EXPECT_EQ(phrase.gender, 3) << line;
        EXPECT_TRUE(phrase.objects.contains(7)) << line;
        EXPECT_EQ(f.parser().parsePosition, 2) << line;
    }
}

TEST(NounPhrases, APendingErrorNeitherBlocksNorIsLost) {
    ParserFixture f(phraseStory());
    NounPhrase phrase;
    f.type("Mann, geh");
    f.world().byteVariables[14] = 2; // no verb: perhaps an addressed character
    EXPECT_EQ(readNounPhrase(f.engine(), 0, phrase), 10);
    EXPECT_EQ(f.parseError(), 2);
    f.type("xyzzy");
    f.world().byteVariables[14] = 2;
    EXPECT_EQ(readNounPhrase(f.engine(), 0, phrase), 0);
    EXPECT_EQ(f.parseError(), 2);
}

TEST(NounPhrases, PronounsReferToRealObjectsOnly) {
    ParserFixture f(phraseStory());
    notePronoun(f.engine(), 2, 1);
    notePronoun(f.engine(), 3, 2);
    notePronoun(f.engine(), 251, 2); // the player is never an antecedent
    NounPhrase phrase;
    f.type("ihn");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 2);
    EXPECT_EQ(cp1252ToUtf8(phrase.text), " \"ihn\" (den blauen Ball)");
    f.type("sie");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 3);
    notePronoun(f.engine(), 4, 0); // "sie" fits plural and feminine: the most recent wins
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 4);
    notePronoun(f.engine(), 1, 1); // replaces the other masculine entry
    EXPECT_EQ(f.parser().antecedentCount, 3);
    f.type("ihm");
    EXPECT_EQ(readNounPhrase(f.engine(), 2, phrase), 1);
}

TEST(NounPhrases, PersonsFollowTheAddressee) {
    ParserFixture f(phraseStory());
    f.world().scene.addressee = 10;
    NounPhrase phrase;
    f.type("dich");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 10);
    f.type("mir");
    EXPECT_EQ(readNounPhrase(f.engine(), 2, phrase), 251);
    f.type("sich");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 251);
    f.world().scene.addressee = 0;
    f.parser().command.firstObject = 3;
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 3);
}

TEST(NounPhrases, ARetainedQuestionNarrowsTheAnswer) {
    ParserFixture f(phraseStory());
    NounPhrase& retained = f.parser().retainedPhrase;
    retained.objects.insert(2);
    retained.gender = 1;
    retained.text = " Ball";
    NounPhrase phrase;
    f.type("den blauen");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 2);
    EXPECT_EQ(phrase.text, " blau^ Ball");
    f.type("Ball");
    EXPECT_EQ(readNounPhrase(f.engine(), 1, phrase), 2);
}

TEST(NounPhrases, TheHookMayChooseTheObject) {
    Story story = phraseStory();
    for (int i = 0; i < 5; ++i)
        story.addRoutine({});
    storykit::Assembler hook;
    hook.assign(storykit::objectVar(1), storykit::num(3));
    story.addRoutine(hook.finish());
    ParserFixture f(story);
    f.type("irgendwas");
    NounPhrase phrase;
    EXPECT_EQ(readNounPhrase(f.engine(), 2, phrase), 3);
    EXPECT_EQ(phrase.gender, 2);
    EXPECT_EQ(f.parser().hookCase, 2);
    EXPECT_EQ(f.world().command.object1, 0);
}

// Typed lines of words from the story and stray bytes: every recogniser at
// every position stays within the table and leaves a failed phrase as it was.
TEST(NounPhrases, RandomLinesAreSafe) {
    const char* pieces[] = {"den",
                            "dem",
                            "roten",
                            "ball",
                            "drei",
                            "münzen",
                            "0",
                            "12/3",
                            "-",
                            "ihn",
                            "sie",
                            "$",
                            "\"",
                            ",",
                            "holz-tür",
                            "schlüssel",
                            "bund",
                            "einen",
                            "verschlossenen",
                            "\xFF\x01",
                            "1234567890123456"};
    ParserFixture f(phraseStory());
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string line;
        const int words = static_cast<int>(random() % 30);
        for (int w = 0; w < words; ++w)
            line += std::string(pieces[random() % std::size(pieces)]) + " ";
        f.type(line);
        for (int at = 0; at <= 26; ++at) {
            for (uint8_t c = 0; c < 4; ++c) {
                f.parser().parsePosition = static_cast<uint8_t>(at);
                f.parser().mainObjectMode = c == 1;
                NounPhrase phrase;
                phrase.text = "alt";
                if (readNounPhrase(f.engine(), c, phrase) == 0) {
                    EXPECT_EQ(phrase.text, "alt") << line;
                }
                EXPECT_LE(f.parser().parsePosition, std::max(at, 25)) << line;
            }
            f.parser().parsePosition = static_cast<uint8_t>(at);
            isKnownWord(f.engine());
            findVerb(f.engine());
            int32_t value = 0;
            std::string text;
            f.parser().parsePosition = static_cast<uint8_t>(at);
            readNumberString(f.engine(), value, text);
        }
    }
}

} // namespace
} // namespace rux::test
