// ruxdump --text: a text mark as the player would see it, wrapped.

#include "engine/world/loader.h"
#include "storykit/assembler.h"
#include "storykit/story_writer.h"
#include "tools/ruxdump/command_line.h"
#include "tools/ruxdump/preview.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

rux::World previewWorld() {
    Story s;
    StoryObject lamp;
    lamp.name = "hell^ Lampe";
    lamp.gender = 2;
    s.addObject(lamp);
    rux::storykit::StoryRoom hall;
    hall.name = "Halle";
    s.addRoom(hall);
    s.setText(3, {"Hier steht /u!01N. Sie /vs!01 /Fsehr/N sch\xF6n.", "Du bist in /r0801.",
                  "Ein/-fach/-heit"});
    return rux::parseStory(rux::storykit::writeStory(s), "vorschau.vux");
}

std::string preview(uint8_t mark, uint8_t variant, int width) {
    std::ostringstream out;
    ruxdump::PreviewOptions options;
    options.width = width;
    ruxdump::previewText(previewWorld(), mark, variant, options, out);
    return out.str();
}

TEST(RuxdumpPreview, FormatsMarkupAndWrapsAtTheWidth) {
    EXPECT_EQ(preview(3, 1, 80), "Hier steht eine helle Lampe. Sie ist sehr sch\xC3\xB6n. \n");
    // Each markup result is a piece of its own: the verb "ist" overflows as a
    // whole and the line keeps the space that an earlier piece left.
    EXPECT_EQ(preview(3, 1, 20), "Hier steht eine\nhelle Lampe. Sie \nist sehr sch\xC3\xB6n. \n");
    // Soft hyphens that arrive as pieces of their own show their hyphen
    // where the line breaks.
    EXPECT_EQ(preview(3, 3, 6), "Ein-\nfach-\nheit \n");
}

TEST(RuxdumpPreview, StartsInRoomOneAndListsEveryVariant) {
    EXPECT_EQ(preview(3, 2, 80), "Du bist in Halle. \n");
    const std::string all = preview(3, 0, 80);
    EXPECT_NE(all.find("Lampe"), std::string::npos);
    EXPECT_NE(all.find("Halle"), std::string::npos);
    EXPECT_NE(all.find("Einfachheit"), std::string::npos);
}

TEST(RuxdumpPreview, MissingMarkPrintsTheEngineError) {
    std::ostringstream out;
    EXPECT_FALSE(ruxdump::previewText(previewWorld(), 9, 0, {}, out));
    EXPECT_EQ(out.str(), "[Fehler: Textmarke 9 nicht gefunden]\n");
}

TEST(RuxdumpPreview, CommandLineTakesMarkVariantAndWidth) {
    std::string problem;
    auto options = ruxdump::parseCommandLine({"--text", "12:3", "--width", "40", "a.vux"}, problem);
    ASSERT_TRUE(options) << problem;
    EXPECT_EQ(options->text, std::make_pair(uint8_t{12}, uint8_t{3}));
    EXPECT_EQ(options->width, 40);
    options = ruxdump::parseCommandLine({"--text", "7", "a.vux"}, problem);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->text, std::make_pair(uint8_t{7}, uint8_t{0}));
    for (auto bad : {"256", "1:0", "x", "1:", ""})
        EXPECT_FALSE(ruxdump::parseCommandLine({"--text", bad, "a.vux"}, problem)) << bad;
    EXPECT_FALSE(ruxdump::parseCommandLine({"--width", "0", "--text", "1", "a.vux"}, problem));
}

} // namespace

namespace {

rux::World routineWorld() {
    Story s;
    StoryObject lamp;
    lamp.name = "hell^ Lampe";
    lamp.gender = 2;
    s.addObject(lamp);
    s.setText(1, {"Hier steht /u!01N.", "Und noch ein Satz."});
    rux::storykit::Assembler first;
    first.print(1, 1).callRoutine(2);
    s.addRoutine(first.finish());
    rux::storykit::Assembler second;
    second.print(1, 2);
    s.addRoutine(second.finish());
    return rux::parseStory(rux::storykit::writeStory(s), "lauf.vux");
}

TEST(RuxdumpRun, RunsTheRoutineAndPrintsItsOutput) {
    std::istringstream in;
    std::ostringstream out;
    EXPECT_TRUE(ruxdump::previewRoutine(routineWorld(), 1, {}, in, out));
    EXPECT_EQ(out.str(), "Hier steht eine helle Lampe. Und noch ein Satz. \n");
}

TEST(RuxdumpRun, MissingRoutineRunsNothing) {
    std::istringstream in;
    std::ostringstream out;
    EXPECT_FALSE(ruxdump::previewRoutine(routineWorld(), 9, {}, in, out));
    EXPECT_EQ(out.str(), "");
    std::string problem;
    EXPECT_FALSE(ruxdump::parseCommandLine({"--run", "0", "a.vux"}, problem));
    auto options = ruxdump::parseCommandLine({"--run", "12", "a.vux"}, problem);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->routine, uint8_t{12});
}

} // namespace
