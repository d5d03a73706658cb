// The instructions around commands and the session: performing another
// action, collecting, listing contents, byte arrays, the pending message,
// message variables, gender, the scope sets, the parser-facing tests,
// questions, quitting and the screen.

#include "engine/script/command_instructions.h"
#include "engine/text/lists.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>
#include <vector>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

Operand direction() {
    return value(15, 33);
}

// --- Perform another action --------------------------------------------------

// Action 60's script copies the tuple it sees into byte variables 40..43.
Story performStory() {
    Story story;
    for (int i = 1; i <= 60; ++i)
        story.addAction({});
    Assembler inner;
    inner.assign(byteVar(40), objectVar(1))
        .assign(byteVar(41), objectVar(2))
        .assign(byteVar(42), objectVar(3))
        .assign(byteVar(43), direction());
    story.actions[59].script = inner.finish();
    return story;
}

TEST(PerformInstruction, ASingleObjectGivesTheInnerActionAFreshTuple) {
    Assembler a;
    a.emit("perform", {num(60), std::vector<Operand>{num(7)}});
    ScriptRunner r = test::runnerFor(a, performStory());
    const CommandSlots outer{.action = 5, .object1 = 1, .object2 = 2, .object3 = 3, .direction = 4};
    r.world().command = outer;
    r.run();
    EXPECT_EQ(r.byteVars(40, 4), (std::vector<int>{7, 0, 0, 0}));
    EXPECT_EQ(r.world().command, outer) << "the outer command is back";
}

TEST(PerformInstruction, DirectionOperandsAndSurplusObjects) {
    Assembler a;
    a.emit("perform",
           {num(60), std::vector<Operand>{num(7), value(15, 5), num(8), num(9), num(10)}});
    a.assign(byteVar(50), num(1));
    ScriptRunner r = test::runScript(a, performStory());
    EXPECT_EQ(r.byteVars(40, 4), (std::vector<int>{7, 8, 9, 5}));
    EXPECT_EQ(r.byteVar(50), 1) << "the code after the instruction runs on";
}

// --- Collect -----------------------------------------------------------------

Story collectStory() {
    Story story;
    for (const char* name : {"Ball", "Hut", "Stein"}) {
        StoryObject object;
        object.name = name;
        story.addObject(object);
    }
    StoryObject table;
    table.name = "Tisch";
    story.addObject(table, Story::ObjectKind::Fixed);
    story.objectFlags = {{}, {}, {1, 3, 4}};
    return story;
}

TEST(CollectInstruction, ListsTheObjectsForWhichTheConditionHolds) {
    Assembler a;
    a.emit("collect", {byteVar(40), cond(objectFlag(byteVar(40), 3))});
    a.assign(byteVar(41), num(1));
    ScriptRunner r = test::runScript(a, collectStory());
    EXPECT_EQ(r.byteVars(40, 2), (std::vector<int>{5, 1})) << "fixedCount + 1, then on";
    EXPECT_EQ(r.byteVar(1), 2);
    // Ball and Stein, as references the markup prints; the table is fixed.
    EXPECT_EQ(r.engine().text.phraseText, "/u&01\x10 und /u&03\x10");
}

TEST(CollectInstruction, WithoutObjectsTheListIsPassedOver) {
    Assembler a;
    a.emit("collect", {byteVar(40), cond(eq(num(1), num(1)))});
    a.assign(byteVar(41), num(1));
    ScriptRunner r = test::runScript(a);
    EXPECT_EQ(r.byteVars(40, 2), (std::vector<int>{1, 1}));
}

// --- List contents -----------------------------------------------------------

// A box (object 2, container and surface) with a coin in it and a ring on it.
Story contentsStory(uint8_t boxState) {
    Story story;
    StoryObject coin;
    coin.name = "M\xFCnze";
    coin.gender = 2;
    coin.holder = 2;
    coin.relation = 2;
    StoryObject box;
    box.name = "Kiste";
    box.gender = 2;
    box.state = boxState;
    StoryObject ring;
    ring.name = "Ring";
    ring.holder = 2;
    ring.relation = 3;
    story.addObject(coin);
    story.addObject(box);
    story.addObject(ring);
    story.objectFlags.resize(12);
    story.objectFlags[10] = {2};
    story.objectFlags[11] = {2};
    std::vector<std::string> messages(120, "x");
    messages[114] = "DRIN";
    messages[115] = "DRAUF";
    story.setText(0, messages);
    return story;
}

// What is in a box shows only while it is open; a holder cycle ends.
TEST(ListContentsInstruction, ListsWhatIsInAndOnABox) {
    Story cycle = contentsStory(2);
    cycle.objects[1].holder = 1; // the box lies in the coin that lies in it
    cycle.objects[1].relation = 2;
    cycle.objectFlags[10] = {1, 2};
    struct Case {
        const char* name;
        Story story;
        bool showsIn;
        bool showsOn;
    };
    const Case cases[] = {{"open box", contentsStory(2), true, true},
                          {"closed box", contentsStory(3), false, true},
                          {"holder cycle", cycle, true, true}};
    for (const Case& c : cases) {
        Assembler a;
        a.emit("listcontents", {num(2)});
        ScriptRunner r = test::runScript(a, c.story);
        EXPECT_EQ(r.output().find("DRIN") != std::string::npos, c.showsIn) << c.name;
        EXPECT_EQ(r.output().find("DRAUF") != std::string::npos, c.showsOn) << c.name;
    }
}

// --- Byte arrays -------------------------------------------------------------

// Array 1 of 3 x 2 x 2 elements.
Story arrayStory() {
    Story story;
    story.byteArrays = {{3, 2, 2}};
    return story;
}

TEST(ArrayInstructions, ThreeDimensionalIndexReadsAndWrites) {
    Assembler a;
    a.emit("fillarray",
           {1, num(0),
            std::vector<Operand>{num(10), num(11), num(12), num(13), num(14), num(15), num(16),
                                 num(17), num(18), num(19), num(20), num(21)}});
    a.emit("getarray", {byteVar(40), 1, num(1), num(1), num(1)}); // 1 + 3 * (1 + 2) = 10
    a.emit("putarray", {1, num(2), num(0), num(1), num(99)});     // 2 + 3 * 2 = 8
    a.emit("getarray", {byteVar(41), 1, num(2), num(0), num(1)});
    a.emit("arrayindex", {byteVar(42), 1, num(2), num(1), num(1)});
    ScriptRunner r = test::runScript(a, arrayStory());
    EXPECT_EQ(r.byteVars(40, 3), (std::vector<int>{20, 99, 11}));
}

TEST(ArrayInstructions, TheIndexIsSixteenBitsAndOnlyItsLowByteSelects) {
    Assembler a;
    a.emit("arrayindex", {longVar(40), 1, num(200), num(200), num(200)});
    a.emit("putarray", {1, num(1), num(0), num(0), num(7)});
    a.emit("getarray", {byteVar(41), 1, num(1), num(128), num(64)}); // 1 + 3*(128+128) = 769
    ScriptRunner r = test::runScript(a, arrayStory());
    EXPECT_EQ(r.longVar(40), 200 + 3 * (200 + 2 * 200));
    EXPECT_EQ(r.byteVar(41), 7) << "769 selects element 1";
}

TEST(ArrayInstructions, ElementsPastTheArrayReadZeroAndAreNotWritten) {
    Assembler a;
    a.emit("putarray", {1, num(12), num(0), num(0), num(5)});
    a.emit("getarray", {byteVar(40), 1, num(12), num(0), num(0)});
    a.emit("putarray", {9, num(0), num(0), num(0), num(5)}); // no such array
    a.emit("getarray", {byteVar(41), 9, num(0), num(0), num(0)});
    a.emit("fillarray", {1, num(11), std::vector<Operand>{num(3), num(4)}});
    a.emit("getarray", {byteVar(42), 1, num(2), num(1), num(1)});
    ScriptRunner r = test::runnerFor(a, arrayStory());
    r.world().byteVariables[40] = 1;
    r.world().byteVariables[41] = 1;
    r.run();
    EXPECT_EQ(r.byteVars(40, 3), (std::vector<int>{0, 0, 3}));
}

// --- Messages, gender and scope sets -----------------------------------------

Story messageStory() {
    Story story;
    story.setText(5, {"eins", "zwei", "drei"});
    StoryObject ball;
    ball.name = "Ball";
    story.addObject(ball);
    return story;
}

TEST(MessageInstructions, APendingMessageIsPrintedOnce) {
    Assembler a;
    a.emit("printpending").emit("setpending", {5, 2}).emit("printpending").emit("printpending");
    ScriptRunner r = test::runScript(a, messageStory());
    EXPECT_NE(r.output().find("zwei"), std::string::npos);
    EXPECT_EQ(r.output().find("zwei"), r.output().rfind("zwei"));
    EXPECT_EQ(r.engine().machine.pendingMessage, TextRef{});
}

TEST(MessageInstructions, PrintThenStop) {
    Assembler a;
    a.emit("printstop", {5, 1}).print(5, 3);
    ScriptRunner r = test::runScript(a, messageStory());
    EXPECT_NE(r.output().find("eins"), std::string::npos);
    EXPECT_EQ(r.output().find("drei"), std::string::npos);
    EXPECT_TRUE(r.aborted());
}

TEST(MessageInstructions, MessageVariablesAndGender) {
    Assembler a;
    a.emit("setmessage", {4, 5, byteVar(40)}).emit("setgender", {num(1), 2, 1});
    ScriptRunner r = test::runnerFor(a, messageStory());
    r.world().byteVariables[40] = 3;
    r.run();
    EXPECT_EQ(r.world().messageVariables[4], (TextRef{5, 3}));
    EXPECT_EQ(r.world().objects[1].gender, 2);
    EXPECT_EQ(r.world().objects[1].articleKind, 1);
}

TEST(ScopeSetInstructions, EachJoinsItsOwnSet) {
    Assembler a;
    a.emit("seen", {num(1)})
        .emit("touchable", {num(2)})
        .emit("hidden", {num(3)})
        .emit("untouchable", {num(4)})
        .emit("seen", {longVar(40)});
    ScriptRunner r = test::runnerFor(a);
    r.world().longVariables[40] = 261; // no object (its low byte would be 5)
    r.run();
    const ScopeState& s = r.engine().scope;
    EXPECT_TRUE(s.seenThisTurn.contains(1));
    EXPECT_TRUE(s.touchableThisTurn.contains(2));
    EXPECT_TRUE(s.hiddenThisTurn.contains(3));
    EXPECT_TRUE(s.untouchableThisTurn.contains(4));
    EXPECT_FALSE(s.seenThisTurn.contains(5));
    EXPECT_FALSE(s.seenThisTurn.contains(2));
    EXPECT_FALSE(s.hiddenThisTurn.contains(1));
}

// --- Parser-facing instructions ----------------------------------------------

void setWords(Engine& engine, std::initializer_list<const char*> words) {
    WordTable& table = engine.parser.words;
    int n = 0;
    for (const char* word : words)
        table.slots[++n].text = word;
    table.wordCount = static_cast<uint8_t>(n);
    engine.parser.parsePosition = 1;
}

Story wordStory() {
    Story story;
    story.wordList = {"lampe", "rot", "lampe"};
    return story;
}

TEST(WordInstructions, FirstAndNextWordPublishTheWord) {
    Assembler a;
    a.emit("firstword")
        .assign(byteVar(40), value(39, 255))
        .assign(byteVar(41), byteVar(30))
        .emit("nextword")
        .assign(byteVar(42), value(39, 255))
        .emit("nextword")
        .assign(byteVar(43), value(39, 255))
        .assign(byteVar(44), byteVar(30));
    ScriptRunner r = test::runnerFor(a, wordStory());
    setWords(r.engine(), {"nimm", "lampe", "xyz"});
    r.engine().parser.hookWordPosition = 2;
    r.run();
    // The last match wins; a word not in the list gives wordListCount + 1; no word gives 0.
    EXPECT_EQ(r.byteVars(40, 5), (std::vector<int>{3, 5, 4, 0, 0}));
    EXPECT_EQ(r.engine().parser.parsePosition, 4);
}

// An article then an adjective in the hook case; the article chooses the endings.
TEST(WordInstructions, ArticleThenAdjectiveInTheHookCase) {
    for (const auto& [article, endingStyle] : {std::pair{"den", 1}, std::pair{"einen", 0}}) {
        Assembler a;
        a.emit("article", {1, byteVar(40)}).emit("adjective", {1, byteVar(41), 2});
        ScriptRunner r = test::runnerFor(a, wordStory());
        setWords(r.engine(), {article, "roten", "ball"});
        r.engine().parser.hookCase = 1;
        r.run();
        EXPECT_EQ(r.byteVars(40, 2), (std::vector<int>{1, 1})) << article;
        EXPECT_EQ(r.engine().parser.parsePosition, 3) << article;
        EXPECT_EQ(r.engine().parser.endingStyle, endingStyle) << article;
    }
}

TEST(WordInstructions, MismatchesLeaveThePositionAlone) {
    Assembler a;
    a.emit("article", {2, byteVar(40)})
        .emit("adjective", {1, byteVar(41), 2})
        .emit("adjective", {1, byteVar(42), 9});
    ScriptRunner r = test::runnerFor(a, wordStory());
    setWords(r.engine(), {"der"});
    r.engine().parser.hookCase = 1;
    r.world().byteVariables[40] = 7;
    r.run();
    EXPECT_EQ(r.byteVars(40, 3), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(r.engine().parser.parsePosition, 1);
}

TEST(WordInstructions, NoWordIsNoPluralIndefiniteArticle) {
    Assembler a;
    a.emit("article", {0, byteVar(40)});
    ScriptRunner r = test::runnerFor(a, wordStory());
    setWords(r.engine(), {});
    r.run();
    EXPECT_EQ(r.byteVar(40), 0);
    EXPECT_EQ(r.engine().parser.parsePosition, 1);
}

// Classifies the word at position 1 into byte variables 40 (value) and 41 (kind).
std::pair<int, int> classify(std::initializer_list<const char*> words) {
    Assembler a;
    a.emit("classifynumber", {longVar(40), byteVar(41)});
    ScriptRunner r = test::runnerFor(a);
    setWords(r.engine(), words);
    r.run();
    return {r.longVar(40), r.byteVar(41)};
}

// Kind 1 is a count up to 20, kind 2 a number string, kind 0 no number.
TEST(NumberInstructions, ClassifyCountsAndNumberStrings) {
    EXPECT_EQ(classify({"7"}), std::make_pair(7, 1));
    EXPECT_EQ(classify({"zwei"}), std::make_pair(2, 1));
    struct Case {
        std::initializer_list<const char*> words;
        int kind;
    };
    const Case cases[] = {
        {{"20"}, 1},      {{"21"}, 2},   {{"0"}, 2},   {{"07"}, 2},   {{"-3"}, 2},
        {{"3", "-4"}, 2}, {{"12/3"}, 2}, {{"ein"}, 0}, {{"ball"}, 0}, {{"99999999999999"}, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(classify(c.words).second, c.kind) << *c.words.begin();
}

struct NumberRead {
    int32_t value;
    int found;
    std::string text;
    int position;
    int leadingZeros;
};

NumberRead readNumber(std::initializer_list<const char*> words) {
    Assembler a;
    a.emit("readnumber", {longVar(40), byteVar(41)});
    ScriptRunner r = test::runnerFor(a);
    setWords(r.engine(), words);
    r.run();
    return {r.longVar(40), r.byteVar(41), r.engine().parser.numberText,
            r.engine().parser.parsePosition, r.byteVar(35)};
}

// A number string may go on over several words; the word that stops it
// adds nothing. Fields marked `any` (or a null text) are not checked.
TEST(NumberInstructions, ReadANumberStringOverSeveralWords) {
    constexpr int any = -99;
    struct Case {
        std::initializer_list<const char*> words;
        int32_t value;
        int found;
        const char* text;
        int position;
        int leadingZeros;
    };
    const Case cases[] = {
        {{"0", "1", "2", "ball"}, 12, 1, "0 1 2", 3, 1},
        {{"3/4"}, 34, any, "3//4", any, any},
        {{"drei", "vier", "stop"}, 34, any, nullptr, 2, any},
        {{"-12"}, -12, any, nullptr, any, any},
        {{"00"}, 0, 1, nullptr, any, 2},
        {{"12", "3a"}, 12, any, nullptr, 1, any},
        {{"ball"}, 0, 0, nullptr, any, any},
    };
    // What an unchecked field is compared as.
    const auto checked = [&](int actual, int expected) { return expected == any ? any : actual; };
    for (const Case& c : cases) {
        const NumberRead r = readNumber(c.words);
        const char* first = *c.words.begin();
        EXPECT_EQ(r.value, c.value) << first;
        EXPECT_EQ(checked(r.found, c.found), c.found) << first;
        EXPECT_EQ(c.text ? r.text : "", c.text ? c.text : "") << first;
        EXPECT_EQ(checked(r.position, c.position), c.position) << first;
        EXPECT_EQ(checked(r.leadingZeros, c.leadingZeros), c.leadingZeros) << first;
    }
}

// --- Questions, quitting and the screen --------------------------------------

TEST(SessionInstructions, QuestionsStoreTheAnswer) {
    Assembler a;
    a.emit("askyesno", {byteVar(40)}).emit("askchoice", {byteVar(41), "ENLZ"});
    ScriptRunner r = test::runnerFor(a);
    r.host().keys = {'J', 'L'};
    r.run();
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_EQ(r.byteVar(41), 3);
    r.host().keys = {27, 27};
    r.run();
    EXPECT_EQ(r.byteVar(40), 0);
    EXPECT_EQ(r.byteVar(41), 0);
}

TEST(SessionInstructions, QuitHandsOverToTheFrontEndAndStops) {
    Assembler a;
    a.emit("quit").assign(byteVar(40), num(1));
    ScriptRunner r = test::runScript(a);
    EXPECT_EQ(r.host().quits, 1);
    EXPECT_TRUE(r.engine().machine.quitRequested);
    EXPECT_EQ(r.byteVar(40), 0);
    EXPECT_TRUE(r.aborted());
}

TEST(SessionInstructions, MorePromptAndClearingTheScreen) {
    Assembler more;
    more.emit("more");
    ScriptRunner r = test::runnerFor(more);
    r.engine().output.linesSincePrompt = 5;
    r.run();
    EXPECT_EQ(r.host().pagingPrompts, 1);
    EXPECT_EQ(r.engine().output.linesSincePrompt, 0);

    Assembler clear;
    clear.emit("clear");
    ScriptRunner bottom = test::runnerFor(clear);
    outputText(bottom.engine(), "Text");
    bottom.run();
    EXPECT_EQ(bottom.engine().output.currentLine, bottom.engine().output.visibleLines);
    EXPECT_EQ(currentDisplayLine(bottom.engine()), "");

    Assembler home;
    home.emit("clearhome");
    ScriptRunner top = test::runnerFor(home);
    top.run();
    EXPECT_EQ(top.engine().output.currentLine, 1);
}

} // namespace
} // namespace rux
