// Stopping and the abort flag, calls between routines, their locals, and
// the limit on nested calls.

#include "engine/fatal_error.h"
#include "engine/script/interpreter.h"
#include "engine/text/codepage.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

TEST(Stop, SetsTheAbortFlagAndSkipsTheRestOfTheBlock) {
    Assembler a;
    a.add(byteVar(40), num(1)).stop().add(byteVar(40), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.output(), "");
}

TEST(Stop, ABlockRunToItsEndLeavesTheAbortFlagClear) {
    Assembler a;
    a.add(byteVar(40), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_FALSE(r.aborted());
}

TEST(Stop, TheBlocksLastByteStillRuns) {
    // The last byte is the loop's "next": after each stop it carries the
    // loop on, so the body runs for every value.
    Assembler a;
    a.for_(byteVar(40), num(1), num(5)).add(byteVar(41), num(1)).stop().end();
    ScriptRunner r({a.finishRaw()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 5);
    EXPECT_EQ(r.byteVar(40), 6);
    EXPECT_TRUE(r.aborted());
}

TEST(Stop, AStopAsTheLastByteEndsTheBlock) {
    Assembler a;
    a.add(byteVar(40), num(1)).stop();
    ScriptRunner r({a.finishRaw(), Assembler().stop().finishRaw()});
    r.run(1);
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_TRUE(r.aborted());
    r.world().byteVariables[13] = 0;
    r.run(2);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.engine().machine.callDepth, 0);
}

TEST(Stop, LaterCallsDoNothingUntilTheFlagIsCleared) {
    Assembler first;
    first.callRoutine(2).add(byteVar(40), num(1)).callRoutine(3).add(byteVar(40), num(1));
    Assembler second;
    second.stop().add(byteVar(41), num(1));
    Assembler third;
    third.add(byteVar(42), num(1));
    ScriptRunner r({first.finish(), second.finish(), third.finish()});
    r.run(1);
    EXPECT_EQ(r.byteVar(40), 2); // the caller goes on with its own code
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_EQ(r.byteVar(42), 0); // routine 3 was refused
    r.run(3);
    EXPECT_EQ(r.byteVar(42), 0);
    r.world().byteVariables[13] = 0;
    r.run(3);
    EXPECT_EQ(r.byteVar(42), 1);
}

TEST(Stop, RequireStopsWithItsMessageOnlyWhenTheConditionFails) {
    Story story;
    story.setText(4, {"Geht nicht.", "Nein."});
    Assembler a;
    a.require(cond(positive(byteVar(40))), 4, 2).add(byteVar(41), num(1));
    Assembler silent;
    silent.require(cond(positive(byteVar(40))), 4, 0).add(byteVar(41), num(1));
    ScriptRunner r({a.finish(), silent.finish()}, story);

    r.world().byteVariables[40] = 1;
    r.run(1);
    EXPECT_EQ(r.byteVar(41), 1);
    EXPECT_FALSE(r.aborted());
    EXPECT_EQ(r.output(), "");

    r.world().byteVariables[40] = 0;
    r.run(1);
    EXPECT_EQ(r.byteVar(41), 1);
    EXPECT_TRUE(r.aborted());
    EXPECT_NE(r.output().find("Nein."), std::string::npos) << r.output();

    r.world().byteVariables[13] = 0;
    const std::string before = r.output();
    r.run(2);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.output(), before); // variant 0 prints nothing
}

TEST(Calls, EmptyBlocksAndMissingRoutinesRunNothing) {
    ScriptRunner r(
        {Assembler().add(byteVar(40), num(1)).callRoutine(99).add(byteVar(40), num(1)).finish()});
    runScript(r.engine(), 0, 0);
    EXPECT_EQ(r.engine().machine.callDepth, 0);
    runRoutine(r.engine(), 42);
    r.run();
    EXPECT_EQ(r.byteVar(40), 2);
}

TEST(Calls, ExitRoutinesAndActionsCanBeCalled) {
    Story story;
    StoryRoom room;
    story.addRoom(room);
    story.addAction(StoryAction());
    story.exitRoutines.push_back(Assembler().add(byteVar(41), num(1)).finish());
    Assembler a;
    a.callExitRoutine(2).callExitRoutine(77).callAction(1).callAction(200).add(byteVar(40), num(1));
    ScriptRunner r({a.finish()}, story);
    r.run();
    EXPECT_EQ(r.byteVar(41), 1); // the exit routine after room 1 has id 2
    EXPECT_EQ(r.byteVar(40), 1);
}

TEST(Calls, EveryCallHasItsOwnClearedLocals) {
    Assembler caller;
    caller.assign(local(1), num(7)).assign(local(8), num(8)).callRoutine(2);
    caller.assign(byteVar(41), local(1)).assign(byteVar(42), local(8));
    Assembler callee;
    callee.assign(byteVar(43), local(1)).assign(byteVar(44), local(8));
    callee.assign(local(1), num(9)).assign(local(8), num(9));
    ScriptRunner r({caller.finish(), callee.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 7);
    EXPECT_EQ(r.byteVar(42), 8);
    EXPECT_EQ(r.byteVar(43), 0);
    EXPECT_EQ(r.byteVar(44), 0);
}

TEST(Calls, TheCallerContinuesWhereItWasInsideItsBlocks) {
    Assembler caller;
    caller.for_(byteVar(40), num(1), num(4)).callRoutine(2).add(byteVar(41), num(1)).end();
    Assembler callee;
    callee.for_(byteVar(42), num(1), num(3)).add(longVar(10), num(1)).end();
    ScriptRunner r({caller.finish(), callee.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 4);
    EXPECT_EQ(r.longVar(10), 12);
}

// A routine that counts its depth in byte variable 60 and calls itself
// while the count is below `limit`.
Code recursive(int limit) {
    Assembler a;
    a.add(byteVar(60), num(1));
    a.if_(cond(lt(byteVar(60), num(limit)))).callRoutine(1).end();
    return a.finish();
}

TEST(CallDepth, SixtyThreeNestedCallsRun) {
    ScriptRunner r({recursive(63)});
    r.run();
    EXPECT_EQ(r.byteVar(60), 63);
    EXPECT_EQ(r.engine().machine.callDepth, 0);
}

TEST(CallDepth, TheSixtyFourthCallIsFatal) {
    ScriptRunner r({recursive(200)});
    try {
        r.run();
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(std::string(error.what()),
                  utf8ToCp1252("Fatal: Überlauf des Stapelspeichers 63"));
        EXPECT_EQ(error.report(), FatalError::Report::MessageBox);
    }
    EXPECT_EQ(r.byteVar(60), 63);
    EXPECT_EQ(r.engine().machine.callDepth, 0); // unwound
    EXPECT_EQ(r.engine().machine.currentCall, nullptr);
}

} // namespace
} // namespace rux
