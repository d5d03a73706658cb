// The interpreter's shortcuts against the general code they stand in for:
// the value shortcuts against readValue and assignValue for every value
// type, and the loop against the plain interpreter on random code.

#include "engine/script/interpreter.h"
#include "engine/script/plain_run.h"
#include "engine/script/cell_names.h"
#include "engine/script/value_fast_paths.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace rux {
namespace {

using namespace storykit;

Story cellsStory() {
    Story story;
    StoryObject thing;
    thing.name = "Ding";
    for (int i = 0; i < 3; ++i)
        story.addObject(thing);
    story.objects[0].properties = {{1, 10}, {2, 20}};
    StoryRoom room;
    room.id = 1;
    story.addRoom(room);
    story.addAction(StoryAction());
    story.longConstants = {-7, 70000, 3};
    story.scoreSlotCount = 2;
    story.byteArrays = {{2, 3, 1}};
    return story;
}

// Everything a script may change, and what the host saw.
void expectSameState(test::TestEngine& a, test::TestEngine& b, const std::string& what) {
    const World& x = a.world();
    const World& y = b.world();
    EXPECT_TRUE(x.objects == y.objects && x.variableBlock == y.variableBlock &&
                x.scoreSlots == y.scoreSlots && x.codeArea == y.codeArea &&
                x.command == y.command && x.scene == y.scene)
        << what;
    EXPECT_EQ(x.byteVariables, y.byteVariables) << what;
    EXPECT_EQ(x.longVariables, y.longVariables) << what;
    EXPECT_EQ(a->machine.frames, b->machine.frames) << what;
    EXPECT_EQ(a->machine.jumpsLeft, b->machine.jumpsLeft) << what;
    EXPECT_EQ(a->machine.callDepth, b->machine.callDepth) << what;
    EXPECT_EQ(a.host.statusRepaints, b.host.statusRepaints) << what;
    EXPECT_EQ(a.host.diagnostics, b.host.diagnostics) << what;
    EXPECT_EQ(scrollbackText(*a), scrollbackText(*b)) << what;
}

// Distinct values in every variable and in the locals of frame 0.
void fillCells(test::TestEngine& t) {
    World& world = t.world();
    for (int i = 0; i < 256; ++i) {
        world.byteVariables[i] = static_cast<uint8_t>(i * 7 + 3);
        world.longVariables[i] = i * 1001 - 90000;
        t->machine.frames[0][i % localsPerFrame] = static_cast<uint8_t>(i * 13);
    }
    world.byteVariables[abortFlagVariable] = 0;
}

TEST(FastPaths, ValueShortcutsAgreeWithTheGeneralPaths) {
    const std::vector<uint8_t> indexes = {0,  1,  2,  3,   4,   5,   6,   9,   10,  13, 14,
                                          16, 20, 33, 100, 247, 248, 250, 251, 254, 255};
    // Both engines see the same operations throughout, so they stay alike.
    auto fast = test::loadTestStory(cellsStory());
    auto general = test::loadTestStory(cellsStory());
    for (int type = 0; type < 256; ++type) {
        for (uint8_t index : indexes) {
            const std::string what =
                "type " + std::to_string(type) + ", index " + std::to_string(index);
            const auto t = static_cast<uint8_t>(type);
            fillCells(*fast);
            fillCells(*general);
            const int32_t expected = readValue(**general, t, index);
            EXPECT_EQ(readValueFast(**fast, t, index), expected) << what;
            const DirectCells cells(**fast);
            int32_t value = 0;
            if (cells.readVariable(t, index, value)) {
                EXPECT_EQ(value, expected) << what;
            }
            if (cells.readCounter(t, index, value)) {
                EXPECT_EQ(value, expected) << what;
            }
            if (const int32_t* cell = cells.longCell(t, index)) {
                EXPECT_EQ(*cell, expected) << what;
            }
            if (const uint8_t* cell = cells.byteCell(t, index)) {
                EXPECT_EQ(*cell, expected) << what;
            }
            // Each write, then the same cell read back through the shortcut.
            for (int32_t written : {300, -1, 70000}) {
                assignValueFast(**fast, t, index, written);
                assignValue(**general, t, index, written);
                EXPECT_EQ(readValueFast(**fast, t, index), readValue(**general, t, index)) << what;
            }
            expectSameState(*fast, *general, what);
        }
    }
}

// Random code made of the instructions the loop runs inline (and a few it
// hands over), on cells of every kind: special, plain and redirected.
class RandomCode {
  public:
    explicit RandomCode(unsigned seed) : random_(seed) {}

    Code routine(int calls) {
        Assembler a;
        statements(a, 0, calls);
        return a.finish();
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    Operand variable() {
        switch (pick(9)) {
        case 0: return byteVar(40 + pick(4));
        case 1: return local(1 + pick(3));
        case 2: return longVar(pick(2) ? 10 + pick(3) : pick(6)); // plain or redirected
        case 3: return byteVar(statusLineVariable);
        case 4: return byteVar(litVariable);
        case 5: return byteVar(notCarriedOutVariable);
        case 6: return objectVar(pick(2) ? 1 : firstLocalIndex + pick(8));
        case 7: return value(21, 1 + pick(3));           // an object's state
        default: return value(pick(2) ? 5 : 6, pick(4)); // not assignable: a diagnostic
        }
    }
    Operand source() {
        switch (pick(5)) {
        case 0: return num(pick(2) ? playerFirstPerson : pick(256));
        case 1: return longConst(1 + pick(3));
        case 2: return value(64 + 1, 1); // a property
        default: return variable();
        }
    }
    Condition condition() {
        const Operand a = pick(4) ? variable() : source();
        const Operand b = source();
        switch (pick(6)) {
        case 0: return lt(a, b);
        case 1: return gt(a, b);
        case 2: return eq(a, b);
        case 3: return compare(a, 0, b); // any other relation is "equal"
        case 4: return not_(lt(a, b));
        default: return positive(a);
        }
    }
    Conditions conditions() {
        Conditions list = condition();
        for (int more = pick(3) == 0 ? 1 + pick(2) : 0; more > 0; --more)
            list = pick(2) ? list.and_(condition()) : list.or_(condition());
        return list;
    }

    void statements(Assembler& a, int depth, int calls) {
        for (int n = 2 + pick(5); n > 0; --n) {
            const int kind = pick(depth < 3 ? 16 : 10);
            switch (kind) {
            case 0: a.assign(variable(), source()); break;
            case 1: a.add(variable(), source()); break;
            case 2: a.sub(variable(), source()); break;
            case 3: a.mul(variable(), source()); break;
            case 4: a.div(variable(), source()); break;
            case 5: a.mod(variable(), source()); break;
            case 6: pick(2) ? a.bitAnd(variable(), source()) : a.bitOr(variable(), source()); break;
            case 7: a.test(variable(), conditions()); break;
            case 8:
                if (calls > 0) a.callRoutine(2);
                break;
            case 9: pick(8) ? a.nop() : a.stop(); break;
            case 10:
                a.for_(variable(), source(), num(pick(12)));
                statements(a, depth + 1, calls);
                a.end();
                break;
            case 11:
            case 12:
                a.while_(conditions());
                statements(a, depth + 1, calls);
                if (pick(4) == 0) a.leave();
                a.end();
                break;
            case 13:
                a.repeat();
                statements(a, depth + 1, calls);
                a.until(conditions());
                break;
            default:
                a.if_(conditions());
                statements(a, depth + 1, calls);
                if (pick(2)) {
                    a.else_();
                    statements(a, depth + 1, calls);
                }
                a.end();
                break;
            }
        }
    }

    std::mt19937 random_;
};

TEST(FastPaths, TheLoopRunsRandomCodeAsThePlainInterpreterDoes) {
    for (unsigned seed = 1; seed <= 100; ++seed) {
        RandomCode code(seed);
        Story story = cellsStory();
        story.addRoutine(code.routine(1));
        story.addRoutine(code.routine(0));
        auto fast = test::loadTestStory(story);
        auto plain = test::loadTestStory(story);
        for (test::TestEngine* t : {fast.get(), plain.get()}) {
            fillCells(*t);
            (*t)->machine.jumpLimit = 3000; // ends the endless loops among them
        }
        runRoutine(**fast, 1);
        runScriptPlainly(**plain, plain->world().findRoutine(1)->script);
        expectSameState(*fast, *plain, "seed " + std::to_string(seed));
    }
}

} // namespace
} // namespace rux
