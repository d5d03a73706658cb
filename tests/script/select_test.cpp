// Selections: labels with single values and ranges, the default entry, and
// what happens when no entry matches.

#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

// A selection over byte variable 40 that records the chosen entry in byte
// variable 41 and counts passes after the selection in byte variable 42.
Code classifier(bool withDefault) {
    Assembler a;
    a.select(longVar(10));
    a.case_({1, 4}).assign(byteVar(41), num(1));
    a.case_({range(10, 20), 0}).assign(byteVar(41), num(2));
    a.case_({255, 249}).assign(byteVar(41), num(3));
    a.case_({range(5, 5), 7}).assign(byteVar(41), num(4));
    if (withDefault) a.default_().assign(byteVar(41), num(9));
    a.end();
    a.add(byteVar(42), num(1));
    return a.finish();
}

int chosenEntry(ScriptRunner& r, int32_t value) {
    r.world().byteVariables[41] = 0;
    r.world().byteVariables[42] = 0;
    r.world().longVariables[10] = value;
    r.run();
    EXPECT_EQ(r.byteVar(42), 1) << "value " << value;
    EXPECT_EQ(r.output(), "") << "value " << value;
    return r.byteVar(41);
}

TEST(Select, ChoosesTheFirstEntryHoldingTheValue) {
    ScriptRunner r({classifier(true)});
    EXPECT_EQ(chosenEntry(r, 1), 1);
    EXPECT_EQ(chosenEntry(r, 4), 1);
    EXPECT_EQ(chosenEntry(r, 10), 2);
    EXPECT_EQ(chosenEntry(r, 15), 2);
    EXPECT_EQ(chosenEntry(r, 20), 2);
    EXPECT_EQ(chosenEntry(r, 0), 2);
    EXPECT_EQ(chosenEntry(r, 249), 3);
    EXPECT_EQ(chosenEntry(r, 255), 3);
    EXPECT_EQ(chosenEntry(r, 5), 4);
    EXPECT_EQ(chosenEntry(r, 7), 4);
}

TEST(Select, DefaultTakesEverythingElse) {
    ScriptRunner r({classifier(true)});
    for (int32_t value : {2, 3, 6, 9, 21, 248, 254, 256, 300, -1, 1 << 20})
        EXPECT_EQ(chosenEntry(r, value), 9) << value;
}

TEST(Select, WithoutDefaultAnUnmatchedValueGoesOnAfterTheSelection) {
    ScriptRunner r({classifier(false)});
    EXPECT_EQ(chosenEntry(r, 6), 0);
    EXPECT_EQ(chosenEntry(r, 256 + 1), 0); // only values up to 255 match
    EXPECT_EQ(chosenEntry(r, 7), 4);
}

TEST(Select, EveryValueFindsItsEntry) {
    // The assembler's label encoding and the interpreter's reading agree for
    // every byte value, with ranges touching the awkward bytes 0, 249, 255.
    Assembler a;
    a.select(longVar(10));
    a.case_({0, range(2, 3), 248}).assign(byteVar(41), num(1));
    a.case_({range(249, 255), 1}).assign(byteVar(41), num(2));
    a.case_({range(100, 200), range(150, 247)}).assign(byteVar(41), num(3));
    a.default_().assign(byteVar(41), num(4));
    a.end();
    a.add(byteVar(42), num(1));
    ScriptRunner r({a.finish()});
    for (int v = 0; v < 256; ++v) {
        int expected = 4;
        if (v == 0 || v == 2 || v == 3 || v == 248)
            expected = 1;
        else if (v >= 249 || v == 1)
            expected = 2;
        else if (v >= 100 && v <= 247)
            expected = 3;
        EXPECT_EQ(chosenEntry(r, v), expected) << v;
    }
}

TEST(Select, NestedSelectionsCloseTheirOwnLevels) {
    Assembler a;
    a.select(byteVar(40));
    a.case_({1});
    {
        a.select(byteVar(43))
            .case_({5})
            .assign(byteVar(41), num(15))
            .default_()
            .assign(byteVar(41), num(10))
            .end();
        a.add(byteVar(41), num(100));
    }
    a.default_().assign(byteVar(41), num(2));
    a.end();
    a.add(byteVar(42), num(1));
    ScriptRunner r({a.finish()});
    r.world().byteVariables[40] = 1;
    r.world().byteVariables[43] = 5;
    r.run();
    EXPECT_EQ(r.byteVar(41), 115);
    EXPECT_EQ(r.byteVar(42), 1);
    EXPECT_EQ(r.output(), "");
}

TEST(Select, SelectionInALoopRunsEveryPass) {
    Assembler a;
    a.for_(byteVar(40), num(1), num(10));
    a.select(byteVar(40))
        .case_({range(1, 3)})
        .add(byteVar(41), num(1))
        .case_({10})
        .add(byteVar(42), num(1));
    a.default_().add(byteVar(43), num(1)).end();
    a.end();
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 3);
    EXPECT_EQ(r.byteVar(42), 1);
    EXPECT_EQ(r.byteVar(43), 6);
    EXPECT_EQ(r.output(), "");
}

} // namespace
} // namespace rux
