// Faulty byte code: unrecognised instructions, impossible jumps and block
// levels, instructions cut off by the block's end, endless loops, and
// random bytes. None of it may crash, hang or read outside its block.

#include "engine/fatal_error.h"
#include "engine/script/instruction_table.h"
#include "engine/script/interpreter.h"
#include "engine/text/codepage.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <gtest/gtest.h>
#include <random>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

TEST(UnrecognisedCode, PrintsItsTextAndSkipsTheRestOfTheBlock) {
    Code filler(1000, opcode::noOperation);
    Assembler bad;
    bad.raw({23}).add(byteVar(40), num(1));
    ScriptRunner r({filler, bad.finish()});
    ASSERT_EQ(r.routine(2).start * 4, 1000);
    r.run(2);
    EXPECT_EQ(r.output(), "[Fehler: Nicht erkannte Anweisung 0/23 an Adresse 1000.]");
    EXPECT_EQ(r.byteVar(40), 0);
    EXPECT_FALSE(r.aborted());
}

TEST(UnrecognisedCode, CountsItsAddressInTheCodeArea) {
    Assembler bad;
    bad.add(byteVar(40), num(1)).raw({0});
    ScriptRunner r({Code(8, opcode::noOperation), bad.finish()});
    r.run(2);
    EXPECT_EQ(r.output(), "[Fehler: Nicht erkannte Anweisung 0/0 an Adresse 13.]");
    EXPECT_EQ(r.byteVar(40), 1);
}

// Runs routine 1 of the code and gives its output; byte variable 41 must
// stay 0 (the code after the fault never runs).
std::string faultOf(Assembler& a) {
    a.add(byteVar(41), num(1));
    ScriptRunner r({a.finish()});
    r.run();
    EXPECT_EQ(r.byteVar(41), 0);
    EXPECT_EQ(r.engine().machine.callDepth, 0);
    return r.output();
}

TEST(MalformedCode, JumpOutsideTheBlock) {
    Assembler before;
    before.emit("if", {0, 0, cond(positive(num(0)))});
    EXPECT_EQ(faultOf(before), cp("[Fehler: Sprungziel 0 außerhalb des Blocks an Adresse 0.]"));

    Assembler beyond;
    beyond.add(byteVar(40), num(1)).emit("repeat", {4000}).emit("until", {cond(positive(num(0)))});
    EXPECT_EQ(faultOf(beyond), cp("[Fehler: Sprungziel 4000 außerhalb des Blocks an Adresse 8.]"));

    // A while loop whose head lies elsewhere than its own condition list.
    for (int head : {0, 4000}) {
        Assembler loop;
        loop.emit("while", {head, 19, cond(eq(num(1), num(1)))})
            .add(byteVar(40), num(1))
            .emit("endwhile");
        ScriptRunner r({loop.finishRaw()});
        r.run();
        EXPECT_EQ(r.output(), utf8ToCp1252("[Fehler: Sprungziel " + std::to_string(head) +
                                           " außerhalb des Blocks an Adresse 17.]"));
        EXPECT_EQ(r.byteVar(40), 1);
    }
}

TEST(MalformedCode, JumpJustPastTheEndEndsTheBlockQuietly) {
    Assembler a;
    a.emit("if", {0, 16, cond(positive(num(0)))}).add(byteVar(41), num(1)).raw({251});
    const Code code = a.finishRaw();
    ASSERT_EQ(code.size(), 15u);
    ScriptRunner r({code});
    r.run();
    EXPECT_EQ(r.output(), "");
    EXPECT_EQ(r.byteVar(41), 0);
}

TEST(MalformedCode, TwelveNestedBlocksAreTooMany) {
    Assembler a;
    for (int i = 0; i < 12; ++i)
        a.raw({opcode::repeat, 0, 1});
    EXPECT_EQ(faultOf(a), cp("[Fehler: Zu tief verschachtelte Blöcke an Adresse 33.]"));
}

TEST(MalformedCode, ClosingWithoutAnOpenBlock) {
    for (uint8_t close :
         {opcode::endIf, opcode::elsePart, opcode::leave, opcode::next, opcode::endWhile}) {
        Assembler a;
        a.add(byteVar(40), num(1)).raw({close});
        EXPECT_EQ(faultOf(a), "[Fehler: Blockende ohne offenen Block an Adresse 5.]") << int(close);
    }
    Assembler until;
    until.emit("until", {cond(always())});
    EXPECT_EQ(faultOf(until), "[Fehler: Blockende ohne offenen Block an Adresse 0.]");
}

TEST(MalformedCode, InstructionCutOffByTheBlockEnd) {
    for (Code code : {Code{opcode::assign, 3}, Code{opcode::add, 3, 40, 6},
                      Code{opcode::test, 3, 40, 5, 6}, Code{opcode::print, 1},
                      Code{opcode::forLoop, 0, 9, 3, 40, 6, 1}, Code{opcode::select, 6, 1, 0}}) {
        ScriptRunner r({code});
        r.run();
        EXPECT_EQ(r.output(), cp("[Fehler: Anweisung reicht über das Blockende an Adresse 0.]"))
            << int(code[0]);
        EXPECT_EQ(r.byteVar(40), 0) << int(code[0]);
        EXPECT_EQ(r.engine().machine.callDepth, 0);
    }
    // After instructions that ran in full, the fault names the cut-off one.
    for (Code cut : {Code{opcode::assign, 3}, Code{opcode::subtract, 4, 11, 6}}) {
        Assembler a;
        a.add(byteVar(41), num(1)).assign(longVar(11), num(2));
        Code code = a.finishRaw();
        code.insert(code.end(), cut.begin(), cut.end());
        ScriptRunner r({code});
        r.run();
        EXPECT_EQ(r.output(), cp("[Fehler: Anweisung reicht über das Blockende an Adresse 10.]"))
            << int(cut[0]);
        EXPECT_EQ(r.byteVar(41), 1);
        EXPECT_EQ(r.longVar(11), 2);
    }
}

TEST(MalformedCode, ASelectionEntryThatLinksBackwards) {
    Assembler a;
    Assembler::Label entry = a.label();
    a.emit("select", {num(9), 40});
    a.bind(entry).raw({1, 0}).rawWord(entry);
    EXPECT_EQ(faultOf(a), cp("[Fehler: Ungültiger Auswahleintrag an Adresse 0.]"));
}

TEST(MalformedCode, ASelectionEntryRunningPastTheBlock) {
    ScriptRunner r({Code{opcode::select, 6, 9, 0, 50, 1, 2, 3, 4}});
    r.run();
    EXPECT_EQ(r.output(), cp("[Fehler: Anweisung reicht über das Blockende an Adresse 0.]"));
}

TEST(MalformedCode, EndlessLoopsAreCutOffOnce) {
    Assembler caller;
    caller.callRoutine(2).add(byteVar(41), num(1));
    Assembler endless;
    endless.while_(cond(always())).add(longVar(10), num(1)).end();
    ScriptRunner r({caller.finish(), endless.finish()});
    r.engine().machine.jumpLimit = 10000;
    r.run();
    const std::string text = r.output();
    EXPECT_EQ(text.find("[Fehler: Endlosschleife abgebrochen an Adresse "), 0u) << text;
    EXPECT_EQ(text.find("[Fehler", 1), std::string::npos) << text;
    EXPECT_EQ(r.byteVar(41), 0); // every running call ended
    EXPECT_GT(r.longVar(10), 1000);
    EXPECT_EQ(r.engine().machine.callDepth, 0);

    // The next outermost call gets a fresh budget; here no call uses it.
    const int32_t passes = r.longVar(10);
    r.world().longVariables[10] = 0;
    runRoutine(r.engine(), 2);
    EXPECT_EQ(r.longVar(10), passes + 1);
    const int32_t uncalledPasses = r.longVar(10);
    EXPECT_EQ(uncalledPasses, 10000); // the outermost call counts as well

    // A loop whose head is a single comparison gets exactly as far.
    Assembler compared;
    compared.while_(cond(eq(num(1), num(1)))).add(longVar(10), num(1)).end();
    ScriptRunner c({compared.finish()});
    c.engine().machine.jumpLimit = 10000;
    c.run();
    EXPECT_EQ(c.longVar(10), uncalledPasses);
    EXPECT_EQ(c.output().find("[Fehler: Endlosschleife abgebrochen an Adresse "), 0u);
}

TEST(MalformedCode, BlocksOutsideOrAcrossTheEndOfTheCodeArea) {
    ScriptRunner r({Assembler().finish()});
    runScript(r.engine(), 20000, 50); // starts beyond the code area
    EXPECT_EQ(r.output(), "");

    // The last four bytes of the code area; the block claims 100.
    auto& area = r.world().codeArea;
    const Code tail = {opcode::setTrue, 3, 40, opcode::noOperation};
    std::copy(tail.begin(), tail.end(), area.end() - 4);
    runScript(r.engine(), static_cast<uint16_t>((area.size() - 4) / 4), 100);
    EXPECT_EQ(r.byteVar(40), 1);
    EXPECT_EQ(r.output(), "");
}

// Bytes that are mostly instructions, conditions and small operands, so
// that random blocks open and close levels, loop, call and select.
uint8_t randomCodeByte(std::mt19937& rng) {
    static constexpr uint8_t interesting[] = {
        2,   4,   5,   6,   7,   8,   9,   17,  19,  21,  22, 27, 58, 59, 243, 244, 245,
        246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 0,  1,  2,  3,  4,   5,   6,
        11,  133, 129, 16,  255, 249, 128, 160, 64,  96,  10, 8,  12, 3,  3,   6,   6};
    switch (rng() % 4) {
    case 0: return interesting[rng() % std::size(interesting)];
    case 1: return static_cast<uint8_t>(rng() % 16);
    case 2: return static_cast<uint8_t>(rng() % 40);
    default: return static_cast<uint8_t>(rng());
    }
}

// Plausible code: known instructions with operands of their kinds, block
// positions inside or near the block, conditions and selection entries,
// then a few bytes changed at random.
void plausibleCode(std::mt19937& rng, uint8_t* out, std::size_t length) {
    std::vector<uint8_t> code;
    auto pick = [&rng](int n) { return static_cast<int>(rng() % n); };
    auto operand = [&] {
        static constexpr uint8_t types[] = {3, 3, 4, 5, 6, 6, 7, 21, 64, 128};
        code.push_back(types[pick(10)]);
        code.push_back(static_cast<uint8_t>(pick(2) ? pick(12) : pick(256)));
    };
    auto position = [&] {
        const int p = pick(8) == 0 ? pick(70000) : pick(static_cast<int>(length) + 3);
        code.push_back(static_cast<uint8_t>(p >> 8));
        code.push_back(static_cast<uint8_t>(p));
    };
    auto conditionList = [&] {
        for (int n = 1 + pick(3); n > 0; --n) {
            const int c = 1 + pick(18);
            code.push_back(static_cast<uint8_t>(c | (pick(4) == 0 ? conditionNegated : 0)));
            for (char kind : conditionTable[c].operands)
                kind == 'B' ? code.push_back(static_cast<uint8_t>(pick(4))) : operand();
            if (n > 1) code.push_back(static_cast<uint8_t>(1 + pick(2)));
        }
        code.push_back(connectorEnd);
    };
    while (code.size() < length) {
        int c = 0;
        do
            c = pick(256);
        while (!instructionTable[c].known() ||
               (c < 243 && c != 2 && c != 4 && c != 5 && c != 17 && c != 19 && c != 27));
        code.push_back(static_cast<uint8_t>(c));
        if (c == opcode::call) { // a routine, mostly one of the random ones
            code.insert(code.end(), {callKind::routine, static_cast<uint8_t>(1 + pick(5))});
            continue;
        }
        for (char kind : instructionTable[c].operands) {
            switch (kind) {
            case 'B': code.push_back(static_cast<uint8_t>(pick(5))); break;
            case 'O':
            case 'D': operand(); break;
            case 'W': position(); break;
            case 'Q': conditionList(); break;
            case 'S': // one to three entries, perhaps a default
                for (int n = 1 + pick(3); n > 0; --n) {
                    if (pick(3) == 0) {
                        code.insert(code.end(), {selectDefaultFirst, selectDefaultSecond});
                        break;
                    }
                    code.insert(code.end(), {static_cast<uint8_t>(pick(6)), 0});
                    position();
                    code.push_back(opcode::leave);
                }
                break;
            default: break;
            }
        }
    }
    for (int n = pick(4); n > 0; --n)
        code[pick(static_cast<int>(length))] = static_cast<uint8_t>(rng());
    std::copy_n(code.begin(), length, out);
}

// Random blocks run where any read outside them leaves the code area and
// the address sanitizer sees it: at the very start and the very end of the
// area. They call routines 2 to 4, which hold random code as well.
TEST(MalformedCode, RandomBlocksAlwaysEnd) {
    constexpr int routineLength = 48;
    Story story;
    story.setText(1, {"a", "b"});
    std::vector<Code> routines(4, Code(routineLength, opcode::noOperation));
    ScriptRunner r(routines, story);
    Engine& engine = r.engine();
    std::vector<uint8_t>& area = r.world().codeArea;
    ASSERT_EQ(r.routine(1).start, 0);
    engine.machine.jumpLimit = 2000;
    std::mt19937 rng(20240611);
    int fatal = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool plausible = round % 4 < 2;
        auto fill = [&](std::size_t at, std::size_t length) {
            if (plausible)
                plausibleCode(rng, &area[at], length);
            else
                for (std::size_t i = 0; i < length; ++i)
                    area[at + i] = randomCodeByte(rng);
        };
        for (int n = 1; n <= 4; ++n)
            fill(r.routine(n).start * 4u, routineLength);
        const auto length = static_cast<uint16_t>(4 * (1 + rng() % 16));
        fill(area.size() - length, length);
        r.world().byteVariables[13] = 0;
        try {
            if (round % 2 == 0)
                runScript(engine, 0, static_cast<uint16_t>(1 + rng() % routineLength));
            else
                runScript(engine, static_cast<uint16_t>((area.size() - length) / 4), length);
        } catch (const FatalError&) {
            ++fatal; // calls nested too deep
        }
        ASSERT_EQ(engine.machine.callDepth, 0) << "round " << round;
        ASSERT_EQ(engine.machine.currentCall, nullptr) << "round " << round;
    }
    EXPECT_LT(fatal, 1000);
}

} // namespace
} // namespace rux
