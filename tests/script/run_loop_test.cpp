// The interpreter's loop keeps its cursor apart from the call while it runs
// loops and arithmetic, and hands it over whenever slower code runs: rare
// operand types, longer condition lists, calls, other instructions. These
// cases run loops whose every pass crosses that line, so a cursor that is
// not handed over (a lost jump, a stale position, a level closed twice)
// shows in the counts.

#include "engine/script/instruction_table.h"
#include "engine/script/interpreter.h"
#include "engine/text/codepage.h"
#include "engine/world/capacities.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

TEST(RunLoop, LoopsWhosePassesTakeTheSlowerPaths) {
    Assembler a;
    a.assign(longVar(10), num(0));
    // A two-part condition list is read outside the loop's shortcut.
    a.while_(cond(lt(longVar(10), num(20))).and_(positive(num(1))));
    a.add(longVar(10), num(1));
    a.add(byteVar(20), num(1));     // repaints the status line every time
    a.add(longVar(1), num(2));      // the turn counter, a redirected cell
    a.add(local(1), value(6, 250)); // number 250 stands for 251
    a.if_(cond(gt(local(1), num(100))).or_(eq(num(0), num(1))));
    a.add(byteVar(41), num(1));
    a.else_();
    a.add(byteVar(42), num(1));
    a.end();
    a.end();
    a.assign(byteVar(43), local(1));
    ScriptRunner r({a.finish()});
    const int repaints = r.host().statusRepaints;
    const int statusMode = r.byteVar(20);
    const int turns = r.world().scene.turnCounter;
    r.run();
    EXPECT_EQ(r.longVar(10), 20);
    EXPECT_EQ(r.host().statusRepaints, repaints + 20);
    EXPECT_EQ(r.byteVar(20), statusMode + 20);
    EXPECT_EQ(r.world().scene.turnCounter, turns + 40);
    // The local steps by 251, wrapping in a byte: 251, 246, 241, ...
    int expectedLocal = 0;
    int over100 = 0;
    for (int pass = 0; pass < 20; ++pass) {
        expectedLocal = (expectedLocal + 251) % 256;
        over100 += expectedLocal > 100;
    }
    EXPECT_EQ(r.byteVar(43), expectedLocal);
    EXPECT_EQ(r.byteVar(41), over100);
    EXPECT_EQ(r.byteVar(42), 20 - over100);
    EXPECT_EQ(r.output(), "");
}

TEST(RunLoop, CallsInsideLoopsComeBackToTheirPass) {
    // Routine 1 counts to 5 with repeat/until and calls routine 2 in each
    // pass, which sums 1..10 with a for loop over its own local.
    Assembler outer;
    outer.assign(local(2), num(0));
    outer.repeat();
    outer.add(local(2), num(1));
    outer.callRoutine(2);
    outer.until(cond(eq(local(2), num(5))));
    outer.assign(byteVar(40), local(2));
    Assembler inner;
    inner.for_(local(1), num(1), num(10));
    inner.add(longVar(11), local(1));
    inner.end();
    inner.add(byteVar(41), num(1));
    ScriptRunner r({outer.finish(), inner.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(40), 5);
    EXPECT_EQ(r.byteVar(41), 5);
    EXPECT_EQ(r.longVar(11), 5 * 55);
    EXPECT_EQ(r.engine().machine.callDepth, 0);
}

TEST(RunLoop, AStopInsideNestedLoopsEndsTheCall) {
    Assembler a;
    a.for_(byteVar(40), num(1), num(9));
    a.while_(cond(always()));
    a.add(longVar(10), num(1));
    a.if_(cond(eq(longVar(10), num(25))));
    a.stop();
    a.end();
    a.if_(cond(eq(byteVar(40), byteVar(40))));
    a.leave(); // leaves the if only; the while goes on
    a.end();
    a.add(longVar(11), num(1));
    a.end();
    a.end();
    a.add(byteVar(41), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.longVar(10), 25);
    EXPECT_EQ(r.longVar(11), 24);
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.output(), "");
}

TEST(RunLoop, EveryKindOfCellCanBeTheLeftSideOfAComparison) {
    // Each comparison that holds adds its bit to long variable 20.
    Story story;
    story.longConstants = {0, 0, 77, 5000}; // constants 3 and 4
    Assembler a;
    a.assign(byteVar(40), num(12)).assign(local(3), num(34)).assign(longVar(30), longConst(4));
    a.assign(longVar(1), num(9)); // the turn counter, a redirected cell
    const std::vector<std::pair<Operand, Operand>> comparisons = {
        {byteVar(40), num(12)},      {local(3), num(34)},     {longVar(30), longConst(4)},
        {longVar(1), num(9)},        {longConst(3), num(77)}, {num(250), num(251)},
        {byteVar(40), longConst(3)}, // does not hold
    };
    int bit = 1;
    for (const auto& [left, right] : comparisons) {
        a.if_(cond(eq(left, right))).add(longVar(20), num(bit)).end();
        bit <<= 1;
    }
    ScriptRunner r({a.finish()}, story);
    r.run();
    EXPECT_EQ(r.longVar(20), 0b0111111);
    EXPECT_EQ(r.world().scene.turnCounter, 9);
}

// Routine 2 is the assembled code, placed so that it ends exactly where the
// code area ends; routine 1 fills the area before it.
ScriptRunner atAreaEnd(Assembler& a) {
    const Code code = a.finishRaw();
    EXPECT_EQ(code.size() % 4, 0u);
    ScriptRunner r({Code(codeAreaSize - code.size(), opcode::noOperation), code});
    EXPECT_EQ(r.routine(2).start * 4u + r.routine(2).length, codeAreaSize);
    return r;
}

TEST(RunLoop, LoopHeadsCompareEveryKindOfCell) {
    // Each loop counts its left side up to the right side.
    Story story;
    story.longConstants = {0, 0, 77, 5000}; // constants 3 and 4
    Assembler a;
    a.assign(byteVar(41), num(7)).assign(longVar(33), longConst(3)).add(longVar(33), num(223));
    const std::vector<std::pair<Operand, Operand>> loops = {
        {byteVar(40), num(12)},      {local(3), num(34)},        {longVar(30), longConst(4)},
        {longVar(1), num(9)},        {longVar(31), byteVar(41)}, {longVar(32), longVar(33)},
        {byteVar(42), longConst(3)}, {local(2), longConst(3)},   {longVar(34), num(250)},
    };
    for (const auto& [left, right] : loops) {
        a.assign(left, num(0));
        a.while_(cond(lt(left, right))).add(left, num(1)).end();
        a.add(longVar(20), num(1));
    }

    // A constant on the left counts the right side down.
    a.assign(longVar(35), num(100));
    a.while_(cond(lt(longConst(3), longVar(35)))).sub(longVar(35), num(1)).end();
    a.assign(byteVar(43), local(3)).assign(byteVar(44), local(2));
    // The turn counter, a redirected cell, counted on from where the turn
    // driver left it.
    Assembler turns;
    turns.while_(cond(lt(longVar(1), num(15)))).add(longVar(1), num(1)).add(longVar(21), num(1));
    turns.end();
    ScriptRunner r({a.finish(), turns.finish()}, story);
    r.run();
    EXPECT_EQ(r.world().scene.turnCounter, 9);
    r.world().scene.turnCounter = 20;
    r.run(2);
    EXPECT_EQ(r.longVar(21), 0);
    r.world().scene.turnCounter = 12;
    r.run(2);
    EXPECT_EQ(r.longVar(21), 3);
    EXPECT_EQ(r.longVar(20), 9);
    EXPECT_EQ(r.byteVar(40), 12);
    EXPECT_EQ(r.byteVar(43), 34);
    EXPECT_EQ(r.longVar(30), 5000);
    EXPECT_EQ(r.world().scene.turnCounter, 15);
    EXPECT_EQ(r.longVar(31), 7);
    EXPECT_EQ(r.longVar(32), 300);
    EXPECT_EQ(r.byteVar(42), 77);
    EXPECT_EQ(r.byteVar(44), 77);
    EXPECT_EQ(r.longVar(34), 251); // number 250 stands for 251
    EXPECT_EQ(r.longVar(35), 77);
    EXPECT_EQ(r.output(), "");
}

TEST(RunLoop, BlocksEndWhereTheirLastInstructionEnds) {
    // The last block fills the code area to its very last byte.
    Assembler last;
    last.add(byteVar(40), num(1)).raw({opcode::noOperation, opcode::noOperation});
    last.add(byteVar(40), num(2));
    ScriptRunner r = atAreaEnd(last);
    r.run(2);
    EXPECT_EQ(r.byteVar(40), 3);
    EXPECT_EQ(r.output(), "");

    // An instruction cut off by the area's end reports that and does nothing.
    Assembler cut;
    cut.add(byteVar(40), num(1)).raw({opcode::add, 3, 40});
    ScriptRunner c = atAreaEnd(cut);
    c.run(2);
    EXPECT_EQ(c.byteVar(40), 1);
    EXPECT_EQ(c.output(), utf8ToCp1252("[Fehler: Anweisung reicht über das Blockende an Adresse ") +
                              std::to_string(codeAreaSize - 3) + ".]");
}

TEST(RunLoop, InstructionsThatEndTheCodeAreaRunInFull) {
    // Each instruction the loop runs at once when more code follows, here
    // as the last bytes of the code area, on a long and on a byte variable.
    using Step = Assembler& (Assembler::*)(Operand, Operand);
    const std::vector<std::pair<Step, int32_t>> steps = {
        {&Assembler::assign, 7}, {&Assembler::add, 107},   {&Assembler::sub, 93},
        {&Assembler::mul, 700},  {&Assembler::div, 14},    {&Assembler::mod, 2},
        {&Assembler::bitAnd, 4}, {&Assembler::bitOr, 103},
    };
    for (const auto& [step, expected] : steps) {
        Assembler a;
        a.assign(longVar(30), num(100)).assign(byteVar(40), num(100));
        (a.*step)(byteVar(40), num(7));
        (a.*step)(longVar(30), num(7));
        ScriptRunner r = atAreaEnd(a);
        r.run(2);
        EXPECT_EQ(r.longVar(30), expected) << expected;
        EXPECT_EQ(r.byteVar(40), expected & 0xFF) << expected;
        EXPECT_EQ(r.output(), "");
    }
}

// Routine calls run in the caller's loop; every level keeps its own cursor,
// open blocks and locals, and faults end only the level they happen in.
TEST(RunLoop, NestedRoutineCallsReturnThroughEveryLevel) {
    Assembler first;
    first.assign(local(1), num(11));
    first.for_(byteVar(40), num(1), num(3)).callRoutine(2).end();
    first.assign(byteVar(41), local(1));
    Assembler second;
    second.assign(local(1), num(22));
    second.while_(cond(lt(local(2), num(2))));
    second.add(local(2), num(1));
    second.callRoutine(3);
    second.end();
    second.add(longVar(20), local(1));
    second.callRoutine(3); // the block's last instruction
    Assembler third;
    // A two-part condition list and a handler instruction take the slower
    // ways through the running call.
    third.if_(cond(eq(local(1), num(0))).and_(positive(num(1))));
    third.add(longVar(21), num(1));
    third.end();
    third.setTrue(byteVar(42));
    third.raw({23}); // unrecognised: ends this level only
    third.add(longVar(22), num(1));
    ScriptRunner r({first.finish(), second.finish(), third.finish()});
    r.engine().machine.position = 1234;
    r.run();
    EXPECT_EQ(r.byteVar(41), 11);
    EXPECT_EQ(r.longVar(20), 3 * 22);
    EXPECT_EQ(r.longVar(21), 3 * 3);
    EXPECT_EQ(r.byteVar(42), 1);
    EXPECT_EQ(r.longVar(22), 0);
    const std::string text = r.output();
    EXPECT_EQ(text.find("[Fehler: Nicht erkannte Anweisung"), 0u) << text;
    EXPECT_EQ(r.engine().machine.callDepth, 0);
    EXPECT_EQ(r.engine().machine.currentCall, nullptr);
    EXPECT_EQ(r.engine().machine.position, 1234u);
}

TEST(RunLoop, AnEndlessLoopDeepDownEndsEveryWaitingCall) {
    Assembler first;
    first.callRoutine(2).add(byteVar(41), num(1));
    Assembler second;
    second.callRoutine(3).add(byteVar(42), num(1));
    Assembler third;
    third.while_(cond(always())).add(longVar(10), num(1)).end();
    ScriptRunner r({first.finish(), second.finish(), third.finish()});
    r.engine().machine.jumpLimit = 1000;
    r.run();
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_EQ(r.byteVar(42), 0);
    EXPECT_EQ(r.engine().machine.callDepth, 0);
    EXPECT_EQ(r.engine().machine.currentCall, nullptr);
    const std::string text = r.output();
    EXPECT_EQ(text.find("[Fehler: Endlosschleife abgebrochen"), 0u) << text;
    EXPECT_EQ(text.find("[Fehler", 1), std::string::npos) << text;
}

// Printed text counts against the budget: a loop that prints stops after a
// bounded amount of text, however few jumps each round makes.
TEST(RunLoop, AnEndlessLoopThatPrintsStopsAfterBoundedText) {
    storykit::Story story;
    story.setText(5, {"Immer wieder"}); // 12 bytes, and the space after them
    Assembler loop;
    loop.while_(cond(always())).print(5, 1).add(longVar(10), num(1)).end();
    ScriptRunner r({loop.finish()}, story);
    r.engine().machine.jumpLimit = 160'000;
    r.run();
    EXPECT_LE(r.longVar(10), 160'000 / (16 * 12));
    EXPECT_NE(r.output().find("[Fehler: Endlosschleife abgebrochen"), std::string::npos);
}

// A host that loads the story afresh when the first text box shows, as a
// story loaded by code inside a call would: the world, code area included,
// is replaced and the old one freed.
class ReloadingHost : public test::ScriptedHost {
  public:
    Engine* engine = nullptr;
    std::vector<uint8_t> story;
    void showTextBox(const std::vector<std::string>& lines) override {
        ScriptedHost::showTextBox(lines);
        if (textBoxes.size() == 1) loadStoryBytes(*engine, story, "test.vux");
    }
};

TEST(RunLoop, WaitingCallsFollowAStoryLoadedInsideARoutine) {
    Assembler outer;
    outer.repeat();
    outer.add(byteVar(41), num(1));
    outer.while_(cond(lt(byteVar(43), num(2)))); // a loop level open across the call
    outer.add(byteVar(43), num(1));
    outer.callRoutine(2);
    outer.end();
    outer.assign(byteVar(43), num(0));
    outer.add(byteVar(42), num(1));
    outer.until(cond(eq(byteVar(41), num(3))));
    Assembler inner;
    inner.emit("textbox", {5, num(1)});
    inner.add(byteVar(40), num(1));
    Story story;
    story.setText(0, std::vector<std::string>(230, "x"));
    story.setText(5, {"Zeile"});
    story.addRoutine(outer.finish());
    story.addRoutine(inner.finish());

    ReloadingHost host;
    Engine engine(host);
    host.engine = &engine;
    host.story = storykit::writeStory(story);
    loadStoryBytes(engine, host.story, "test.vux");
    runRoutine(engine, 1);
    // The load in the first call reset the variables: that pass's while
    // loop counts afresh (three calls in all), and three passes of two calls
    // each follow.
    EXPECT_EQ(host.textBoxes.size(), 9u);
    EXPECT_EQ(engine.world.byteVariables[40], 9);
    EXPECT_EQ(engine.world.byteVariables[41], 3);
    EXPECT_EQ(engine.world.byteVariables[42], 4);
    EXPECT_EQ(engine.machine.callDepth, 0);
}

} // namespace
} // namespace rux
