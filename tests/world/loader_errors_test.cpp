// Bad story files are refused with their messages, and nothing of a partly
// read world is used.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/fatal_error.h"
#include "engine/world/loader.h"
#include "storykit/example_story.h"
#include "storykit/story_writer.h"
#include "tests/support/test_engine.h"

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

// The failure of loading the story, or "" when it loads.
std::string failureOf(const Story& story, FatalError::Report* report = nullptr) {
    try {
        parseStory(storykit::writeStory(story), "test.vux");
    } catch (const FatalError& e) {
        if (report) *report = e.report();
        return e.what();
    }
    return "";
}

std::string failureOfBytes(const std::vector<uint8_t>& bytes) {
    try {
        parseStory(bytes, "kurz.vux");
    } catch (const FatalError& e) {
        return e.what();
    }
    return "";
}

TEST(LoaderErrors, FormatMarkers) {
    Story s;
    s.formatMarker = "VUX";
    EXPECT_EQ(failureOf(s),
              "Fehler - Dateien von V.U.X. 1.0 sind mit V.U.X. 2.0 leider nicht kompatibel.");
    s.formatMarker = "vux 2.0 beta";
    EXPECT_EQ(failureOf(s),
              "Fehler - Dateien von V.U.X. 1.0 sind mit V.U.X. 2.0 leider nicht kompatibel.");
    s.formatMarker = "v.u.x";
    EXPECT_EQ(failureOf(s), "Fehler - V.U.X.-Datei hat das falsche Format.");
}

TEST(LoaderErrors, ObjectNumberOutOfPlace) {
    Story s;
    s.addObject(StoryObject{});
    StoryObject second;
    second.fileNumber = 5;
    s.addObject(second);
    EXPECT_EQ(failureOf(s), "Fatal! Fehler beim Lesen der Objekte (2)!");
}

TEST(LoaderErrors, EachSectionMarkerIsChecked) {
    for (std::size_t i = 0; i < storykit::standardSectionMarkers.size(); ++i) {
        Story s = storykit::exampleStory();
        s.sectionMarkers[i] = "[X]";
        FatalError::Report report = FatalError::Report::MessageBox;
        EXPECT_EQ(failureOf(s, &report),
                  "*** FEHLER ***\n" + storykit::standardSectionMarkers[i] +
                      ": Falsches Datenformat der VUX-Datei. Programm vorzeitig angebrochen.");
        EXPECT_EQ(report, FatalError::Report::ConsoleLines);
    }
}

TEST(LoaderErrors, EveryTruncationIsRefusedWithTheFileName) {
    const std::vector<uint8_t> bytes = storykit::writeStory(storykit::exampleStory());
    // Cutting the file anywhere before its texts must fail cleanly. The texts
    // part runs to the end of the file, so find where it starts: the last
    // state-name terminator is followed by the texts.
    for (std::size_t cut = 0; cut + 1 < bytes.size(); cut += 1) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        std::string failure = failureOfBytes(part);
        if (failure.empty()) continue;  // cut between two text lines: a shorter valid file
        EXPECT_TRUE(failure.find("kurz.vux") != std::string::npos ||
                    failure.find("falsche Format") != std::string::npos)
            << "cut at " << cut << ": " << failure;
    }
    EXPECT_NE(failureOfBytes({}).find("kurz.vux"), std::string::npos);
}

TEST(LoaderErrors, CountsBeyondCapacityAreRefused) {
    auto fails = [](const Story& s) { return !failureOf(s).empty(); };
    Story prepositions;
    prepositions.prepositions.assign(64, "p");
    EXPECT_TRUE(fails(prepositions));
    prepositions.prepositions.resize(63);
    EXPECT_FALSE(fails(prepositions));

    Story directions;
    directions.directionCount = 17;
    EXPECT_TRUE(fails(directions));

    Story flags;
    flags.objectFlags.resize(65);
    EXPECT_TRUE(fails(flags));
    flags.objectFlags.resize(64);
    EXPECT_FALSE(fails(flags));

    Story roomFlags;
    roomFlags.roomFlags.resize(65);
    EXPECT_TRUE(fails(roomFlags));

    Story arrays;
    arrays.byteArrays.resize(33);
    EXPECT_TRUE(fails(arrays));

    Story longs;
    longs.longVariables.resize(64);
    EXPECT_TRUE(fails(longs));

    Story bytes;
    bytes.byteVariables.resize(248);
    EXPECT_TRUE(fails(bytes));
    bytes.byteVariables.resize(247);
    EXPECT_FALSE(fails(bytes));

    Story properties;
    StoryObject crowded;
    crowded.properties.assign(8, {1, 1});
    properties.addObject(crowded);
    EXPECT_TRUE(fails(properties));

    Story objects;
    for (int i = 0; i < 251; ++i) objects.addObject(StoryObject{}, Story::ObjectKind::Fixed);
    EXPECT_TRUE(fails(objects));
    objects.objects.pop_back();
    objects.fixedObjectCount = 250;
    EXPECT_FALSE(fails(objects));

    // 200 rooms and 100 exit messages would wrap the running total of exits.
    Story wrapping;
    wrapping.rooms.resize(200);
    wrapping.exitMessages.resize(55);
    EXPECT_FALSE(fails(wrapping));
    wrapping.exitMessages.resize(100);
    EXPECT_TRUE(fails(wrapping));
}

TEST(LoaderErrors, CodeAndTextAreasCannotOverflow) {
    Story code;
    for (int i = 0; i < 3; ++i) code.addRoutine(storykit::Code(30000, 255));
    EXPECT_NE(failureOf(code).find("65536"), std::string::npos);

    Story arrays;
    arrays.addRoutine(storykit::Code(60000, 255));
    arrays.byteArrays = {{0, 255, 1}};  // 65280 bytes after the routine
    EXPECT_NE(failureOf(arrays).find("65536"), std::string::npos);

    Story texts;
    std::vector<std::string> variants(1100, std::string(250, 'a'));
    texts.setText(1, variants);
    EXPECT_NE(failureOf(texts).find("262144"), std::string::npos);
}

TEST(LoaderErrors, MissingFileIsNamed) {
    test::TestEngine t;
    t->storyFileName = "/nonexistent/geschichte.vux";
    try {
        loadStory(*t);
        FAIL() << "loading a missing file succeeded";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/geschichte.vux"), std::string::npos);
    }
}

TEST(LoaderErrors, FailedLoadKeepsTheEarlierWorld) {
    auto t = test::loadTestStory(storykit::exampleStory());
    Story bad = storykit::exampleStory();
    bad.sectionMarkers[7] = "[Q]";
    EXPECT_THROW(loadStoryBytes(**t, storykit::writeStory(bad), "bad.vux"), FatalError);
    EXPECT_EQ(t->world().storyTitle, "Das kleine Haus");
}

TEST(LoaderErrors, SecondStoryLeavesNothingOfTheFirst) {
    auto t = test::loadTestStory(storykit::exampleStory());
    t->world().portablePoints[1] = 9;
    t->world().roomPoints[2] = 9;
    Story small;
    small.title = "Klein";
    loadStoryBytes(**t, storykit::writeStory(small), "klein.vux");
    const World& w = t->world();
    EXPECT_EQ(w.storyTitle, "Klein");
    EXPECT_TRUE(w.rooms.empty());
    EXPECT_TRUE(w.actions.empty());
    EXPECT_TRUE(w.verbs.empty());
    EXPECT_TRUE(w.objects[1].name.empty());
    EXPECT_TRUE(w.objects[1].nouns.empty());
    EXPECT_EQ(w.portablePoints[1], 0);
    EXPECT_EQ(w.roomPoints[2], 0);
    EXPECT_FALSE(w.textBlock(1).has_value());
    EXPECT_EQ(w.codeArea[0], 0);
}

TEST(LoaderErrors, LoadingFromAFileClearsTheName) {
    const auto path = std::filesystem::temp_directory_path() / "rux_loader_test.vux";
    storykit::writeStoryFile(storykit::exampleStory(), path.string());
    test::TestEngine t;
    t->storyFileName = path.string();
    loadStory(*t);
    EXPECT_TRUE(t->storyFileName.empty());
    EXPECT_EQ(t->world.storyTitle, "Das kleine Haus");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace rux
