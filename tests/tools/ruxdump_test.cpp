// ruxdump as a user runs it (exit status, output streams, UTF-8) and the
// listing it prints for chosen worlds.

#include "engine/fatal_error.h"
#include "engine/text/codepage.h"
#include "engine/world/loader.h"
#include "storykit/example_story.h"
#include "storykit/story.h"
#include "storykit/story_writer.h"
#include "tools/ruxdump/story_dump.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using rux::storykit::Story;
using rux::storykit::StoryAction;
using rux::storykit::StoryObject;
using rux::storykit::StoryRoom;

std::string w(std::string_view utf8) {
    return rux::utf8ToCp1252(utf8);
}

std::string readAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int extra = c < 0x80         ? 0
                          : (c >> 5) == 6  ? 1
                          : (c >> 4) == 14 ? 2
                          : (c >> 3) == 30 ? 3
                                           : -1;
        if (extra < 0 || text.size() - i <= static_cast<std::size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += 1 + extra;
    }
    return true;
}

// True when no character would be invisible or move the cursor on a
// terminal: no C0 controls but the line feed, no DEL, no C1 controls.
bool hasNoControlBytes(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F) return false;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            return false;
    }
    return true;
}

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A scratch folder per test, removed afterwards.
class RuxdumpProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("ruxdump_test_" + std::to_string(getpid()) + "_" + info->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path storyFile(const std::string& name, const Story& story) {
        const fs::path path = dir_ / name;
        rux::storykit::writeStoryFile(story, path.string());
        return path;
    }

    fs::path bytesFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    RunResult run(const std::string& arguments) {
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        const std::string command = std::string("'") + RUX_RUXDUMP + "' " + arguments + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        RunResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readAll(out);
        result.err = readAll(err);
        return result;
    }

    static std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    fs::path dir_;
};

TEST_F(RuxdumpProgram, ListsTheExampleStoryInUtf8) {
    const RunResult r = run(quoted(RUX_EXAMPLE_STORY));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(isValidUtf8(r.out));
    EXPECT_TRUE(hasNoControlBytes(r.out));
    EXPECT_NE(r.out.find("Title  Das kleine Haus\n"), std::string::npos);
    EXPECT_NE(r.out.find("Label  Ein Beispiel für RUX\n"), std::string::npos);
    EXPECT_NE(r.out.find("  2  Schlüssel  (portable)\n"), std::string::npos);
    EXPECT_NE(r.out.find("state         4 verschlossen\n"), std::string::npos);
    // The text with a line feed goes on in an indented line.
    EXPECT_NE(r.out.find("    3  Eine alte Truhe mit+\n       schweren Beschlägen.\n"),
              std::string::npos);
    for (const char* section :
         {"Header counts", "Objects (4)", "Rooms (2)", "Exit messages", "Actions (2)", "Routines",
          "Object flags", "Room flags", "Byte arrays", "Message variables", "Verbs (6)",
          "Prepositions (4)", "Function keys", "Directions (6 with exits)", "Replacement rules",
          "State names", "Texts (4 marks)"})
        EXPECT_NE(r.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;
    // Nothing to show, nothing printed.
    EXPECT_EQ(r.out.find("Action hooks"), std::string::npos);
    EXPECT_EQ(r.out.find("Tail sets"), std::string::npos);
    EXPECT_EQ(r.out.find("Exit routines"), std::string::npos);
}

TEST_F(RuxdumpProgram, WritesUmlautsOfTheStoryAsUtf8) {
    Story story;
    story.title = w("Märchen über Öl");
    story.label = w("Größe");
    StoryObject object;
    object.name = w("Äpfel^ für Jürgen");
    object.nouns = {{w("Äpfel"), 0}};
    story.addObject(object);
    story.verbs = {w("schäle")};
    story.setText(4, {w("Süß\nund sauer.")});
    const RunResult r = run(quoted(storyFile("märchen.vux", story)));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(isValidUtf8(r.out));
    EXPECT_NE(r.out.find("Title  Märchen über Öl\n"), std::string::npos);
    EXPECT_NE(r.out.find("Label  Größe\n"), std::string::npos);
    EXPECT_NE(r.out.find("  1  Äpfel^ für Jürgen  (portable)\n"), std::string::npos);
    EXPECT_NE(r.out.find("nouns         Äpfel (pl)\n"), std::string::npos);
    EXPECT_NE(r.out.find("1 schäle"), std::string::npos);
    EXPECT_NE(r.out.find("Süß+\n"), std::string::npos);
}

TEST_F(RuxdumpProgram, ReportsAWrongFormatMarkerOnStandardError) {
    Story story;
    story.formatMarker = "v.u.x.?";
    const RunResult r = run(quoted(storyFile("falsch.vux", story)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ruxdump: Fehler - V.U.X.-Datei hat das falsche Format.\n");

    story.formatMarker = "VUX";
    const RunResult old = run(quoted(storyFile("alt.vux", story)));
    EXPECT_EQ(old.status, 1);
    EXPECT_EQ(old.err, "ruxdump: Fehler - Dateien von V.U.X. 1.0 sind mit V.U.X. 2.0 leider "
                       "nicht kompatibel.\n");
}

TEST_F(RuxdumpProgram, ReportsAWrongSectionMarkerAsTwoLinesOnStandardOutput) {
    Story story;
    story.sectionMarkers[3] = "[X]";
    const RunResult r = run(quoted(storyFile("abschnitt.vux", story)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "*** FEHLER ***\n[L]: Falsches Datenformat der VUX-Datei. Programm "
                     "vorzeitig angebrochen.\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(RuxdumpProgram, ReportsATruncatedFile) {
    std::vector<uint8_t> bytes = rux::storykit::writeStory(rux::storykit::exampleStory());
    bytes.resize(60); // inside the objects
    const RunResult r = run(quoted(bytesFile("kurz.vux", bytes)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(isValidUtf8(r.err));
    EXPECT_EQ(r.err.rfind("ruxdump: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("kurz.vux"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("unvollständig"), std::string::npos) << r.err;
}

TEST_F(RuxdumpProgram, ReportsAMissingFileWithItsNameIntact) {
    const fs::path missing = dir_ / "gewölbe.vux";
    const RunResult r = run(quoted(missing));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ruxdump: Fehler - Die Spieldatei \"" + missing.string() +
                         "\" kann nicht geöffnet werden.\n");

    const RunResult folder = run(quoted(dir_));
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("kann nicht geöffnet werden"), std::string::npos) << folder.err;
}

TEST_F(RuxdumpProgram, WrongUsageShowsTheUsageLine) {
    for (const char* arguments : {"", "a.vux b.vux", "--frobnicate a.vux"}) {
        const RunResult r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_NE(r.err.find("usage: ruxdump STORY.vux"), std::string::npos) << arguments;
    }
    const RunResult help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: ruxdump"), std::string::npos);
}

// ---- The listing itself, from worlds built for the purpose.

std::string dumpOf(const Story& story) {
    const rux::World world = rux::parseStory(rux::storykit::writeStory(story), "test.vux");
    std::ostringstream out;
    ruxdump::dumpStory(world, out);
    return out.str();
}

// The block of lines that starts with `first` and ends before the next empty line.
std::string blockOf(const std::string& listing, const std::string& first) {
    const std::size_t start = listing.find(first);
    if (start == std::string::npos) return "";
    const std::size_t end = listing.find("\n\n", start);
    return listing.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

Story smallHouse() {
    Story s;
    s.directionCount = 3;
    s.directionNames[0] = {"n", "norden"};
    s.directionNames[1] = {"s", w("süden")};
    s.directionNames[2] = {"h", "hoch"};
    s.verbs = {"nimm", "mach", "gib"};
    s.prepositions = {"in", "auf", "mit"};
    s.stateNames = {"", "", w("geöffnet")};
    s.objectFlags = std::vector<std::vector<uint8_t>>(11);
    StoryObject coat; // 1
    coat.name = "Mantel";
    coat.relation = 1;
    StoryObject coin; // 2
    coin.name = w("Münze");
    coin.holder = 3;
    coin.relation = 2;
    coin.state = 5;
    StoryObject box; // 3
    box.name = "Kiste";
    box.gender = 2;
    box.holder = 1;
    box.state = 2;
    box.textSlots[4] = {1, 2};
    s.addObject(coat);
    s.addObject(coin);
    s.addObject(box, Story::ObjectKind::Fixed);
    s.objectFlags[1] = {3};  // flag 2: door
    s.objectFlags[10] = {3}; // flag 11: container
    StoryRoom hall;
    hall.name = "Halle";
    hall.exits = {2, 3, 4};
    hall.description = {0, 1};
    s.addRoom(hall);
    StoryRoom cellar;
    cellar.name = "Keller";
    s.addRoom(cellar);
    s.exitMessages = {{1, 1}};
    s.exitRoutines = {{0x01}};
    s.setText(1, {"Eine Tafel.", "Darin liegt:"});
    return s;
}

TEST(RuxdumpListing, DescribesWhereObjectsAreAndWhatTheyAre) {
    const std::string listing = dumpOf(smallHouse());
    EXPECT_NE(blockOf(listing, "  1  Mantel").find("location      worn by the player"),
              std::string::npos);
    const std::string coin = blockOf(listing, "  2  Münze  (portable)");
    EXPECT_NE(coin.find("location      in 3 Kiste  [holder 3, relation 2]"), std::string::npos)
        << coin;
    EXPECT_NE(coin.find("state         5 (switched on)"), std::string::npos) << coin;
    const std::string box = blockOf(listing, "  3  Kiste  (fixed)");
    EXPECT_NE(box.find("gender        feminine"), std::string::npos) << box;
    EXPECT_NE(box.find("location      in room 1 Halle"), std::string::npos) << box;
    EXPECT_NE(box.find("state         2 geöffnet"), std::string::npos) << box;
    EXPECT_NE(box.find("flags         2 door, 11 container"), std::string::npos) << box;
    EXPECT_NE(box.find("4 contents in     1/2 \"Darin liegt:\""), std::string::npos) << box;
}

TEST(RuxdumpListing, NamesWhatEachExitLeadsTo) {
    const std::string hall = blockOf(dumpOf(smallHouse()), "  1  Halle");
    EXPECT_NE(hall.find("exits         norden  room 2 Keller\n"), std::string::npos) << hall;
    EXPECT_NE(hall.find("süden   exit message 3: 1/1 \"Eine Tafel.\"\n"), std::string::npos)
        << hall;
    EXPECT_NE(hall.find("hoch    exit routine 4\n"), std::string::npos) << hall;
    EXPECT_NE(hall.find("description   text routine 1 (missing)"), std::string::npos) << hall;
}

TEST(RuxdumpListing, ShowsVerbPatternsAndPrepositionsAsWords) {
    Story s = smallHouse();
    StoryAction open;
    open.name = "aufmachen";
    open.requiredMask = 1;
    open.excludedMask = 6;
    open.alias = 1;
    open.verbPatterns = {{2, 2}, {3, 192 + 1}};
    open.acceptedPrepositions = {1, 3};
    open.slotKind = {1 | 8, 0, 0};
    open.slotSource = {1, 0, 0};
    open.script = {0xFF, 0xFF};
    s.addAction(open);
    const std::string action = blockOf(dumpOf(s), "  1  aufmachen");
    EXPECT_NE(action.find("masks         required 1 (first), excluded 6 (second, mit)"),
              std::string::npos)
        << action;
    EXPECT_NE(action.find("alias         1 aufmachen"), std::string::npos) << action;
    EXPECT_NE(action.find("object1       source 1 (first), kind 9 (carried, list)"),
              std::string::npos)
        << action;
    EXPECT_NE(action.find("patterns      mach auf  2/2\n"), std::string::npos) << action;
    EXPECT_NE(action.find("gib in    3/193  player is the second object"), std::string::npos)
        << action;
    EXPECT_NE(action.find("prepositions  1 in, 3 mit"), std::string::npos) << action;
    EXPECT_NE(action.find("script        2 bytes"), std::string::npos) << action;
}

TEST(RuxdumpListing, ListsTextsWithTheirVariantsAndBreaks) {
    Story s;
    s.setText(0, {"Wie bitte?"});
    s.setText(3, {""});
    s.setText(5, {"Erste Zeile\n\nnach Absatz /x", "", "zwei"});
    const std::string listing = dumpOf(s);
    EXPECT_NE(listing.find("[0]  system messages\n    1  Wie bitte?\n"), std::string::npos);
    EXPECT_NE(listing.find("[3]\n    1  (empty)\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("[5]\n    1  Erste Zeile+\n       +\n       nach Absatz /x\n"
                           "    2  (empty)\n    3  zwei\n"),
              std::string::npos)
        << listing;
}

TEST(RuxdumpListing, MarksThatShareABlockAreShownOnce) {
    Story s;
    s.rawTextLines = std::vector<std::string>{"[7]", "[8]", "Beide."};
    const std::string listing = dumpOf(s);
    EXPECT_NE(listing.find("[7]\n    1  Beide.\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("[8]  same texts as [7]\n"), std::string::npos) << listing;
}

TEST(RuxdumpListing, ShowsControlBytesInNamesAndTextsVisibly) {
    Story s;
    StoryObject odd;
    odd.name = std::string("A\x01") + "B\x1b[2J" + "\x81";
    s.addObject(odd);
    s.setText(1, {std::string("fett: \x02") + "ja\x01"});
    const std::string listing = dumpOf(s);
    EXPECT_TRUE(hasNoControlBytes(listing));
    EXPECT_NE(listing.find("A\\x01B\\x1B[2J\\x81"), std::string::npos);
    EXPECT_NE(listing.find("fett: \\x02ja\\x01"), std::string::npos);
}

TEST(RuxdumpListing, SurvivesDamagedLinks) {
    Story s;
    StoryObject a;
    a.name = "a";
    a.base = 2;
    a.holder = 200;
    a.relation = 9;
    a.state = 77;
    StoryObject b;
    b.name = "b";
    b.base = 1; // a cycle of bases
    s.addObject(a);
    s.addObject(b);
    s.directionCount = 2;
    StoryRoom room;
    room.exits = {250, 0};
    room.base = 9;
    room.description = {42, 3};
    s.addRoom(room);
    StoryAction action;
    action.verbPatterns = {{17, 63}};
    action.acceptedPrepositions = {40};
    action.alias = 99;
    s.addAction(action);
    s.tailSets[1] = {1, 77};
    const std::string listing = dumpOf(s);
    EXPECT_NE(listing.find("relation 9 to 200 (no such object)"), std::string::npos);
    EXPECT_NE(listing.find("state         77\n"), std::string::npos);
    EXPECT_NE(listing.find("direction 1  250 (beyond the exit routines)"), std::string::npos);
    EXPECT_NE(listing.find("base          9 (no such room)"), std::string::npos);
    EXPECT_NE(listing.find("42/3 (mark missing)"), std::string::npos);
    EXPECT_NE(listing.find("(verb 17) (particle 63)"), std::string::npos);
    EXPECT_NE(listing.find("40 (none)"), std::string::npos);
    EXPECT_NE(listing.find("99 (no such action)"), std::string::npos);
    EXPECT_NE(listing.find("meta actions  1 (no name), 77 (no such action)"), std::string::npos);
}

// Damaged files that still load must list without faults, in clean UTF-8.
TEST(RuxdumpListing, ListsDamagedStoriesThatStillLoad) {
    const std::vector<uint8_t> original = rux::storykit::writeStory(rux::storykit::exampleStory());
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    int listed = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = original;
        for (int k = 0; k < 3; ++k)
            bytes[next() % bytes.size()] = static_cast<uint8_t>(next());
        std::unique_ptr<rux::World> world;
        try {
            world = std::make_unique<rux::World>(rux::parseStory(bytes, "kaputt.vux"));
        } catch (const rux::FatalError&) {
            continue;
        }
        std::ostringstream out;
        ruxdump::dumpStory(*world, out);
        ASSERT_TRUE(isValidUtf8(out.str())) << round;
        ASSERT_TRUE(hasNoControlBytes(out.str())) << round;
        ++listed;
    }
    EXPECT_GT(listed, 50);
}

TEST(RuxdumpListing, LeavesOutWhatIsEmpty) {
    const std::string listing = dumpOf(Story{});
    for (const char* absent : {"Objects", "Rooms", "Actions", "Routines", "flags", "Texts", "Verbs",
                               "State names", "measures", "(empty)"})
        EXPECT_EQ(listing.find(absent), std::string::npos) << absent;
    EXPECT_NE(listing.find("Header counts"), std::string::npos);
}

} // namespace
