// Completing a matched command: "alles" with its exceptions, counts, the
// implicit take before an action that needs the object carried, questions
// for missing parts, and matching a player pattern.

#include "engine/parser/sentence.h"
#include "tests/parser/command_world.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using test::CommandWorld;

struct Completion : ::testing::Test {
    CommandWorld w;
    std::unique_ptr<test::TestEngine> test;
    Engine* engine = nullptr;

    void load() {
        test = w.load();
        engine = test->engine.get();
    }
    ParsedCommand& command() { return engine->parser.command; }
    // Makes `id` the matched action, as matchAction leaves it.
    void matched(uint8_t id) {
        engine->world.command.action = id;
        const auto& actions = engine->world.actions;
        for (std::size_t r = 0; r < actions.size(); ++r)
            if (actions[r].id == id) engine->parser.matchedActionRecord = static_cast<int>(r);
    }
    static NounPhrase phrase(std::initializer_list<uint8_t> objects, uint8_t gender = 1,
                             uint8_t count = 0) {
        NounPhrase p;
        for (uint8_t o : objects)
            p.objects.insert(o);
        p.gender = gender;
        p.count = count;
        return p;
    }
    std::vector<uint8_t> list() {
        return {command().objectList.begin() + 1,
                command().objectList.begin() + 1 + command().objectListCount};
    }
    std::string output() { return scrollbackText(*engine); }
    uint8_t error() { return parseError(*engine); }
};

TEST_F(Completion, AllTakesWhatIsHereExceptTheExceptions) {
    load();
    matched(CommandWorld::take);
    command().allMode = 1;
    command().firstObject = allChosenObject;
    for (int n = 1; n <= engine->world.countedObjects(); ++n)
        command().firstPhrase.objects.insert(static_cast<uint8_t>(n));
    command().objectListCount = 1;
    command().listPhrases[1] = phrase({w.sword}, 3);
    resolveCommand(*engine);
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(engine->world.command.object1, 1);
    EXPECT_EQ(list(), (std::vector<uint8_t>{w.redBall, w.blueBall, w.greenBall, w.oldBook,
                                            w.newBook, w.apple, w.coin1, w.coin2}));
}

TEST_F(Completion, AllKeepsToTheSixteenEntriesOfTheList) {
    w = CommandWorld(20);
    load();
    matched(CommandWorld::take);
    command().allMode = 1;
    for (int n = 1; n <= engine->world.countedObjects(); ++n)
        command().firstPhrase.objects.insert(static_cast<uint8_t>(n));
    resolveCommand(*engine);
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(command().objectListCount, objectListSlots);
}

TEST_F(Completion, ExceptedObjectsNeedNotBeHereNorCarried) {
    // «lege alles ausser dem Schwert in die Kiste» with the sword on the floor.
    w.story.objects[w.redBall - 1].holder = 0;
    load();
    matched(CommandWorld::put);
    command().allMode = 1;
    command().firstPhrase = phrase({w.redBall, w.sword, w.apple});
    command().objectListCount = 1;
    command().listPhrases[1] = phrase({w.sword}, 3);
    command().objectList[1] = w.sword;
    command().prepAccObject = w.box;
    command().prepPhrase = phrase({w.box}, 2);
    engine->world.command.preposition = CommandWorld::in;
    resolveCommand(*engine);
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(list(), std::vector<uint8_t>{w.redBall});
    EXPECT_EQ(output().find("<40"), std::string::npos) << output(); // no implicit take
}

TEST_F(Completion, AllFindingNothingSaysNichtsOrSonstNichts) {
    w.story.objects[w.sword - 1].holder = 0;
    load();
    matched(CommandWorld::drop);
    command().allMode = 1;
    command().firstPhrase = phrase({w.sword, w.redBall});
    command().objectListCount = 1;
    command().listPhrases[1] = phrase({w.sword}, 3);
    resolveCommand(*engine);
    EXPECT_EQ(error(), 35);
    EXPECT_EQ(engine->text.phraseText, "sonst nichts");
    parseError(*engine) = 0;
    command().objectListCount = 0;
    command().firstPhrase = phrase({w.redBall});
    resolveCommand(*engine);
    EXPECT_EQ(engine->text.phraseText, "nichts");
}

TEST_F(Completion, CountsReportHowManyThereAre) {
    load();
    struct Case {
        int present;
        const char* text;
    };
    for (const Case c : {Case{2, "nur zwei"}, Case{1, "nur eine"}, Case{0, "keine"}}) {
        SCOPED_TRACE(c.text);
        World& world = engine->world;
        for (uint8_t coin : {w.coin1, w.coin2})
            world.objects[coin].holder = 1;
        if (c.present < 2) world.objects[w.coin2].holder = 2;
        if (c.present < 1) world.objects[w.coin1].holder = 2;
        parseError(*engine) = 0;
        matched(CommandWorld::take);
        command().objectListCount = 0;
        command().firstPhrase = phrase({w.coin1, w.coin2}, 2, 3);
        resolveCommand(*engine);
        EXPECT_EQ(error(), 36);
        EXPECT_EQ(engine->text.phraseText, c.text);
    }
    parseError(*engine) = 0;
    engine->world.objects[w.coin1].holder = 1;
    command().objectListCount = 0;
    command().firstPhrase = phrase({w.coin1, w.coin2}, 2, 1);
    resolveCommand(*engine);
    EXPECT_EQ(list(), std::vector<uint8_t>{w.coin1});
}

TEST_F(Completion, ImplicitTakeFromTheTableBeforeEating) {
    load();
    matched(CommandWorld::eat);
    command().firstObject = w.apple;
    command().firstPhrase = phrase({w.apple});
    resolveCommand(*engine);
    EXPECT_NE(output().find("<41:von dem Tisch>"), std::string::npos) << output();
    EXPECT_EQ(engine->world.objects[w.apple].holder, 0) << output();
    EXPECT_EQ(engine->world.command.object1, w.apple);
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(engine->world.command.action, CommandWorld::eat);
}

TEST_F(Completion, ImplicitTakeFromTheFloor) {
    load();
    matched(CommandWorld::eat);
    command().firstObject = w.sword;
    command().firstPhrase = phrase({w.sword}, 3);
    resolveCommand(*engine);
    EXPECT_NE(output().find("<40:"), std::string::npos) << output();
    EXPECT_EQ(engine->world.objects[w.sword].holder, 0) << output();
}

TEST_F(Completion, QuestionWordsForMissingParts) {
    w.story.objects[w.hans - 1].holder = 2; // no person here to take implicitly
    load();
    struct Case {
        uint8_t action;
        std::array<uint8_t, 3> sources;
        uint8_t implicitSet;
        uint8_t required;
        std::vector<uint8_t> prepositions;
        const char* question;
    };
    const Case cases[] = {
        {CommandWorld::examine, {1, 0, 0}, 0, 1, {}, "Was"},
        {CommandWorld::examine, {1, 0, 0}, 1, 1, {}, "Wen"},
        {CommandWorld::give, {2, 0, 0}, 0, 2, {}, "Wem"},
        {CommandWorld::unlock, {4, 0, 0}, 0, 4, {}, "Womit"},
        {CommandWorld::unlock, {4, 0, 0}, 1, 4, {}, "Mit wem"},
        {CommandWorld::goTo, {16, 0, 0}, 0, 16, {CommandWorld::in}, "Wohin"},
        {CommandWorld::put, {16, 0, 0}, 0, 16, {CommandWorld::on}, "Worauf"},
        {CommandWorld::put, {16, 0, 0}, 0, 16, {CommandWorld::in}, "Worein"},
        {CommandWorld::put, {32, 0, 0}, 0, 32, {CommandWorld::in}, "Worin"},
        {CommandWorld::put, {16, 0, 0}, 0, 16, {CommandWorld::under}, "Worunter"},
        {CommandWorld::put, {16, 0, 0}, 0, 16, {CommandWorld::to}, "Wozu"},
        {CommandWorld::put, {16, 0, 0}, 1, 16, {CommandWorld::on}, "Auf wen"},
        {CommandWorld::put, {32, 0, 0}, 1, 32, {CommandWorld::withPrep}, "Mit wem"},
        {CommandWorld::go, {0, 0, 0}, 0, 8, {}, "In welche Richtung"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        for (ActionRecord& record : engine->world.actions) {
            if (record.id != c.action) continue;
            record.slotSource = {0, c.sources[0], c.sources[1], c.sources[2]};
            record.slotImplicitSet = {0, c.implicitSet, 0, 0};
            record.requiredMask = c.required;
            record.acceptedPrepositions = c.prepositions;
        }
        matched(c.action);
        engine->world.command.object1 = 0;
        parseError(*engine) = 0;
        askMissing(*engine);
        EXPECT_EQ(error(), 25);
        EXPECT_EQ(engine->text.phraseText, c.question);
    }
}

TEST_F(Completion, TheOnlyVisiblePersonIsTakenImplicitly) {
    load();
    matched(CommandWorld::give);
    engine->world.command.object1 = w.apple;
    askMissing(*engine);
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(engine->world.command.object2, w.hans);
    EXPECT_NE(output().find("(dem Hans)"), std::string::npos) << output();
}

TEST_F(Completion, PlayerPatternDropsThePlayerOnlyFromARealList) {
    load();
    engine->world.command.verb = 7; // "wasch"
    command().firstObject = 251;    // «wasch dich»
    matchAction(*engine);
    EXPECT_EQ(engine->world.command.action, CommandWorld::wash);
    EXPECT_EQ(command().firstObject, 0);
    EXPECT_EQ(command().objectListCount, 0);
    // «wasch dich und den Ball»: the ball is left as the one object.
    command().firstObject = 251;
    command().objectListCount = 2;
    command().objectList[1] = 251;
    command().objectList[2] = w.redBall;
    command().listPhrases[2] = phrase({w.redBall});
    matchAction(*engine);
    EXPECT_EQ(command().objectListCount, 0);
    EXPECT_EQ(command().firstObject, w.redBall);
}

} // namespace
} // namespace rux
