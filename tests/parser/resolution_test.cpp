// Resolving phrases to objects: scope kinds, the candidates of both passes,
// "kein..." and the question which object is meant.

#include "engine/parser/resolution.h"
#include "tests/parser/command_world.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using test::CommandWorld;

struct Resolution : ::testing::Test {
    CommandWorld w;
    std::unique_ptr<test::TestEngine> test;
    Engine* engine = nullptr;

    void load() {
        test = w.load();
        engine = test->engine.get();
    }
    // A phrase as the noun-phrase reader leaves it.
    static NounPhrase phrase(std::initializer_list<uint8_t> objects, uint8_t gender,
                             std::string text) {
        NounPhrase p;
        for (uint8_t o : objects)
            p.objects.insert(o);
        p.gender = gender;
        p.text = std::move(text);
        return p;
    }
    uint8_t resolveIt(NounPhrase p, uint8_t kind = 0, uint8_t grammaticalCase = 1,
                      const std::string& prefix = "") {
        return resolve(*engine, p, kind, grammaticalCase, prefix, 0);
    }
    std::string output() { return scrollbackText(*engine); }
    uint8_t error() { return parseError(*engine); }
};

TEST_F(Resolution, ScopeKinds) {
    w.story.objects[w.sword - 1].holder = 0;    // carried
    w.story.objects[w.blueBall - 1].holder = 2; // elsewhere
    load();
    struct Case {
        uint8_t object, container, kind;
        bool expected;
    };
    const Case cases[] = {
        {w.redBall, 0, 0, true},     {w.blueBall, 0, 0, false},
        {w.sword, 0, 1, true},       {w.redBall, 0, 1, false},
        {w.redBall, 0, 2, true},     {w.blueBall, 0, 3, true},
        {w.sword, 0, 4, false},      {w.redBall, 0, 4, true},
        {w.apple, w.table, 5, true}, {w.redBall, w.table, 5, false},
        {w.redBall, 0, 6, false},    {251, 0, 0, false},
        {253, 0, 253, true},         {w.redBall, 0, 8 | 2, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(inScope(*engine, c.object, c.container, c.kind), c.expected)
            << int(c.object) << " kind " << int(c.kind);
    // While the main object is read, kind 0 wants something the player can pick up.
    engine->parser.mainObjectMode = true;
    EXPECT_TRUE(inScope(*engine, w.redBall, 0, 0));
    EXPECT_FALSE(inScope(*engine, w.table, 0, 0));
    EXPECT_FALSE(inScope(*engine, w.sword, 0, 0));
}

TEST_F(Resolution, OneCandidateAndLikeObjectsCountedOnce) {
    load();
    engine->world.objects[w.blueBall].holder = 2;
    EXPECT_EQ(resolveIt(phrase({w.redBall, w.blueBall}, 1, " Ball"), 0), w.redBall);
    engine->world.objects[w.blueBall].holder = 1;
    EXPECT_EQ(resolveIt(phrase({w.redBall, w.blueBall}, 1, " Ball"), 0), 0);
    EXPECT_EQ(error(), 42);
    parseError(*engine) = 0;
    EXPECT_EQ(resolveIt(phrase({w.coin1, w.coin2}, 2, CommandWorld::cp(" Münze")), 0), w.coin1);
    EXPECT_EQ(error(), 0);
}

TEST_F(Resolution, AsksWhichOneWithTheCandidatesAndKeepsThem) {
    load();
    EXPECT_EQ(resolveIt(phrase({w.redBall, w.blueBall, w.greenBall}, 1, " Ball")), 0);
    EXPECT_EQ(error(), 42);
    EXPECT_EQ(engine->parser.continuation, continuationKind::disambiguation);
    EXPECT_NE(output().find(CommandWorld::cp(
                  "Welchen Ball? Den roten Ball, den blauen Ball oder den grünen Ball?")),
              std::string::npos)
        << output();
    EXPECT_TRUE(engine->parser.retainedPhrase.objects.contains(w.greenBall));
    EXPECT_EQ(engine->parser.retainedPhrase.gender, 1);
}

TEST_F(Resolution, QuestionDeclinesAfterWelchLikeAfterTheDefiniteArticle) {
    load();
    resolveIt(phrase({w.oldBook, w.newBook}, 3, " alt^ Buch"), 0, 2, "mit ");
    EXPECT_NE(output().find("Mit welchem alten Buch?"), std::string::npos) << output();
    parseError(*engine) = 0;
    resolveIt(phrase({w.oldBook, w.newBook}, 3, " alt^ Buch"));
    EXPECT_NE(output().find("Welches alte Buch?"), std::string::npos) << output();
}

TEST_F(Resolution, NoneFitsGivesKeinOrNichtsDergleichen) {
    w.story.objects[w.sword - 1].holder = 2;
    load();
    EXPECT_EQ(resolveIt(phrase({w.sword}, 3, " Schwert")), 0);
    EXPECT_EQ(error(), 20);
    EXPECT_EQ(engine->text.phraseText, "kein Schwert");
    engine->world.objects[w.redBall].holder = 2;
    resolveIt(phrase({w.redBall}, 1, " rot^ Ball"));
    EXPECT_EQ(engine->text.phraseText, "keinen roten Ball");
    NounPhrase pronoun = phrase({w.redBall}, 1, " \"ihn\" (den roten Ball)");
    pronoun.antecedent = w.redBall;
    resolveIt(pronoun);
    EXPECT_EQ(engine->text.phraseText, "keinen roten Ball");
    resolveIt(phrase({253}, 2, ""));
    EXPECT_EQ(engine->text.phraseText, "nichts dergleichen");
}

TEST_F(Resolution, AnythingTakesTheLowestVisibleAndSpecialObjectsPassThrough) {
    load();
    EXPECT_EQ(resolveIt(phrase({w.blueBall, w.greenBall}, 1, " Ball"), 3), w.blueBall);
    EXPECT_TRUE(engine->parser.ambiguous);
    engine->world.objects[w.blueBall].holder = 2;
    engine->world.objects[w.greenBall].holder = 2;
    EXPECT_EQ(resolveIt(phrase({w.blueBall, w.greenBall}, 1, " Ball"), 3), w.blueBall);
    NounPhrase number = phrase({253}, 2, "");
    number.number = 1234;
    EXPECT_EQ(resolve(*engine, number, 0, 1, "", 253), 253);
    EXPECT_EQ(engine->parser.typedNumber, 1234);
}

TEST_F(Resolution, OrderToACharacterAsksNothing) {
    load();
    engine->parser.orderMode = true;
    EXPECT_EQ(resolveIt(phrase({w.redBall, w.blueBall}, 1, " Ball")), 0);
    EXPECT_EQ(error(), 42);
    EXPECT_EQ(engine->parser.continuation, 0);
    EXPECT_EQ(output().find("Welchen"), std::string::npos);
}

} // namespace
} // namespace rux
