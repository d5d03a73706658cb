// Whole typed commands from the words to the resolved action: sentence
// shapes, lists and "alles ausser", questions answered on the next line,
// the implicit take and orders to a character.

#include "engine/parser/sentence.h"
#include "engine/parser/tokenizer.h"
#include "tests/parser/command_world.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using test::CommandWorld;

struct WholeCommand : ::testing::Test {
    CommandWorld w;
    std::unique_ptr<test::TestEngine> test;
    Engine* engine = nullptr;

    void SetUp() override {
        test = w.load();
        engine = test->engine.get();
    }
    // Parses the line's first sentence as the turn driver does.
    void type(const std::string& line) {
        tokenize(*engine, CommandWorld::cp(line.c_str()));
        parse();
    }
    void parse() {
        parseCommand(*engine);
        printParseError(*engine);
    }
    // Parses the sentence after the one just parsed.
    void next() {
        ASSERT_NE(command().nextSentence, 0);
        startNextSentence(*engine, command().nextSentence);
        parse();
    }
    CommandSlots& slots() { return engine->world.command; }
    ParsedCommand& command() { return engine->parser.command; }
    std::vector<uint8_t> list() {
        return {command().objectList.begin() + 1,
                command().objectList.begin() + 1 + command().objectListCount};
    }
    std::string output() { return scrollbackText(*engine); }
    uint8_t error() { return parseError(*engine); }
};

TEST_F(WholeCommand, SentenceShapes) {
    type("nimm das Schwert");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().action, CommandWorld::take);
    EXPECT_EQ(slots().object1, w.sword);

    type("gib dem Hans das Schwert");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().action, CommandWorld::give);
    EXPECT_EQ(slots().object1, w.sword);
    EXPECT_EQ(slots().object2, w.hans);

    type("lege das Schwert in die Kiste");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().action, CommandWorld::put);
    EXPECT_EQ(slots().object2, w.box);
    EXPECT_EQ(slots().preposition, CommandWorld::in);

    type("geh nach norden");
    EXPECT_EQ(slots().action, CommandWorld::go);
    EXPECT_EQ(slots().direction, 1);

    type("nimm das Schwert nicht");
    EXPECT_EQ(error(), 9);

    // Found by fuzzing: the parser went back a word and read it forever.
    type("lege ))))))))))))x");
    EXPECT_NE(error(), 0);
}

TEST_F(WholeCommand, SentencesEndAtFullStopsExclamationAndUnd) {
    for (const char* line :
         {"nimm das Schwert. geh nach norden", "Nimm das Schwert! geh nach norden",
          "nimm das Schwert und geh nach norden"}) {
        SCOPED_TRACE(line);
        type(line);
        EXPECT_EQ(slots().object1, w.sword);
        next();
        EXPECT_EQ(slots().action, CommandWorld::go);
    }
    type("Nimm das Schwert!");
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(command().nextSentence, 0);
}

TEST_F(WholeCommand, ListsAndAllesAusser) {
    type("nimm den roten Ball und das Schwert");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(list(), (std::vector<uint8_t>{w.redBall, w.sword}));

    type("nimm alles ausser dem Schwert und dem Apfel");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(list(), (std::vector<uint8_t>{w.redBall, w.blueBall, w.greenBall, w.oldBook,
                                            w.newBook, w.coin1, w.coin2}));

    type("nimm das Schwert ausser dem Apfel");
    EXPECT_EQ(error(), 10);
    type("nimm alles alles");
    EXPECT_EQ(error(), 8);
}

TEST_F(WholeCommand, APluralOfLikeObjectsMeansEveryOneAtHand) {
    type("nimm die Münzen");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(list(), (std::vector<uint8_t>{w.coin1, w.coin2}));
    // Eating takes one object only; the plural then names one coin.
    type("iss die Münzen");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().object1, w.coin1);
    // With one coin at hand there is no list.
    engine->world.objects[w.coin2].holder = 2;
    type("nimm die Münzen");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(slots().object1, w.coin1);
}

TEST_F(WholeCommand, DisambiguationAnsweredOnTheNextLine) {
    type("nimm den Ball");
    EXPECT_EQ(error(), 42);
    EXPECT_NE(output().find(CommandWorld::cp("Welchen Ball")), std::string::npos) << output();
    type("den roten");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().action, CommandWorld::take);
    EXPECT_EQ(slots().object1, w.redBall);

    type("nimm den Ball");
    type("beide");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(list(), (std::vector<uint8_t>{w.redBall, w.blueBall, w.greenBall}));
}

TEST_F(WholeCommand, MissingPartCompletedOnTheNextLine) {
    type("untersuche");
    EXPECT_EQ(error(), 25);
    EXPECT_NE(output().find("<25:Was>"), std::string::npos) << output();
    type("das Schwert");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(slots().action, CommandWorld::examine);
    EXPECT_EQ(slots().object1, w.sword);
    type("beide");
    EXPECT_EQ(error(), 2);
}

TEST_F(WholeCommand, ImplicitTakeBeforeEating) {
    type("iss den Apfel");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_NE(output().find("<41:von dem Tisch>"), std::string::npos) << output();
    EXPECT_EQ(engine->world.objects[w.apple].holder, 0);
    EXPECT_EQ(slots().action, CommandWorld::eat);
}

TEST_F(WholeCommand, OrdersAddressedAndQuoted) {
    type("Hans, nimm das Schwert");
    EXPECT_EQ(error(), 0) << output();
    EXPECT_EQ(engine->world.scene.addressee, w.hans);
    EXPECT_EQ(slots().action, CommandWorld::take);
    EXPECT_EQ(slots().object1, w.sword);

    type("sage Hans \"nimm das Schwert. geh nach norden\"");
    EXPECT_EQ(engine->world.scene.addressee, w.hans);
    EXPECT_EQ(slots().action, CommandWorld::take);
    EXPECT_EQ(command().nextSentence, 0); // the rest of the order is not the player's

    // An order ends with its sentence.
    type("Hans, nimm das Schwert. geh nach norden");
    next();
    EXPECT_EQ(engine->world.scene.addressee, 0);
    EXPECT_FALSE(engine->parser.orderMode);
    EXPECT_EQ(slots().action, CommandWorld::go);

    // An order cannot be asked back about: it fails with the question's code.
    type("Hans, nimm den Ball");
    EXPECT_EQ(error(), 0);
    EXPECT_EQ(engine->world.byteVariables[orderErrorVariable], 42);
    EXPECT_EQ(engine->parser.continuation, 0);
    EXPECT_EQ(output().find("Welchen"), std::string::npos) << output();
}

} // namespace
} // namespace rux
