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

// Every part must occur in the text; a missing one is named with the text.
void expectContains(const std::string& text, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts)
        EXPECT_NE(text.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << text;
}

void expectLacks(const std::string& text, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts)
        EXPECT_EQ(text.find(part), std::string::npos) << "unexpected \"" << part << "\"";
}

TEST_F(RuxdumpProgram, ListsTheExampleStoryInUtf8) {
    const RunResult r = run(quoted(RUX_EXAMPLE_STORY));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(isValidUtf8(r.out));
    EXPECT_TRUE(hasNoControlBytes(r.out));
    expectContains(r.out, {"Title  Das kleine Haus\n", "Label  Ein Beispiel für RUX\n",
                           "  2  Schlüssel  (portable)\n", "state         4 verschlossen\n",
                           // The text with a line feed goes on in an indented line.
                           "    3  Eine alte Truhe mit+\n       schweren Beschlägen.\n"});
    for (const char* section :
         {"Header counts", "Objects (4)", "Rooms (2)", "Exit messages", "Actions (2)", "Routines",
          "Object flags", "Room flags", "Byte arrays", "Message variables", "Verbs (6)",
          "Prepositions (4)", "Function keys", "Directions (6 with exits)", "Replacement rules",
          "State names", "Texts (4 marks)"})
        EXPECT_NE(r.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;
    // Nothing to show, nothing printed.
    expectLacks(r.out, {"Action hooks", "Tail sets", "Exit routines"});
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
    expectContains(r.out, {"Title  Märchen über Öl\n", "Label  Größe\n",
                           "  1  Äpfel^ für Jürgen  (portable)\n", "nouns         Äpfel (pl)\n",
                           "1 schäle", "Süß+\n"});
}

// Each failing run: exit status, standard output, then either standard
// error exactly or (for `errPart`) a part of it.
TEST_F(RuxdumpProgram, ReportsBrokenAndMissingFiles) {
    Story wrongFormat;
    wrongFormat.formatMarker = "v.u.x.?";
    Story oldFormat;
    oldFormat.formatMarker = "VUX";
    Story wrongSection;
    wrongSection.sectionMarkers[3] = "[X]";
    const fs::path missing = dir_ / "gewölbe.vux";
    struct Case {
        const char* name;
        fs::path file;
        std::string out;
        std::string err;
        const char* errPart;
    };
    const Case cases[] = {
        {"wrong format marker", storyFile("falsch.vux", wrongFormat), "",
         "ruxdump: Fehler - V.U.X.-Datei hat das falsche Format.\n", nullptr},
        {"old format", storyFile("alt.vux", oldFormat), "",
         "ruxdump: Fehler - Dateien von V.U.X. 1.0 sind mit V.U.X. 2.0 leider nicht "
         "kompatibel.\n",
         nullptr},
        // A wrong section marker is told as two lines on standard output.
        {"wrong section marker", storyFile("abschnitt.vux", wrongSection),
         "*** FEHLER ***\n[L]: Falsches Datenformat der VUX-Datei. Programm vorzeitig "
         "angebrochen.\n",
         "", nullptr},
        // The name of a missing file comes through intact.
        {"missing file", missing, "",
         "ruxdump: Fehler - Die Spieldatei \"" + missing.string() +
             "\" kann nicht geöffnet werden.\n",
         nullptr},
        {"folder", dir_, "", "", "kann nicht geöffnet werden"},
    };
    for (const Case& c : cases) {
        const RunResult r = run(quoted(c.file));
        EXPECT_EQ(r.status, 1) << c.name;
        if (c.errPart) {
            EXPECT_NE(r.err.find(c.errPart), std::string::npos) << c.name << ": " << r.err;
            continue;
        }
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
    }
}

TEST_F(RuxdumpProgram, ReportsATruncatedFile) {
    std::vector<uint8_t> bytes = rux::storykit::writeStory(rux::storykit::exampleStory());
    bytes.resize(60); // inside the objects
    const RunResult r = run(quoted(bytesFile("kurz.vux", bytes)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(isValidUtf8(r.err));
    EXPECT_EQ(r.err.rfind("ruxdump: ", 0), 0u) << r.err;
    expectContains(r.err, {"kurz.vux", "unvollständig"});
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
    expectContains(blockOf(listing, "  1  Mantel"), {"location      worn by the player"});
    expectContains(
        blockOf(listing, "  2  Münze  (portable)"),
        {"location      in 3 Kiste  [holder 3, relation 2]", "state         5 (switched on)"});
    expectContains(blockOf(listing, "  3  Kiste  (fixed)"),
                   {"gender        feminine", "location      in room 1 Halle",
                    "state         2 geöffnet", "flags         2 door, 11 container",
                    "4 contents in     1/2 \"Darin liegt:\""});
}

TEST(RuxdumpListing, NamesWhatEachExitLeadsTo) {
    expectContains(blockOf(dumpOf(smallHouse()), "  1  Halle"),
                   {"exits         norden  room 2 Keller\n",
                    "süden   exit message 3: 1/1 \"Eine Tafel.\"\n", "hoch    exit routine 4\n",
                    "description   text routine 1 (missing)"});
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
    expectContains(blockOf(dumpOf(s), "  1  aufmachen"),
                   {"masks         required 1 (first), excluded 6 (second, mit)",
                    "alias         1 aufmachen",
                    "object1       source 1 (first), kind 9 (carried, list)",
                    "patterns      mach auf  2/2\n", "gib in    3/193  player is the second object",
                    "prepositions  1 in, 3 mit", "script        2 bytes"});
}

TEST(RuxdumpListing, ListsTextsWithTheirVariantsAndBreaks) {
    Story s;
    s.setText(0, {"Wie bitte?"});
    s.setText(3, {""});
    s.setText(5, {"Erste Zeile\n\nnach Absatz /x", "", "zwei"});
    expectContains(dumpOf(s), {"[0]  system messages\n    1  Wie bitte?\n", "[3]\n    1  (empty)\n",
                               "[5]\n    1  Erste Zeile+\n       +\n       nach Absatz /x\n"
                               "    2  (empty)\n    3  zwei\n"});
}

TEST(RuxdumpListing, MarksThatShareABlockAreShownOnce) {
    Story s;
    s.rawTextLines = std::vector<std::string>{"[7]", "[8]", "Beide."};
    expectContains(dumpOf(s), {"[7]\n    1  Beide.\n", "[8]  same texts as [7]\n"});
}

TEST(RuxdumpListing, ShowsControlBytesInNamesAndTextsVisibly) {
    Story s;
    StoryObject odd;
    odd.name = std::string("A\x01") + "B\x1b[2J" + "\x81";
    s.addObject(odd);
    s.setText(1, {std::string("fett: \x02") + "ja\x01"});
    const std::string listing = dumpOf(s);
    EXPECT_TRUE(hasNoControlBytes(listing));
    expectContains(listing, {"A\\x01B\\x1B[2J\\x81", "fett: \\x02ja\\x01"});
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
    expectContains(dumpOf(s),
                   {"relation 9 to 200 (no such object)", "state         77\n",
                    "direction 1  250 (beyond the exit routines)", "base          9 (no such room)",
                    "42/3 (mark missing)", "(verb 17) (particle 63)", "40 (none)",
                    "99 (no such action)", "meta actions  1 (no name), 77 (no such action)"});
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
    expectLacks(listing, {"Objects", "Rooms", "Actions", "Routines", "flags", "Texts", "Verbs",
                          "State names", "measures", "(empty)"});
    EXPECT_NE(listing.find("Header counts"), std::string::npos);
}

} // namespace
