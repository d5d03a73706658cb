// Assignment, arithmetic, bit operations and conditions stored as numbers.

#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <climits>
#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

// Runs one two-operand instruction on long variable 10 (holding `d`) with
// long variable 11 (holding `s`) and returns the result.
int32_t longResult(const char* mnemonic, int32_t d, int32_t s) {
    Assembler a;
    a.emit(mnemonic, {longVar(10), longVar(11)});
    ScriptRunner r({a.finish()});
    r.world().longVariables[10] = d;
    r.world().longVariables[11] = s;
    r.run();
    EXPECT_EQ(r.output(), "") << mnemonic;
    return r.longVar(10);
}

TEST(ValueInstructions, ArithmeticOnLongVariables) {
    EXPECT_EQ(longResult("assign", 5, -9), -9);
    EXPECT_EQ(longResult("add", 70000, 5), 70005);
    EXPECT_EQ(longResult("sub", 5, 70000), -69995);
    EXPECT_EQ(longResult("mul", -300, 300), -90000);
    EXPECT_EQ(longResult("div", 7, 2), 3);
    EXPECT_EQ(longResult("div", -7, 2), -3); // towards zero
    EXPECT_EQ(longResult("mod", 7, 3), 1);
    EXPECT_EQ(longResult("mod", -7, 2), -1); // sign of the dividend
    EXPECT_EQ(longResult("mod", 7, -2), 1);
    EXPECT_EQ(longResult("and", 0b1100, 0b1010), 0b1000);
    EXPECT_EQ(longResult("or", 0b1100, 0b1010), 0b1110);
    EXPECT_EQ(longResult("and", -1, 0x12345678), 0x12345678);
}

// A long variable and a number, the usual pair, take a shorter way; the
// results are the same, number 250 standing for 251.
TEST(ValueInstructions, ArithmeticOnLongVariablesWithNumbers) {
    struct Case {
        const char* mnemonic;
        int32_t d;
        int n;
        int32_t expected;
    };
    for (const Case& c :
         {Case{"add", 70000, 250, 70251}, Case{"sub", 5, 7, -2}, Case{"mul", -300, 200, -60000},
          Case{"div", -7, 2, -3}, Case{"div", 9, 0, 0}, Case{"mod", -7, 2, -1},
          Case{"mod", 9, 0, 0}, Case{"and", 0x1FF, 250, 0xFB}, Case{"or", 0x100, 250, 0x1FB}}) {
        Assembler a;
        a.emit(c.mnemonic, {longVar(10), num(c.n)}).emit(c.mnemonic, {longVar(1), num(c.n)});
        ScriptRunner r({a.finish()});
        r.world().longVariables[10] = c.d;
        r.world().scene.turnCounter = c.d; // long variable 1, a redirected cell
        r.run();
        EXPECT_EQ(r.longVar(10), c.expected) << c.mnemonic << " " << c.n;
        EXPECT_EQ(r.world().scene.turnCounter, c.expected) << c.mnemonic << " " << c.n;
    }
}

TEST(ValueInstructions, OverflowWrapsAndDivisionByZeroGivesZero) {
    EXPECT_EQ(longResult("add", INT_MAX, 1), INT_MIN);
    EXPECT_EQ(longResult("sub", INT_MIN, 1), INT_MAX);
    EXPECT_EQ(longResult("mul", 65536, 65536), 0);
    EXPECT_EQ(longResult("div", 12, 0), 0);
    EXPECT_EQ(longResult("mod", 12, 0), 0);
    EXPECT_EQ(longResult("div", INT_MIN, -1), INT_MIN);
    EXPECT_EQ(longResult("mod", INT_MIN, -1), 0);
}

TEST(ValueInstructions, StoresToBytesKeepTheLowEightBits) {
    Assembler a;
    a.add(byteVar(40), num(10)); // 250 + 10
    a.sub(byteVar(41), num(1));  // 0 - 1
    a.mul(byteVar(42), num(16)); // 20 * 16
    a.assign(byteVar(43), longConst(1));
    a.assign(local(2), num(200)).add(local(2), num(100)).assign(byteVar(44), local(2));
    Story story;
    story.longConstants = {-2};
    ScriptRunner r({a.finish()}, story);
    r.world().byteVariables[40] = 250;
    r.world().byteVariables[42] = 20;
    r.run();
    EXPECT_EQ(r.byteVar(40), 4);
    EXPECT_EQ(r.byteVar(41), 255);
    EXPECT_EQ(r.byteVar(42), 64);
    EXPECT_EQ(r.byteVar(43), 254);
    EXPECT_EQ(r.byteVar(44), 44);
}

TEST(ValueInstructions, RedirectedCellsGoThroughTheirValueTypes) {
    // Long variable 1 is the turn counter, byte variable 20 repaints the
    // status line, object variable 1 is the command's first object.
    Assembler a;
    a.assign(longVar(1), num(41)).add(longVar(1), num(1));
    a.assign(byteVar(20), num(3));
    a.assign(objectVar(1), num(6)).add(objectVar(1), num(1));
    a.assign(stateOf(2), num(5)).add(stateOf(2), num(1));
    Story story;
    StoryObject thing;
    story.addObject(thing);
    story.addObject(thing);
    ScriptRunner r({a.finish()}, story);
    const int repaints = r.host().statusRepaints;
    r.run();
    EXPECT_EQ(r.world().scene.turnCounter, 42);
    EXPECT_EQ(r.host().statusRepaints, repaints + 1);
    EXPECT_EQ(r.world().command.object1, 7);
    EXPECT_EQ(r.world().objects[2].state, 6);
}

TEST(ValueInstructions, ConditionsBecomeNumbers) {
    Assembler a;
    a.test(byteVar(40), cond(gt(num(3), num(2))));
    a.test(byteVar(41), cond(gt(num(2), num(3))));
    a.setTrue(byteVar(42)).setFalse(byteVar(43));
    ScriptRunner r({a.finish()});
    r.world().byteVariables[41] = 9;
    r.world().byteVariables[43] = 9;
    r.run();
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_EQ(r.byteVar(42), 1);
    EXPECT_EQ(r.byteVar(43), 0);
}

} // namespace
} // namespace rux
