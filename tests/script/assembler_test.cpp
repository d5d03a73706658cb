// The story kit's assembler: encodings that the interpreter must read back,
// and the mistakes it refuses.

#include "engine/script/instruction_table.h"
#include "storykit/assembler.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;

TEST(Assembler, StructuredBlocksGetTheirPositions) {
    Assembler a;
    a.while_(cond(positive(byteVar(40)))).sub(byteVar(40), num(1)).end();
    const Code expected = {250, 0,  6,  0, 16, // while head 6, end 16
                           5,   3,  40, 0,     // positive(byte:40), end of list
                           6,   3,  40, 6, 1,  // sub
                           249, 255};          // end while at 15, no-op at 16
    EXPECT_EQ(a.finish(), expected);

    Assembler f;
    f.for_(byteVar(40), num(1), num(3)).nop().end();
    EXPECT_EQ(f.finish(), (Code{244, 0, 12, 3, 40, 6, 1, 6, 3, 255, 243, 255}));

    Assembler r;
    r.repeat().nop().until(cond(always()));
    EXPECT_EQ(r.finish(), (Code{248, 0, 4, 255, 247, 16, 6, 0, 6, 0, 0, 255}));

    Assembler e;
    e.if_(cond(always())).nop().else_().nop().end();
    EXPECT_EQ(e.finish(), (Code{253, 0, 14, 0, 16, 16, 6, 0, 6, 0, 0, 255, 252, 255, 251, 255}));
}

TEST(Assembler, SelectionLabelsAreSortedMergedAndUnambiguous) {
    Assembler a;
    a.select(byteVar(40));
    a.case_({6, 3, range(4, 5), 0}).nop(); // 0, then 3..6 as one range
    a.case_({255}).nop();
    a.case_({range(7, 7)}).nop();
    a.default_().nop();
    a.end();
    const Code expected = {246, 3,   40,  0,   31,           // select byte:40, end 31
                           0,   3,   3,   6,   0,   0,   15, // 0, 3..6, next entry at 15
                           255, 245,                         // code, leave
                           255, 0,   0,   21,            // 255 alone: not the default's 255, 249
                           255, 245, 7,   0,   0,   27,  // a one-value range is a single value
                           255, 245, 255, 249, 255, 245, // default
                           255};
    EXPECT_EQ(a.finish(), expected);
}

TEST(Assembler, ConditionListsKeepTheirOrder) {
    const Conditions list =
        cond(positive(num(1))).or_(not_(chance(num(2)))).and_(metaAction(num(3)));
    EXPECT_EQ(list.bytes(), (std::vector<uint8_t>{5, 6, 1, 2, 134, 6, 2, 1, 12, 6, 3, 0}));
}

TEST(Assembler, GenericEmitFollowsTheOperandKinds) {
    Assembler a;
    a.emit("choose", {byteVar(1), std::vector<Operand>{num(4), longVar(2)}});
    a.emit("askchoice", {local(1), "jn"});
    a.emit("call", {callKind::routine, 3});
    EXPECT_EQ(a.finishRaw(), (Code{15, 3, 1, 2, 6, 4, 4, 2, 70, 3, 255, 2, 'j', 'n', 17, 11, 3}));
}

TEST(Assembler, RefusesMistakes) {
    EXPECT_THROW(Assembler().emit("jump"), AssemblerError);
    EXPECT_THROW(Assembler().emit("add", {byteVar(1)}), AssemblerError);
    EXPECT_THROW(Assembler().emit("add", {byteVar(1), num(1), num(2)}), AssemblerError);
    EXPECT_THROW(Assembler().emit("add", {byteVar(1), 5}), AssemblerError);
    EXPECT_THROW(Assembler().emit("print", {300, 1}), AssemblerError);
    EXPECT_THROW(num(256), AssemblerError);
    EXPECT_THROW(local(0), AssemblerError);
    EXPECT_THROW(local(9), AssemblerError);
    EXPECT_THROW(Assembler().end(), AssemblerError);
    EXPECT_THROW(Assembler().else_(), AssemblerError);
    EXPECT_THROW(Assembler().until(cond(always())), AssemblerError);
    EXPECT_THROW(Assembler().case_({1}), AssemblerError);
    EXPECT_THROW(Assembler().repeat().end(), AssemblerError);
    EXPECT_THROW(Assembler().if_(cond(always())).finish(), AssemblerError);
    EXPECT_THROW(Assembler().if_(cond(always())).else_().else_(), AssemblerError);
    EXPECT_THROW(Assembler().select(num(1)).case_({}), AssemblerError);
    EXPECT_THROW(not_(not_(always())), AssemblerError);
    Assembler unbound;
    unbound.rawWord(unbound.label());
    EXPECT_THROW(unbound.finish(), AssemblerError);
    Assembler twice;
    const Assembler::Label l = twice.label();
    twice.bind(l);
    EXPECT_THROW(twice.bind(l), AssemblerError);
}

} // namespace
} // namespace rux
