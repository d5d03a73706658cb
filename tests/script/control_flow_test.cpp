// Loops and branches: where each block level jumps and when it closes.

#include "engine/script/interpreter.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

// Five portable objects and two rooms; the player is in room 1.
Story exampleWorld() {
    Story story;
    for (int i = 0; i < 5; ++i) {
        StoryObject thing;
        thing.name = "Ding";
        story.addObject(thing);
    }
    StoryRoom room;
    story.addRoom(room);
    story.addRoom(room);
    story.setText(3, {"Sichtbar!"});
    return story;
}

TEST(ControlFlow, WorkedExampleAssemblesToItsBytesAndRunsBothWays) {
    Assembler a;
    a.if_(cond(visible(num(5)))).print(3, 1).end();
    const Code code = a.finish();
    const Code expected = {253, 0, 0, 0, 17, 2, 6, 5, 255, 6, 0, 0, 2, 3, 1, 251, 255};
    EXPECT_EQ(code, expected);

    Story story = exampleWorld();
    story.objects[4].holder = 2; // object 5 lies in room 2, out of sight
    ScriptRunner hidden({code}, story);
    hidden.world().scene.currentRoom = 1;
    hidden.run();
    EXPECT_EQ(hidden.output(), "");
    EXPECT_FALSE(hidden.aborted());

    story.objects[4].holder = 0; // carried: visible
    ScriptRunner shown({code}, story);
    shown.world().scene.currentRoom = 1;
    shown.run();
    EXPECT_NE(shown.output().find("Sichtbar!"), std::string::npos) << shown.output();
    EXPECT_EQ(shown.engine().machine.callDepth, 0);
}

TEST(ControlFlow, IfElseTakesExactlyOneBranchAndContinuesAfterIt) {
    for (int value : {0, 1}) {
        Assembler a;
        a.if_(cond(positive(byteVar(40))))
            .add(byteVar(41), num(1))
            .else_()
            .add(byteVar(42), num(1))
            .end();
        a.add(byteVar(43), num(1));
        ScriptRunner r({a.finish()});
        r.world().byteVariables[40] = static_cast<uint8_t>(value);
        r.run();
        EXPECT_EQ(r.byteVar(41), value);
        EXPECT_EQ(r.byteVar(42), 1 - value);
        EXPECT_EQ(r.byteVar(43), 1);
        EXPECT_EQ(r.output(), "");
    }
}

TEST(ControlFlow, NestedIfsCloseTheirOwnLevels) {
    Assembler a;
    a.if_(cond(positive(num(1))));
    {
        a.if_(cond(positive(num(0))))
            .add(byteVar(40), num(1))
            .else_()
            .add(byteVar(40), num(2))
            .end();
        a.if_(cond(positive(num(0)))).add(byteVar(40), num(4)).end();
        a.add(byteVar(40), num(8));
    }
    a.else_().add(byteVar(40), num(16)).end();
    a.add(byteVar(40), num(32));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(40), 2 + 8 + 32);
    EXPECT_EQ(r.output(), "");
}

TEST(ControlFlow, WhileLoopTestsBeforeEachPass) {
    Assembler a;
    a.while_(cond(lt(longVar(10), longVar(11))))
        .add(longVar(10), num(1))
        .add(longVar(12), num(2))
        .end();
    ScriptRunner r({a.finish()});
    r.world().longVariables[11] = 1000;
    r.run();
    EXPECT_EQ(r.longVar(10), 1000);
    EXPECT_EQ(r.longVar(12), 2000);

    r.world().longVariables[10] = 5;
    r.world().longVariables[11] = 5;
    r.world().longVariables[12] = 0;
    r.run();
    EXPECT_EQ(r.longVar(12), 0); // false at once: the body never runs
}

TEST(ControlFlow, RepeatRunsAtLeastOnceUntilTheConditionHolds) {
    Assembler a;
    a.repeat().add(byteVar(40), num(1)).until(cond(gt(byteVar(40), num(2))));
    a.repeat().add(byteVar(41), num(1)).until(cond(always()));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(40), 3);
    EXPECT_EQ(r.byteVar(41), 1);
}

TEST(ControlFlow, ForLoopCountsUpToItsLimit) {
    Assembler a;
    a.for_(byteVar(40), num(3), num(7)).add(byteVar(41), byteVar(40)).end();
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 3 + 4 + 5 + 6 + 7);
    EXPECT_EQ(r.byteVar(40), 8);
}

TEST(ControlFlow, ForLoopWhoseFirstValueIsAboveTheLimitRunsNoPass) {
    Assembler a;
    a.for_(byteVar(40), num(9), num(2)).add(byteVar(41), num(1)).end();
    a.add(byteVar(42), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_EQ(r.byteVar(42), 1);
    EXPECT_EQ(r.byteVar(40), 9);
}

TEST(ControlFlow, ByteLoopVariableUpTo255EndsWhenItWraps) {
    Assembler a;
    a.for_(byteVar(40), num(251), num(255)) // (num:250 would stand for 251)
        .add(byteVar(41), num(1))
        .assign(byteVar(42), byteVar(40))
        .end();
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 5);
    EXPECT_EQ(r.byteVar(42), 255); // the last pass saw 255
    EXPECT_EQ(r.byteVar(40), 0);   // then the increment wrapped
}

TEST(ControlFlow, ForLoopLimitIsTakenAsAByte) {
    Assembler a;
    a.for_(longVar(10), num(40), longVar(11)).add(longVar(12), num(1)).end();
    ScriptRunner r({a.finish()});
    r.world().longVariables[11] = 300; // limit 300 mod 256 = 44
    r.run();
    EXPECT_EQ(r.longVar(12), 5);
    EXPECT_EQ(r.longVar(10), 45);
}

TEST(ControlFlow, LeaveClosesOnlyTheInnermostLevel) {
    Assembler a;
    a.for_(byteVar(40), num(1), num(3));
    {
        a.for_(byteVar(41), num(1), num(100));
        // Inside the if, "leave" ends the if, not the loop around it.
        a.if_(cond(gt(byteVar(41), num(4)))).leave().add(byteVar(43), num(1)).end();
        a.add(longVar(12), num(1));
        a.end();
    }
    a.end();
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.longVar(12), 300);
    EXPECT_EQ(r.byteVar(43), 0);
    EXPECT_EQ(r.byteVar(40), 4);
    EXPECT_EQ(r.output(), "");
}

TEST(ControlFlow, LeaveInALoopBodyJumpsPastTheLoop) {
    Assembler a;
    a.for_(byteVar(40), num(1), num(100)).add(byteVar(41), num(1)).leave().end();
    a.add(byteVar(42), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 1);
    EXPECT_EQ(r.byteVar(42), 1);
}

TEST(ControlFlow, ElevenNestedBlocksAreAllowed) {
    Assembler a;
    for (int i = 0; i < 11; ++i)
        a.if_(cond(always()));
    a.add(byteVar(40), num(1));
    for (int i = 0; i < 11; ++i)
        a.end();
    a.add(byteVar(41), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_EQ(r.byteVar(41), 1);
    EXPECT_EQ(r.output(), "");
}

TEST(ControlFlow, LoopsKeepTheirLevelsAcrossPasses) {
    // A while loop around a for loop around an if: ten thousand level
    // openings and closings must leave every level balanced.
    Assembler a;
    a.while_(cond(lt(longVar(10), num(100))));
    a.for_(byteVar(40), num(1), num(100));
    a.if_(cond(gt(byteVar(40), num(50)))).add(longVar(11), num(1)).end();
    a.end();
    a.add(longVar(10), num(1));
    a.end();
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.longVar(11), 100 * 50);
    EXPECT_EQ(r.output(), "");
}

} // namespace
} // namespace rux
