// Markup codes and text marks as a player reads them.

#include "engine/text/capture.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"
#include "engine/text/status_line.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

// A story with a red apple as object 5 and a few texts.
Story appleStory() {
    Story s;
    for (int i = 1; i <= 4; ++i) {
        StoryObject filler;
        filler.name = "Ding";
        filler.gender = 3;
        s.addObject(filler);
    }
    StoryObject apple;
    apple.name = "rot^ Apfel";
    apple.gender = 1;
    apple.state = 3;
    apple.nouns = {{"Apfel", 0}};
    apple.adjectives = {"rot"};
    s.addObject(apple);
    StoryObject apples;
    apples.name = "Birnen";
    apples.gender = 0;
    s.addObject(apples);
    s.directionCount = 2;
    s.directionNames[0] = {"n", "norden"};
    s.directionNames[1] = {"s", "s\xFC"
                                "den"};
    s.stateNames = {"", "", "offen", "geschlossen"};
    s.setText(0, {"System eins"});
    s.setText(
        1, {"Du stehst/\nauf.", "Erste Zeile\n\nZweiter Absatz", "", "zeile\nmit Ende/x", "klein"});
    // A mark whose lines print another mark of several lines in between.
    s.setText(2, {"Vorher /s02 nach%her\nzweite /B!05A Zeile/\n!"});
    s.messageVariables = {{1, 5}, {1, 1}};
    s.byteVariables = std::vector<uint8_t>(40, 0);
    return s;
}

struct Formatter : ::testing::Test {
    std::unique_ptr<test::TestEngine> t = test::loadTestStory(appleStory());
    Engine& e = **t;

    std::string format(std::string_view text) {
        const std::string before = scrollbackText(e);
        formatText(e, text);
        return scrollbackText(e).substr(before.size());
    }
    std::string mark(uint8_t m, uint8_t v, bool addSpace = true) {
        const std::string before = scrollbackText(e);
        printTextMark(e, m, v, addSpace);
        return scrollbackText(e).substr(before.size());
    }
};

TEST_F(Formatter, PunctuationCodes) {
    EXPECT_EQ(format("Das ist Tom%s Haus."), "Das ist Tom's Haus.");
    EXPECT_EQ(format("Er sagt: /(leise/)"), "Er sagt: [leise]");
    EXPECT_EQ(format("a//b /\"x/, /_"), "a/b 'x' \xA0");
    EXPECT_EQ(format("/:Punkt"), "  \xB7 Punkt");
    EXPECT_EQ(format("Ende/"), "Ende"); // a slash at the very end prints nothing
    EXPECT_EQ(format("a/%b"), "ab");    // unknown code: consumes one character
    EXPECT_EQ(format("/|+:x"), "x");
}

TEST_F(Formatter, ObjectPhrasesCasesAndTheLastObject) {
    EXPECT_EQ(format("/b!05A"), "den roten Apfel");
    EXPECT_EQ(format("/B!05A"), "Den roten Apfel");
    EXPECT_EQ(format("/b*D"), "dem roten Apfel");
    EXPECT_EQ(format("Hier /vs!05 /u!05N."), "Hier ist ein roter Apfel.");
    EXPECT_EQ(format("/Q!05N /vs* rot."), "Er ist rot.");
    EXPECT_EQ(format("/b!00N"), "nichts");
    EXPECT_EQ(format("/B!07N"), "Nichts"); // beyond the counted objects
    EXPECT_EQ(format("/vs!06 /v(geht/gehen)!06 /v(geht/gehen)!05"), "sind gehen geht");
    EXPECT_EQ(format("/vs!FA /vs!FB"), "bin bist");
    EXPECT_EQ(format("/Ys!05 /ya!05 /yv!05."), "Apfel rot .");
}

TEST_F(Formatter, NumbersClockAndDirections) {
    EXPECT_EQ(format("/cz0015"), "einundzwanzig");
    EXPECT_EQ(format("/Cz0015"), "Einundzwanzig");
    EXPECT_EQ(format("/Cr000E /cr000E"), "XIV xiv");
    EXPECT_EQ(format("/cb0001/Cb0002"), "aB");
    EXPECT_EQ(format("/$0064 /$00FF"), "100 255");
    EXPECT_EQ(format("/!T"), "20:15");
    EXPECT_EQ(format("/D0000 /d0001 /D0002 /d0003"), "nirgendwo n S nirgendwo");
    e.world.byteVariables[3] = 255; // the clock's widest reading
    e.world.byteVariables[2] = 255;
    EXPECT_EQ(format("/!T"), "255:255");
    e.world.byteVariables[2] = 0;
    EXPECT_EQ(format("/!T"), "255:00");
}

// Phrases without markup go out directly; those with markup are formatted.
// Both print as the markup reads, capitalised or not.
TEST_F(Formatter, PhrasesWithAndWithoutMarkup) {
    ObjectRecord& box = e.world.objects[1];
    box.name = "Kiste /$0064";
    EXPECT_EQ(format("/b!01N"), "das Kiste 100");
    box.name = "Tom%s Kiste";
    EXPECT_EQ(format("/B!01N"), "Das Tom's Kiste");
    box.name = "kiste";
    EXPECT_EQ(format("/O!01N /o!01N /B!01N"), "Kiste kiste Das kiste");
    box.name = "/$0064 Kisten"; // a capital for a phrase that begins with markup
    box.articleKind = 1;
    EXPECT_EQ(format("/B!01N"), "100 Kisten");
    box.articleKind = 0;
    box.name = "/A00/b!05D und mehr"; // a computed name holding another phrase
    EXPECT_EQ(format("/B!01N und /u!05A"), "Das dem roten Apfel und mehr und einen roten Apfel");
    e.world.byteVariables[11] = 1; // suppressed: neither kind prints
    box.name = "kiste";
    EXPECT_EQ(format("/B!01N"), "");
}

TEST_F(Formatter, FootnotesAreNumberedByFirstUse) {
    EXPECT_EQ(format("/*12 /*7 /*12"), "[1] [2] [1]");
    EXPECT_EQ(format("/*1234"), "[3]4"); // at most three digits
}

TEST_F(Formatter, StateNames) {
    EXPECT_EQ(format("/zo!05"), "geschlossen");
    EXPECT_EQ(format("/Zo!05"), "Geschlossen");
    EXPECT_EQ(format("/z0000 /Z0000"), "normal Normal");
    EXPECT_EQ(format("/z0063"), "geschlossen"); // past the end: the last name
}

TEST_F(Formatter, SuppressedTextsPrintNothing) {
    e.world.byteVariables[11] = 1;
    EXPECT_EQ(format("gar nichts /b!05N"), "");
    EXPECT_EQ(mark(1, 1), "");
}

// The outer text holds the code; the buffer is formatted at levels 1 to 31
// and each level prints one "x" before it names itself again.
TEST_F(Formatter, SelfReferringPhraseBufferEnds) {
    e.text.phraseText = "x/@";
    EXPECT_EQ(format("/@"), std::string(maxFormatDepth - 1, 'x'));
}

TEST_F(Formatter, TextsThatPrintThemselvesTwiceStillEnd) {
    // Each level prints the buffer twice: 2^31 texts down to the depth limit,
    // cut off after the limit of nested texts, each printing its "x".
    e.text.phraseText = "x/@/@";
    std::string shown;
    {
        CaptureScope capture(e); // the scrollback would keep only the newest part
        formatText(e, "/@");
        shown = capture.text();
    }
    EXPECT_EQ(shown.size(), std::size_t{maxNestedTexts});
    EXPECT_EQ(shown.find_first_not_of('x'), std::string::npos);
    e.text.phraseText = "x";
    EXPECT_EQ(format("/@"), "x"); // the next text is formatted in full again
}

TEST_F(Formatter, PhraseBufferWithOpenCaseLetter) {
    e.text.phraseText = "/b!05\x10";
    EXPECT_EQ(format("/lA"), "den roten Apfel");
    e.text.phraseText = "/b!05\x10";
    EXPECT_EQ(format("/LD"), "Dem roten Apfel");
}

TEST_F(Formatter, TextMarkLinesJoinAndBreak) {
    EXPECT_EQ(mark(1, 1), "Du stehstauf. ");
    EXPECT_EQ(mark(1, 1, false), "Du stehstauf.");
    EXPECT_EQ(mark(9, 1), "[Fehler: Textmarke 9 nicht gefunden]");
    EXPECT_EQ(mark(1, 3), "");
    EXPECT_EQ(e.world.byteVariables[12], 1); // the last line was empty
    mark(1, 5);
    EXPECT_EQ(e.world.byteVariables[12], 0);
    const std::string paragraphs = mark(1, 2);
    EXPECT_NE(paragraphs.find("Erste Zeile \nZweiter Absatz"), std::string::npos) << paragraphs;
}

// Each line is formatted from a working copy of its nesting level; the
// inner mark's lines must leave the outer line and the lines after it alone.
TEST_F(Formatter, NestedMarksLeaveTheOuterLinesAlone) {
    EXPECT_EQ(mark(2, 1), "Vorher Du stehstauf. nach'her zweite Den roten Apfel Zeile! ");
}

TEST_F(Formatter, MessageVariableIsCapitalisedByTheUpperCode) {
    EXPECT_EQ(format("/S01"), "Klein");
    EXPECT_EQ(format("/s01"), "klein");
}

TEST_F(Formatter, PrintingAMarkClearsThePendingMessage) {
    e.machine.pendingMessage = {1, 1};
    mark(1, 5);
    EXPECT_EQ(e.machine.pendingMessage, (TextRef{0, 0}));
}

// A code cut off by the end of the text reads each missing character as a
// bad digit (-1) and still prints what those values name.
TEST_F(Formatter, CutOffParametersAreSafe) {
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"/", ""},
        {"/b", "nichts"},              // the object read from nothing is 0
        {"/b!0", "alles"},             // "0" and a bad digit: 255
        {"/b!05", "der rote Apfel"},   // no case letter: nominative
        {"/v(geht", ""},               // no plural form and no subject
        {"/v(geht/gehen)!05", "geht"}, // the whole code, for comparison
        {"/cz", "239"},                // two bad digits each: value 239
        {"/Zo", "Normal"},             // object 0 in state 0
        {"/G", ""},                    // byte array 239 does not exist
        {"/S0", ""},                   // message variable 255 is empty
        {"/?", "[Fehler: Textmarke 239 nicht gefunden]"},
        {"/*", "[1]"},   // footnote value 0
        {"/L", ""},      // an empty phrase buffer
        {"/vs", "sind"}, // object 0 after no enumeration: plural
    };
    for (const auto& row : rows)
        EXPECT_EQ(format(row.text), row.shown) << row.text;
    // Every prefix of a text full of codes formats without reading past it
    // (the sanitizer build checks the reads).
    const std::string text = "/b!05A/v(geht/gehen)!05/cz0015/Zo!05/G01/S01/?00/*12/L";
    for (std::size_t n = 0; n <= text.size(); ++n)
        format(text.substr(0, n));
    EXPECT_EQ(format(text), "den roten ApfelgehteinundzwanzigGeschlossenKlein");
}

TEST_F(Formatter, StatusFieldsAreCapturedNotShown) {
    e.world.scene.currentRoom = 0;
    const std::string before = scrollbackText(e);
    EXPECT_EQ(statusField(e, 1), "R.U.X. - Rux-Spielwerk");
    EXPECT_EQ(statusField(e, 5), "20:15");
    e.world.scene.turnCounter = 34;
    e.world.scene.scoreBase = 12;
    EXPECT_EQ(statusField(e, 4), "12/34");
    EXPECT_EQ(statusField(e, 9), "");
    EXPECT_EQ(scrollbackText(e), before);
}

} // namespace
} // namespace rux
