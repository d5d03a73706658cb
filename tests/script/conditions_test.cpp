// Condition lists: strictly left to right, no precedence, every condition
// evaluated; negation; what each condition asks.

#include "engine/script/interpreter.h"
#include "engine/script/random.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

Condition yes() {
    return positive(num(1));
}
Condition no() {
    return positive(num(0));
}

// Runs "test byte:40, list" and gives the stored value.
int truthOf(const Conditions& list, Story story = {}) {
    Assembler a;
    a.test(byteVar(40), list);
    ScriptRunner r({a.finish()}, std::move(story));
    r.world().byteVariables[40] = 7;
    r.run();
    EXPECT_EQ(r.output(), "");
    return r.byteVar(40);
}

TEST(ConditionLists, ConnectorsApplyLeftToRightWithoutPrecedence) {
    EXPECT_EQ(truthOf(cond(yes()).or_(no()).and_(no())), 0); // (true or false) and false
    EXPECT_EQ(truthOf(cond(no()).and_(no()).or_(yes())), 1); // (false and false) or true
    EXPECT_EQ(truthOf(cond(yes()).and_(no()).or_(yes()).and_(yes())), 1);
    EXPECT_EQ(truthOf(cond(yes())), 1);
    EXPECT_EQ(truthOf(cond(no())), 0);
}

TEST(ConditionLists, AnyConnectorOtherThanOneMeansOr) {
    EXPECT_EQ(truthOf(cond(no()).join(7, yes())), 1);
    EXPECT_EQ(truthOf(cond(no()).join(255, no())), 0);
    EXPECT_EQ(truthOf(cond(yes()).join(1, no())), 0);
}

TEST(ConditionLists, NegationFlipsOneCondition) {
    EXPECT_EQ(truthOf(cond(not_(positive(num(0))))), 1); // code 133 on 0
    EXPECT_EQ(truthOf(cond(not_(positive(num(3))))), 0);
    EXPECT_EQ(truthOf(cond(not_(no())).and_(not_(no()))), 1);
}

TEST(ConditionLists, EveryConditionIsEvaluatedEvenWhenTheResultIsKnown) {
    // A chance condition draws a random number; a short cut would skip it.
    Assembler a;
    a.test(byteVar(40), cond(no()).and_(chance(num(50))).and_(chance(num(50))));
    a.test(byteVar(41), cond(yes()).or_(chance(num(50))));
    ScriptRunner r({a.finish()});
    const uint64_t before = r.engine().machine.randomState;
    r.run();
    EXPECT_EQ(r.byteVar(40), 0);
    EXPECT_EQ(r.byteVar(41), 1);
    ScriptRunner reference({Assembler().finish()});
    reference.engine().machine.randomState = before;
    for (int i = 0; i < 3; ++i)
        random(reference.engine(), 100);
    EXPECT_EQ(r.engine().machine.randomState, reference.engine().machine.randomState);
}

TEST(ConditionLists, OutsideAnyCallTheListIsReadAtTheProgramPosition) {
    Assembler a;
    a.rawConditions(cond(gt(num(5), num(3))).and_(not_(no())));
    a.raw({99});
    ScriptRunner r({a.finishRaw()});
    Engine& engine = r.engine();
    const uint32_t start = r.routine(1).start * 4u;
    engine.machine.position = start;
    EXPECT_TRUE(evaluateConditionList(engine));
    EXPECT_EQ(engine.world.codeArea[engine.machine.position], 99);
}

Story conditionWorld() {
    Story story;
    StoryObject thing;
    thing.name = "Ding";
    for (int i = 0; i < 4; ++i)
        story.addObject(thing);                       // portables 1..4
    story.addObject(thing, Story::ObjectKind::Fixed); // 5
    story.addObject(thing, Story::ObjectKind::Fixed); // 6
    story.objects[0].holder = 5;
    story.objects[0].relation = 2;
    story.objects[1].holder = 5;
    story.objects[1].relation = 2;
    story.objects[2].holder = 5;
    story.objects[2].relation = 3;
    story.objects[4].holder = 1; // object 5 stands in room 1
    story.objects[0].state = 4;
    story.objects[0].base = 6;
    story.objects[5].base = 9;
    story.objects[0].properties = {{3, 10}, {8, 0}};
    StoryRoom first;
    first.id = 1;
    first.base = 20;
    StoryRoom second;
    second.id = 2;
    second.base = 30;
    story.addRoom(first);
    story.addRoom(second);
    story.objectFlags = {{}, {1, 3}}; // flag 2 holds objects 1 and 3
    story.roomFlags = {{}, {}, {2}};  // flag 3 holds room 2
    for (int i = 0; i < 4; ++i)
        story.addAction(StoryAction());
    story.tailSets[1] = {3}; // action 3 is a meta action
    return story;
}

TEST(Conditions, CompareRelations) {
    EXPECT_EQ(truthOf(cond(lt(num(2), num(3)))), 1);
    EXPECT_EQ(truthOf(cond(lt(num(3), num(3)))), 0);
    EXPECT_EQ(truthOf(cond(gt(longConst(1), num(3))),
                      [] {
                          Story s;
                          s.longConstants = {-5};
                          return s;
                      }()),
              0); // signed: -5 is not above 3
    EXPECT_EQ(truthOf(cond(eq(num(4), num(4)))), 1);
    EXPECT_EQ(truthOf(cond(compare(num(4), 77, num(4)))), 1); // any other relation: equal
    EXPECT_EQ(truthOf(cond(compare(num(4), 0, num(5)))), 0);
}

TEST(Conditions, WorldQuestions) {
    const Story w = conditionWorld();
    EXPECT_EQ(truthOf(cond(located(num(1), 2, num(5))), w), 1);
    EXPECT_EQ(truthOf(cond(located(num(3), 2, num(5))), w), 0); // on, not in
    EXPECT_EQ(truthOf(cond(hasState(num(1), 4)), w), 1);
    EXPECT_EQ(truthOf(cond(hasState(num(2), 4)), w), 0);
    EXPECT_EQ(truthOf(cond(objectFlag(num(3), 2)), w), 1);
    EXPECT_EQ(truthOf(cond(objectFlag(num(2), 2)), w), 0);
    EXPECT_EQ(truthOf(cond(roomFlag(roomNum(2), 3)), w), 1);
    EXPECT_EQ(truthOf(cond(roomFlag(roomNum(1), 3)), w), 0);
    EXPECT_EQ(truthOf(cond(together(num(1), num(2))), w), 1);
    EXPECT_EQ(truthOf(cond(together(num(1), num(3))), w), 0);
    EXPECT_EQ(truthOf(cond(sameLocation(num(1), num(3))), w), 1); // both end in room 1
    EXPECT_EQ(truthOf(cond(sameLocation(num(1), num(4))), w), 0); // 4 is carried
    EXPECT_EQ(truthOf(cond(metaAction(num(3))), w), 1);
    EXPECT_EQ(truthOf(cond(metaAction(num(2))), w), 0);
    EXPECT_EQ(truthOf(cond(hasProperty(num(1), 8)), w), 1);
    EXPECT_EQ(truthOf(cond(hasProperty(num(1), 9)), w), 0);
    EXPECT_EQ(truthOf(cond(isFixed(num(5))), w), 1);
    EXPECT_EQ(truthOf(cond(isFixed(num(4))), w), 0);
}

TEST(Conditions, NumbersAbove255AreInNoFlagSet) {
    Story w = conditionWorld();
    w.longVariables = {0, 0, 0, 0, 0, 0, 0, 0, 0, 256 + 3}; // long variable 10
    EXPECT_EQ(truthOf(cond(objectFlag(longVar(10), 2)), w), 0);
    EXPECT_EQ(truthOf(cond(roomFlag(longVar(10), 3)), w), 0);
    EXPECT_EQ(truthOf(cond(metaAction(longVar(10))), w), 0);
}

TEST(Conditions, BaseChainIncludesTheFinalZero) {
    Story w = conditionWorld();
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 6)), w), 1);
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 9)), w), 1); // base of the base
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 0)), w), 1);
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 1)), w), 0);
    EXPECT_EQ(truthOf(cond(kindOf(num(2), 0)), w), 1);
}

TEST(Conditions, BaseChainInACircleEnds) {
    Story w = conditionWorld();
    w.objects[5].base = 1; // 1 -> 6 -> 1 -> ...
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 6)), w), 1);
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 0)), w), 0);
    EXPECT_EQ(truthOf(cond(kindOf(num(1), 7)), w), 0);
}

TEST(Conditions, RoomBaseFallsBackToTheLastRoomRecord) {
    const Story w = conditionWorld();
    EXPECT_EQ(truthOf(cond(roomBase(roomNum(1), 20)), w), 1);
    EXPECT_EQ(truthOf(cond(roomBase(roomNum(2), 30)), w), 1);
    EXPECT_EQ(truthOf(cond(roomBase(roomNum(9), 30)), w), 1);
    EXPECT_EQ(truthOf(cond(roomBase(roomNum(9), 20)), w), 0);
}

TEST(Conditions, ChanceAtTheBounds) {
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(truthOf(cond(chance(num(100)))), 1);
        EXPECT_EQ(truthOf(cond(chance(num(0)))), 0);
    }
}

TEST(Conditions, AlwaysReadsBothOperands) {
    EXPECT_EQ(truthOf(cond(rawCondition(16, {6, 1, 6, 2})).and_(yes())), 1);
    EXPECT_EQ(truthOf(cond(rawCondition(17, {6, 1, 6, 2})).and_(no())), 0);
}

TEST(Conditions, UndefinedCodesTakeNoOperandsAndDoNotHold) {
    for (int code : {0, 18, 64, 127}) {
        EXPECT_EQ(truthOf(cond(rawCondition(code)).or_(no())), 0) << code;
        EXPECT_EQ(truthOf(cond(rawCondition(code + 128)).and_(yes())), 1) << code;
    }
}

} // namespace
} // namespace rux
