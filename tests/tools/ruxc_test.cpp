// ruxc: compiled stories load with what their source said, every kind of
// error is reported at its place, and the bundled library and demo compile.

#include "engine/script/disassembler.h"
#include "engine/text/codepage.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"
#include "tools/ruxc/compiler.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string w(std::string_view utf8) {
    return rux::utf8ToCp1252(utf8);
}

// Compiles "main.vxs" from sources held in memory.
ruxc::CompileResult compile(std::map<std::string, std::string> files) {
    return ruxc::compileStory("main.vxs", [files](const std::string& path) {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
}

std::vector<std::string> errorLines(const ruxc::CompileResult& result) {
    std::ostringstream out;
    result.diagnostics.print(out);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

rux::World load(const ruxc::CompileResult& result) {
    const std::vector<uint8_t> bytes = rux::storykit::writeStory(result.story);
    return rux::parseStory(bytes, "test.vux");
}

const char* const library = R"(
objectflag light @7
objectflag container @11
state closed @3 "geschlossen"
direction north "norden" "n"
direction south "süden" "s"
preposition auf
preposition in
byte counter = 7
)";

const char* const story = R"(include "lib.vxs"
title "Prüfung"
room hall "Große Halle"
  description "Eine Halle mit Säulen."
  exit north cellar
  exit south "Das Tor ist zu."
end
room cellar "Keller"
  exit north do
    goto hall
  end
end
fixture box "alt^ Kiste" f
  noun "Kiste" "Truhe"
  adjective "alt"
  at hall
  state closed
  is container
end
item lamp "Öllampe" f
  noun "Lampe"
  prefix "öl"
  in box
  weight 2
  is light
  description "Eine Lampe aus Messing."
end
action polish "polieren"
  pattern "poliere"
  pattern "reibe" auf
  prepositions auf
  requires first
  object1 first carried
end
routine start @1
  local n
  if lamp in box and counter > 3
    print "Die Lampe steckt noch in der Kiste."
  elif lamp carried
    print "Du hast die Lampe."
  else
    n = 3
  end
  while n < 5
    n += 1
  end
  select counter
    case 1, 3..5
      goto cellar
    default
      set lamp light
  end
end
)";

TEST(RuxcRoundTrip, TheLoadedWorldHoldsWhatTheSourceSaid) {
    const ruxc::CompileResult result = compile({{"main.vxs", story}, {"lib.vxs", library}});
    ASSERT_TRUE(result.diagnostics.empty()) << errorLines(result).front();
    const rux::World world = load(result);

    EXPECT_EQ(world.storyTitle, w("Prüfung"));
    // Items are numbered before fixtures, whatever the order in the source.
    const rux::ObjectRecord& lamp = world.objects[1];
    const rux::ObjectRecord& box = world.objects[2];
    EXPECT_EQ(lamp.name, w("Öllampe"));
    EXPECT_EQ(lamp.nouns.front().word, "lampe");
    EXPECT_EQ(lamp.nouns.front().form, 2);
    EXPECT_EQ(lamp.nounPrefixes.front(), w("öl"));
    EXPECT_EQ(lamp.holder, 2);
    EXPECT_EQ(lamp.relation, 2);
    EXPECT_EQ(lamp.weight, 2);
    EXPECT_TRUE(world.objectFlags[7].contains(1));
    EXPECT_EQ(box.name, w("alt^ Kiste"));
    EXPECT_EQ(box.state, 3);
    EXPECT_EQ(box.holder, 1);
    EXPECT_TRUE(world.objectFlags[11].contains(2));
    EXPECT_EQ(*world.textVariant(lamp.textSlots[0].mark, lamp.textSlots[0].variant),
              w("Eine Lampe aus Messing."));

    // A room, then the exit message, then the exit routine.
    ASSERT_EQ(world.rooms.size(), 2u);
    EXPECT_EQ(world.rooms[0].name, w("Große Halle"));
    EXPECT_EQ(world.rooms[0].exits[1], 2);
    EXPECT_EQ(world.rooms[0].exits[2], 3);
    EXPECT_EQ(world.rooms[1].exits[1], 4);
    ASSERT_EQ(world.exitMessages.size(), 1u);
    EXPECT_EQ(
        *world.textVariant(world.exitMessages[0].text.mark, world.exitMessages[0].text.variant),
        "Das Tor ist zu.");

    const rux::ActionRecord& polish = world.actions[0];
    EXPECT_EQ(polish.name, "polieren");
    EXPECT_EQ(world.verbs, (std::vector<std::string>{"poliere", "reibe"}));
    EXPECT_EQ(polish.verbPatterns[1].particle, 1);
    EXPECT_EQ(polish.requiredMask, 1);
    EXPECT_EQ(polish.excludedMask, 62);
    EXPECT_EQ(polish.slotSource[1], 1);
    EXPECT_EQ(polish.slotKind[1], 1);
    EXPECT_EQ(world.byteVariables[36], 7);

    // The start routine's code reads back as the statements that made it.
    std::string code;
    for (const std::string& line : rux::disassemble(world, world.routines[0].script))
        code += line + "\n";
    for (const char* expected :
         {"if ", "else", "while", "add", "select", "move", "flagon", "print"})
        EXPECT_NE(code.find(expected), std::string::npos) << expected << " in\n" << code;
}

TEST(RuxcRoundTrip, TheSameSourceGivesTheSameBytes) {
    const auto first = compile({{"main.vxs", story}, {"lib.vxs", library}});
    const auto second = compile({{"main.vxs", story}, {"lib.vxs", library}});
    EXPECT_EQ(rux::storykit::writeStory(first.story), rux::storykit::writeStory(second.story));
}

struct ErrorCase {
    const char* source;   // compiled after the library, as main.vxs
    const char* expected; // "line:column: error: start of the message"
};

class RuxcErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RuxcErrors, ReportsFileLineAndColumn) {
    const std::string source =
        std::string("include \"lib.vxs\"\nroutine start @1\nend\n") + GetParam().source;
    const auto result = compile({{"main.vxs", source}, {"lib.vxs", library}});
    const std::vector<std::string> lines = errorLines(result);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind(std::string("main.vxs:") + GetParam().expected, 0), 0u)
        << lines.front();
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RuxcErrors,
    ::testing::Values(
        ErrorCase{"routine r\n  goto nowhere\nend\n", "5:8: error: unbekannter Name „nowhere“"},
        ErrorCase{"room a\nend\nroom a\nend\n", "6:1: error: „a“ ist schon vergeben"},
        ErrorCase{"room a\nend\nitem x \"X\" m\n  is a\nend\n",
                  "7:6: error: „a“ ist ein Raum, hier wird ein Objekt-Flag erwartet"},
        ErrorCase{"routine r\n  5 = counter\nend\n", "5:3: error: „5“ lässt sich nichts zuweisen"},
        ErrorCase{"routine r\n  if counter = 1\n    print \"x\"\nend\n",
                  "4:1: error: der Block „routine“ wird nicht mit „end“ geschlossen"},
        ErrorCase{"routine r\n  else\nend\n", "5:3: error: „else“ steht außerhalb"},
        ErrorCase{"message 1 \"Grüße 😀\"\n", "4:18: error: das Zeichen U+1F600"},
        ErrorCase{"include \"missing.vxs\"\n", "4:1: error: die Datei „missing.vxs“"},
        ErrorCase{"byte shown @22 = 1\n", "4:18: error: den Anfangswert der Byte-Variablen 17"},
        ErrorCase{
            "direction a \"a\" \"b\"\ndirection b \"c\" \"d\"\ndirection c \"e\" \"f\"\n"
            "direction d \"g\" \"h\"\ndirection e \"i\" \"j\"\ndirection f \"k\" \"l\"\n"
            "direction g \"m\" \"o\"\ndirection h \"p\" \"q\"\ndirection i \"r\" \"t\"\n"
            "direction j \"u\" \"v\"\ndirection k \"x\" \"y\"\ndirection l \"z\" \"za\"\n"
            "direction m \"zb\" \"zc\"\ndirection o \"zd\" \"ze\"\ndirection p \"zf\" \"zg\"\n",
            "18:1: error: höchstens 16 Richtungen"},
        ErrorCase{
            "message 1 \"\n  xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
            "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
            "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
            "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"\n",
            "4:1: error: der Text ist 26"},
        ErrorCase{"byte huge = 123456789012345678901234567890\n",
                  "4:13: error: die Zahl ist zu groß"},
        ErrorCase{"message 2 \"[kein Anfang\"\n", "4:1: error: eine Textzeile darf nicht mit „[“"},
        ErrorCase{
            "routine r\n  if counter = 1\n if counter = 1\n if counter = 1\n if counter = 1\n"
            " if counter = 1\n if counter = 1\n if counter = 1\n if counter = 1\n"
            " if counter = 1\n if counter = 1\n if counter = 1\n if counter = 1\n print \"x\"\n"
            " end\n end\n end\n end\n end\n end\n end\n end\n end\n end\n end\n end\nend\n",
            "16:2: error: zu tief verschachtelt"},
        ErrorCase{"routine r\n  if counter = 1 and (counter = 2)\n  end\nend\n",
                  "5:22: error: hier fehlt ein Wert"},
        // Declarations without a usable name are reported, not compiled.
        ErrorCase{"array \"Leer\"\n", "4:7: error: hier fehlt ein Name"},
        ErrorCase{"messagevar 7\n", "4:12: error: hier fehlt ein Name"},
        ErrorCase{"text \"Leer\" \"x\"\n", "4:6: error: hier fehlt ein Name"},
        ErrorCase{"direction \"x\" \"a\" \"b\"\n", "4:11: error: hier fehlt ein Name"},
        // A number out of range is reported and sizes nothing.
        ErrorCase{"state kaputt @55555555 \"x\"\n",
                  "4:15: error: die Nummer des Zustands muss zwischen 0 und 255 liegen"}));

TEST(RuxcErrors, EveryErrorIsReportedInOneRun) {
    const auto result = compile({{"main.vxs", "room a\n  exit up b\nend\nroom a\nend\n"
                                              "routine r\n  print zzz\nend\n"}});
    const std::vector<std::string> lines = errorLines(result);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("main.vxs:4:1: error:", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("main.vxs:2:8: error:", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("main.vxs:7:9: error:", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("main.vxs:1:1: error: die Startroutine fehlt", 0), 0u) << lines[3];
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RuxcProgram, WritesAStoryOrReportsAndFails) {
    const fs::path folder = fs::temp_directory_path() / ("ruxc_test_" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "lib.vxs") << library;
    std::ofstream(folder / "good.vxs") << story;
    std::ofstream(folder / "bad.vxs") << "routine start @1\n  goto nowhere\nend\n";
    const std::string ruxc = RUX_RUXC;
    EXPECT_EQ(
        run(ruxc + " " + (folder / "good.vxs").string() + " -o " + (folder / "good.vux").string()),
        0);
    EXPECT_TRUE(fs::exists(folder / "good.vux"));
    EXPECT_EQ(run(ruxc + " " + (folder / "bad.vxs").string() + " -o " +
                  (folder / "bad.vux").string() + " 2> " + (folder / "errors.txt").string()),
              1);
    EXPECT_FALSE(fs::exists(folder / "bad.vux"));
    std::ifstream errors(folder / "errors.txt");
    std::string first;
    std::getline(errors, first);
    EXPECT_EQ(first, (folder / "bad.vxs").string() + ":2:8: error: unbekannter Name „nowhere“");
    fs::remove_all(folder);
}

TEST(RuxcBundledStories, TheDemoCompilesWithTheLibraryAndMatchesTheBuiltFile) {
    const ruxc::CompileResult result =
        ruxc::compileStory(std::string(RUX_STORIES_DIR) + "/demo/demo.vxs", ruxc::readSourceFile);
    ASSERT_TRUE(result.diagnostics.empty()) << errorLines(result).front();
    const std::vector<uint8_t> bytes = rux::storykit::writeStory(result.story);
    const rux::World world = rux::parseStory(bytes, "demo.vux");
    EXPECT_GE(world.rooms.size(), 8u);
    EXPECT_GE(world.actions.size(), 54u);
    EXPECT_EQ(*world.textVariant(0, 12), "Wie bitte?");
    EXPECT_EQ(world.verbs.front(), "gehe");

    std::ifstream built(RUX_DEMO_STORY, std::ios::binary);
    const std::vector<uint8_t> builtBytes((std::istreambuf_iterator<char>(built)),
                                          std::istreambuf_iterator<char>());
    EXPECT_EQ(builtBytes, bytes);
}

} // namespace
