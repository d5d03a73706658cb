#include "engine/parser/vocabulary.h"
#include "storykit/assembler.h"
#include "tests/parser/parser_fixture.h"

#include <gtest/gtest.h>

namespace rux::test {
namespace {

using storykit::Story;

Story vocabularyStory() {
    Story story;
    story.verbs = {"gehe", "nimm", "wandere", "sammele", "nehme", "lies"};
    story.prepositions = {"auf", "mit", "unter", "in", "aus"};
    story.directionCount = 2;
    story.directionNames[0] = {"n", "norden"};
    story.directionNames[1] = {"s", "s\xFC"
                                    "den"};
    story.wordList = {"xyzzy"};
    story.replacementRules = {{2, "zum", "zu", "dem"}};
    storykit::StoryObject ball;
    ball.name = "Ball";
    ball.nouns = {{"ball", 1}};
    ball.adjectives = {"rot"};
    story.addObject(ball);
    storykit::StoryObject door;
    door.name = "T\xFCr";
    door.nouns = {{"t\xFCr", 2}, {"\xE4pfel", 0}};
    door.nounPrefixes = {"holz"};
    story.addObject(door, Story::ObjectKind::Fixed);
    return story;
}

struct VerbCase {
    const char* line;
    int verb;
    int position; // where the parser stands afterwards
    int direction;
};

TEST(Vocabulary, FindVerbForms) {
    const VerbCase cases[] = {
        {"geh", 1, 1, 0},        {"gehe", 1, 1, 0},        {"geht", 1, 1, 0},
        {"nimm lampe", 2, 1, 0}, {"wandre", 3, 1, 0},      {"sammle", 4, 1, 0},
        {"Nehmen Sie", 5, 2, 0}, {"wandern sie", 3, 2, 0}, {"norden", 1, 1, 1},
        {"nach süden", 1, 2, 2}, {"nach", 0, 1, 0},        {"xyzzy", 0, 1, 0},
        {"lies", 6, 1, 0},
    };
    ParserFixture f(vocabularyStory());
    for (const VerbCase& c : cases) {
        f.type(c.line);
        f.world().command.direction = 0;
        f.world().command.verb = 9;
        EXPECT_EQ(findVerb(f.engine()), c.verb) << c.line;
        EXPECT_EQ(f.parser().parsePosition, c.position) << c.line;
        EXPECT_EQ(f.world().command.direction, c.direction) << c.line;
        EXPECT_EQ(f.world().command.verb, 9) << "the verb cell is kept: " << c.line;
    }
    f.type("nehmen sie");
    findVerb(f.engine());
    EXPECT_EQ(f.parser().words.slots[2].text, "nehme");
}

TEST(Vocabulary, TheVerbHookDecidesFirst) {
    Story story = vocabularyStory();
    for (int i = 0; i < 4; ++i)
        story.addRoutine({});
    storykit::Assembler hook;
    hook.assign(storykit::value(18, 255), storykit::num(6));
    story.addRoutine(hook.finish());
    ParserFixture f(story);
    f.type("geh");
    EXPECT_EQ(findVerb(f.engine()), 6);
    EXPECT_EQ(f.parser().hookWordPosition, 1);
}

TEST(Vocabulary, PronominalAdverbs) {
    const std::pair<const char*, int> cases[] = {
        {"darauf", 1}, {"damit", 2},  {"darunter", 3}, {"darin", 8}, {"hinein", 8},
        {"herein", 8}, {"hinaus", 5}, {"daraus", 5},   {"daauf", 0}, {"darmit", 0},
    };
    ParserFixture f(vocabularyStory());
    for (const auto& [word, preposition] : cases) {
        f.type(word);
        EXPECT_EQ(findPronominalAdverb(f.engine()), preposition) << word;
    }
}

TEST(Vocabulary, KnownWords) {
    const char* known[] = {"roten",      "rot",     "ball", "äpfeln", "holztür", "holz",
                           "holzäpfeln", "den",     "ihm",  "mich",   "darauf",  "norden",
                           "n",          "zwanzig", "zum",  "dem",    "$",       "42",
                           ",",          "auf",     "gehe", "ausser", "hoppla",  "-7"};
    const char* unknown[] = {"xyzzy", "rotx", "holz-x", "einundzwanzig", "4a"};
    ParserFixture f(vocabularyStory());
    for (const char* word : known) {
        f.type(word);
        EXPECT_TRUE(isKnownWord(f.engine())) << word;
    }
    for (const char* word : unknown) {
        f.type(word);
        EXPECT_FALSE(isKnownWord(f.engine())) << word;
    }
}

struct NumberCase {
    const char* line;
    int32_t value;
    const char* text;
    int position;
    int leadingZeros;
};

TEST(Vocabulary, NumberStrings) {
    const NumberCase cases[] = {
        {"0 8 15", 815, "0 8 15", 3, 1},
        {"12/3", 123, "12//3", 1, 0},
        {"123456789012345", INT32_MAX, "123456789012", 1, 0}, // saturates, all digits read
        {"-98765432109", -INT32_MAX, "-98765432109", 1, 0},
        {"1/2/3/4/5/6/7/8", 12345678, "1//2//3//4//5//6//", 1, 0}, // no lone "/" at the cut
        {"drei vier ball", 34, "drei vier", 2, 0},
        {"12 -a", 12, "12", 1, 0}, // a stopping word adds nothing
    };
    ParserFixture f(vocabularyStory());
    for (const NumberCase& c : cases) {
        f.type(c.line);
        int32_t value = 0;
        std::string text;
        EXPECT_TRUE(readNumberString(f.engine(), value, text)) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
        EXPECT_EQ(text, c.text) << c.line;
        EXPECT_EQ(f.parser().parsePosition, c.position) << c.line;
        EXPECT_EQ(f.world().byteVariables[35], c.leadingZeros) << c.line;
    }
}

TEST(Vocabulary, DirectionsKeepThePositionWhenNoneIsFound) {
    ParserFixture f(vocabularyStory());
    f.type("nach oben");
    EXPECT_EQ(findDirection(f.engine()), 0);
    EXPECT_EQ(f.parser().parsePosition, 1);
    f.type("nach n");
    EXPECT_EQ(findDirection(f.engine()), 1);
    EXPECT_EQ(f.parser().parsePosition, 2);
}

} // namespace
} // namespace rux::test
