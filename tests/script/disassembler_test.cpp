// Listings of byte code: every instruction by name, operands, targets and
// selection entries, and code that is cut off or unknown.

#include "engine/script/disassembler.h"
#include "engine/script/instruction_table.h"
#include "storykit/assembler.h"
#include "storykit/story_writer.h"
#include "tests/script/script_runner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

std::vector<std::string> listing(Code code, Story story = {}) {
    ScriptRunner r({std::move(code)}, std::move(story));
    return disassemble(r.world(), r.routine(1));
}

TEST(Disassembler, ListsTheWorkedExample) {
    Assembler a;
    a.if_(cond(visible(num(5)))).print(3, 1).end();
    const std::vector<std::string> expected = {
        "    1  if           -, @17, visible(num:5)",
        "   13  print        3, 1",
        "   16  endif",
        "   17  nop",
    };
    EXPECT_EQ(listing(a.finish()), expected);
}

TEST(Disassembler, ListsSelectionEntriesInPlace) {
    Assembler a;
    a.select(byteVar(40));
    a.case_({0, range(3, 6)}).print(1, 1);
    a.default_().stop();
    a.end();
    const std::vector<std::string> expected = {
        "    1  select       byte:40, @21",
        "    6  case         0, 3..6, next @17",
        "   13  print        1, 1",
        "   16  leave",
        "   17  default",
        "   19  stop",
        "   20  leave",
        "   21  nop",
    };
    EXPECT_EQ(listing(a.finish()), expected);
}

TEST(Disassembler, ConditionsCallsAndLoops) {
    Assembler a;
    a.while_(
         cond(lt(longVar(10), longConst(2))).or_(not_(objectFlag(objectVar(1), 3))).and_(always()))
        .callRoutine(4)
        .callAction(2)
        .callExitRoutine(9)
        .emit("call", {3, 4})
        .end();
    a.for_(local(1), num(1), value(22, 7)).emit("askchoice", {byteVar(5), "ja"}).end();
    a.emit("choose", {byteVar(1), std::vector<Operand>{num(4), value(100, 248)}});
    a.emit("perform", {actionValue(3), std::vector<Operand>{}});
    const std::vector<std::string> lines = listing(a.finish());
    const std::vector<std::string> expected = {
        "    1  while        @6, @37, long:10 < const:2 or not objectflag(obj:1, 3) and "
        "always(num:0, num:0)",
        "   24  call         routine 4",
        "   27  call         action 2",
        "   30  call         exit routine 9",
        "   33  call         3, 4",
        "   36  endwhile",
        "   37  for          @53, local:1, num:1, state(obj:7)",
        "   46  askchoice    byte:5, \"ja\"",
        "   52  next",
        "   53  choose       byte:1, [num:4, prop5(local:8)]",
        "   61  perform      action:3, []",
        "   65  nop",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Disassembler, EveryInstructionOfTheTableIsListedByName) {
    Assembler a;
    std::vector<std::string_view> names;
    for (int code = 0; code < 256; ++code) {
        const InstructionInfo& info = instructionTable[code];
        if (!info.known() || code == opcode::select) continue;
        std::vector<Assembler::Arg> args;
        for (char kind : info.operands) {
            switch (kind) {
            case 'B': args.emplace_back(7); break;
            case 'O':
            case 'D': args.emplace_back(byteVar(9)); break;
            case 'W': args.emplace_back(3); break;
            case 'Q': args.emplace_back(cond(positive(num(1))).and_(hasState(num(2), 3))); break;
            case 'T': args.emplace_back("abc"); break;
            case 'N': args.emplace_back(std::vector<Operand>{num(1), num(2)}); break;
            default: FAIL() << kind;
            }
        }
        a.emit(info.mnemonic, args);
        names.push_back(info.mnemonic);
    }
    const std::vector<std::string> lines = listing(a.finishRaw());
    ASSERT_EQ(lines.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(lines[i].substr(7, names[i].size()), names[i]) << lines[i];
        EXPECT_EQ(lines[i].find("cut off"), std::string::npos) << lines[i];
    }
}

TEST(Disassembler, UnknownCodesAndCutOffInstructions) {
    const std::vector<std::string> lines = listing({23, 200, opcode::add, 3});
    const std::vector<std::string> expected = {
        "    1  unknown      23",
        "    2  unknown      200",
        "    3  add          byte:0, t0:0  <cut off by the end of the block>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Disassembler, DescribesOperands) {
    EXPECT_EQ(describeOperand(3, 12), "byte:12");
    EXPECT_EQ(describeOperand(3, 255), "local:1");
    EXPECT_EQ(describeOperand(9, 248), "local:8");
    EXPECT_EQ(describeOperand(6, 5), "num:5");
    EXPECT_EQ(describeOperand(21, 4), "state(4)");
    EXPECT_EQ(describeOperand(28, 4), "target(obj:4)");
    EXPECT_EQ(describeOperand(34, 2), "scoreslot[byte:2]");
    EXPECT_EQ(describeOperand(38, 2), "roompoints[room:2]");
    EXPECT_EQ(describeOperand(64, 9), "prop1(9)");
    EXPECT_EQ(describeOperand(127, 9), "prop32(obj:9)");
    EXPECT_EQ(describeOperand(128, 0), "array1[0]");
    EXPECT_EQ(describeOperand(191, 3), "array32[byte:3]");
    EXPECT_EQ(describeOperand(200, 3), "t200:3");
}

TEST(Disassembler, ListsEveryScriptOfAStory) {
    Story story;
    StoryObject ball;
    ball.name = "Ball";
    ball.scripts[1] = Assembler().stop().finish();
    story.addObject(ball);
    StoryRoom hall;
    hall.name = "Halle";
    hall.scripts[0] = Assembler().nop().finishRaw();
    story.addRoom(hall);
    StoryAction take;
    take.name = "nehmen";
    take.script = Assembler().nop().finishRaw();
    story.addAction(take);
    story.actionHooks[4] = Assembler().nop().finishRaw();
    story.routines.push_back(Assembler().nop().finishRaw());
    story.textRoutines.push_back(Assembler().nop().finishRaw());
    story.exitRoutines.push_back(Assembler().nop().finishRaw());
    ScriptRunner r({}, story);
    const std::vector<std::string> lines = disassembleStory(r.world());
    std::vector<std::string> headings;
    for (const std::string& line : lines)
        if (!line.empty() && line.back() == ':') headings.push_back(line);
    const std::vector<std::string> expected = {
        "object 1 \"Ball\" script 2 (offset 0, 2 bytes):",
        "room 1 \"Halle\" script 1 (offset 4, 1 bytes):",
        "action 1 \"nehmen\" (offset 8, 1 bytes):",
        "action hook 5 (offset 12, 1 bytes):",
        "exit routine 2 (offset 16, 1 bytes):",
        "routine 1 (offset 20, 1 bytes):",
        "text routine 1 (offset 24, 1 bytes):",
    };
    EXPECT_EQ(headings, expected);
    EXPECT_EQ(lines[1], "    1  stop");
}

TEST(Disassembler, RuxdumpListsTheCodeOfAStoryFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("interp_code_" + std::to_string(getpid()));
    fs::create_directories(dir);
    Story story;
    StoryObject ball;
    ball.name = "B\xE4ll"; // a Windows-1252 name reaches the listing as UTF-8
    ball.scripts[0] = Assembler().emit("askchoice", {byteVar(1), "\xE4"}).finish();
    story.addObject(ball);
    Assembler a;
    a.if_(cond(visible(num(5)))).print(3, 1).end();
    story.addRoutine(a.finish());
    writeStoryFile(story, (dir / "code.vux").string());
    const std::string command = std::string("'") + RUX_RUXDUMP + "' --code '" +
                                (dir / "code.vux").string() + "' >'" + (dir / "out.txt").string() +
                                "'";
    const int status = std::system(command.c_str());
    std::ifstream file(dir / "out.txt");
    std::stringstream out;
    out << file.rdbuf();
    fs::remove_all(dir);
    EXPECT_EQ(status, 0);
    const std::string expected = "object 1 \"B\xC3\xA4ll\" script 1 (offset 0, 6 bytes):\n"
                                 "    1  askchoice    byte:1, \"\xC3\xA4\"\n"
                                 "    6  nop\n"
                                 "\n"
                                 "routine 1 (offset 8, 17 bytes):\n"
                                 "    1  if           -, @17, visible(num:5)\n"
                                 "   13  print        3, 1\n"
                                 "   16  endif\n"
                                 "   17  nop\n"
                                 "\n";
    EXPECT_EQ(out.str(), expected);
}

} // namespace
} // namespace rux
