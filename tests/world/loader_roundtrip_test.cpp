// Stories written by the story writer load back field for field.

#include <gtest/gtest.h>

#include "engine/world/loader.h"
#include "engine/world/story_reader.h"
#include "storykit/example_story.h"
#include "storykit/story_writer.h"
#include "tests/support/test_engine.h"

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryAction;
using storykit::StoryObject;
using storykit::StoryRoom;

World load(const Story& story) { return parseStory(storykit::writeStory(story), "test.vux"); }

Story richStory() {
    Story s;
    s.title = "Titel \xE4\xF6\xFC\xDF";  // äöüß
    s.label = "Label";
    s.directionCount = 3;
    s.directionNames[0] = {"n", "norden"};
    s.directionNames[15] = {"x", "ausgang"};
    s.verbs = {"nimm", "gib", "ein-sehr-langes-verbwort"};
    s.prepositions = {"in", "auf"};
    s.wordList = {"bitte"};
    s.functionKeys[0] = "umsehen";
    s.functionKeys[9] = "inventar";
    s.replacementRules = {{1, "x", "untersuche", ""}, {0, "und", "a", "b"}, {2, "ins", "in", "das"}};
    s.stateNames = {"null", "eins", "offen", "zu"};

    StoryObject ball;
    ball.name = "Ball";
    ball.pluralName = "";
    ball.gender = 1;
    ball.articleKind = 2;
    ball.adjectives = {"rot", "rund"};
    ball.nounPrefixes = {"Fu\xDF"};
    ball.nouns = {{"Ball", 0}, {"Balles", 2}};
    ball.holder = 1;
    ball.relation = 0;
    ball.weight = 3;
    ball.volume = 4;
    ball.state = 2;
    ball.spaceLeft = 5;
    ball.target = 6;
    ball.base = 3;
    ball.properties = {{1, 10}, {2, 20}, {1, 30}};
    ball.textSlots[0] = {1, 1};
    ball.textSlots[7] = {0, 2};
    ball.scripts[0] = {1, 2, 3};
    ball.scripts[4] = {255};
    s.addObject(ball);
    StoryObject coin;
    coin.name = "M\xFCnze";
    coin.gender = 2;
    coin.base = 3;  // no nouns, no adjectives: named through its group
    s.addObject(coin);
    StoryObject money;
    money.name = "Geld";
    money.pluralName = "M\xFCnzen";
    money.pluralGender = 0;
    money.pluralArticleKind = 1;
    s.addObject(money, Story::ObjectKind::Fixed);
    StoryObject extra;
    extra.name = "Extra";
    s.addObject(extra, Story::ObjectKind::Extra);

    StoryRoom hall;
    hall.name = "Halle";
    hall.exits = {2, 3, 4};
    hall.description = {2, 1};
    hall.scripts[1] = {9, 9};
    s.addRoom(hall);
    StoryRoom dark;
    dark.base = 1;
    s.addRoom(dark);
    StoryRoom spare;
    spare.id = 7;
    spare.name = "Nebenraum";
    s.extraRooms.push_back(spare);
    s.exitMessages = {{3, 1}};
    s.exitRoutines = {{255}};

    StoryAction take;
    take.name = "nehmen";
    take.requiredMask = 5;
    take.excludedMask = 2;
    take.option = 9;
    take.secondObjectAction = 3;
    take.alias = 4;
    take.slotSource = {1, 2, 3};
    take.slotImplicitSet = {4, 5, 6};
    take.slotKind = {7, 8, 9};
    take.verbPatterns = {{1, 0}, {2, 1}};
    take.acceptedPrepositions = {1, 2};
    take.script = {4, 3, 1, 6, 5};
    s.addAction(take);
    s.actionHooks[0] = {255};
    s.actionHooks[53] = {255, 255};
    s.addRoutine({255});
    s.addRoutine({});
    s.textRoutines = {{255}};

    s.byteVariables = std::vector<uint8_t>(40, 0);
    s.byteVariables[0] = 11;
    s.byteVariables[7] = 77;   // byte variable 8 comes from the file
    s.byteVariables[1] = 99;   // byte variable 2 is forced after loading
    s.longVariables = {-5, 6, 7, 8, 123456789};
    s.longConstants = {-2147483647 - 1, 2147483647};
    s.objectVariables = {1, 2, 3};
    s.roomVariables = {4, 5};
    s.enumCount = 10;
    s.enumVariables = {6};
    s.smallVariables = {7, 8};
    s.actionVariables = {9};
    s.scoreSlotCount = 3;
    s.objectFlags = {{1, 2}, {}, {200}};
    s.roomFlags = {{}, {1}};
    s.byteArrays = {{0, 2, 1}, {3, 3, 3}};
    s.messageVariables = {{1, 2}, {3, 4}};
    s.functionKeyExtra = {1, 2, 3, 4};
    s.display.paragraphStyle = 17;
    s.display.titleStyle = 18;
    s.display.statusLines = 19;
    s.display.statusLineCount = 20;
    s.display.scoreMessages = 21;
    s.display.status22 = 22;
    s.display.status23 = 23;
    s.display.status24 = 24;
    s.display.descriptionMode = 25;
    s.display.indentWidth = 26;
    s.tailUnused = {5, 6, 7, 8};
    s.tailKeptByte = 42;
    s.tailSets[0] = {1};
    s.tailSets[1] = {41, 42};
    s.tailSets[5] = {3};
    s.setText(0, {"Systemmeldung eins", ""});
    s.setText(2, {"Zeile eins\nZeile zwei", "Zweiter Text"});
    s.setText(260, {"Marke 4 durch 260"});
    return s;
}

TEST(LoaderRoundTrip, HeaderCountsAndRunningTotals) {
    const World w = load(richStory());
    EXPECT_EQ(w.storyTitle, "Titel \xE4\xF6\xFC\xDF");
    EXPECT_EQ(w.storyLabel, "Label");
    const HeaderCounts& c = w.counts;
    EXPECT_EQ(c.verbCount, 3);
    EXPECT_EQ(c.prepositionCount, 2);
    EXPECT_EQ(c.portableCount, 2);
    EXPECT_EQ(c.fixedCount, 3);  // running total: portables + fixed
    EXPECT_EQ(c.extraObjectCount, 1);
    EXPECT_EQ(c.roomCount, 2);
    EXPECT_EQ(c.extraRoomCount, 1);
    EXPECT_EQ(c.exitMessageCount, 3);  // rooms + one exit message
    EXPECT_EQ(c.exitRoutineCount, 4);  // then one exit routine
    EXPECT_EQ(c.directionCount, 3);
    EXPECT_EQ(c.enumCount, 10);
    EXPECT_EQ(c.arrayCount, 2);
    EXPECT_EQ(w.objectFlagBytes, 1);
    EXPECT_EQ(w.roomFlagBytes, 1);
}

TEST(LoaderRoundTrip, ObjectsFieldForField) {
    const World w = load(richStory());
    const ObjectRecord& ball = w.objects[1];
    EXPECT_EQ(ball.name, "Ball");
    EXPECT_EQ(ball.gender, 1);
    EXPECT_EQ(ball.articleKind, 2);
    EXPECT_EQ(ball.adjectives, (std::vector<std::string>{"rot", "rund"}));
    EXPECT_EQ(ball.nounPrefixes, (std::vector<std::string>{"Fu\xDF"}));
    ASSERT_EQ(ball.nouns.size(), 2u);
    EXPECT_EQ(ball.nouns[1].word, "Balles");
    EXPECT_EQ(ball.nouns[1].form, 2);
    EXPECT_EQ(ball.holder, 1);
    EXPECT_EQ(ball.weight, 3);
    EXPECT_EQ(ball.volume, 4);
    EXPECT_EQ(ball.state, 2);
    EXPECT_EQ(ball.spaceLeft, 5);
    EXPECT_EQ(ball.target, 6);
    EXPECT_EQ(ball.base, 3);
    EXPECT_EQ(ball.propertyCount, 3);
    EXPECT_EQ(ball.propertyIds[2], 1);
    EXPECT_EQ(ball.propertyValues[2], 30);
    EXPECT_EQ(ball.textSlots[0], (TextRef{1, 1}));
    EXPECT_EQ(ball.textSlots[7], (TextRef{0, 2}));
    EXPECT_EQ(ball.scripts[1].length, 3);
    EXPECT_EQ(ball.scripts[2].length, 0);
    EXPECT_EQ(ball.scripts[5].length, 1);
    const auto code = w.codeBytes(ball.scripts[1]);
    EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.end()), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(w.codeBytes(ball.scripts[5])[0], 255);
    EXPECT_EQ(ball.scripts[5].start * 4 % 4, 0);

    EXPECT_EQ(w.objects[3].pluralName, "M\xFCnzen");
    EXPECT_EQ(w.objects[4].name, "Extra");
    EXPECT_TRUE(w.objects[5].name.empty());
}

TEST(LoaderRoundTrip, GroupsAndInheritedNaming) {
    const World w = load(richStory());
    EXPECT_EQ(w.objects[1].group, 3);
    EXPECT_EQ(w.objects[2].group, 3);
    EXPECT_EQ(w.objects[3].group, 0);  // the chain starts at the base, not at the object
    EXPECT_FALSE(w.inheritedNaming.contains(1));  // has nouns of its own
    EXPECT_TRUE(w.inheritedNaming.contains(2));
}

TEST(LoaderRoundTrip, GroupFoundTwoLinksUp) {
    Story s;
    StoryObject a, b, c;
    a.base = 2;
    a.nouns = {{"a", 0}};
    b.base = 3;
    c.pluralName = "Cs";
    s.addObject(a);
    s.addObject(b);
    s.addObject(c);
    const World w = load(s);
    EXPECT_EQ(w.objects[1].group, 3);
    EXPECT_FALSE(w.inheritedNaming.contains(1));
    EXPECT_TRUE(w.inheritedNaming.contains(2));
}

TEST(LoaderRoundTrip, RoomsExitsAndNumberedCode) {
    const World w = load(richStory());
    ASSERT_EQ(w.rooms.size(), 3u);
    EXPECT_EQ(w.rooms[0].name, "Halle");
    EXPECT_EQ(w.rooms[0].exits[1], 2);
    EXPECT_EQ(w.rooms[0].exits[3], 4);
    EXPECT_EQ(w.rooms[0].exits[4], 0);
    EXPECT_EQ(w.rooms[0].description, (TextRef{2, 1}));
    EXPECT_EQ(w.rooms[0].scripts[2].length, 2);
    EXPECT_TRUE(w.rooms[1].name.empty());  // "[Z]" leaves the name empty
    EXPECT_EQ(w.rooms[1].base, 1);
    EXPECT_EQ(w.rooms[2].id, 7);
    EXPECT_EQ(w.rooms[2].name, "Nebenraum");
    ASSERT_NE(w.findExitMessage(3), nullptr);
    EXPECT_EQ(w.findExitMessage(3)->text, (TextRef{3, 1}));
    ASSERT_NE(w.findExitRoutine(4), nullptr);
    EXPECT_EQ(w.findExitRoutine(4)->script.length, 1);
    ASSERT_NE(w.findRoutine(2), nullptr);
    EXPECT_EQ(w.findRoutine(2)->script.length, 0);
    EXPECT_EQ(w.findRoutine(3), nullptr);
    ASSERT_NE(w.findTextRoutine(1), nullptr);
    EXPECT_EQ(w.actionHooks[1].length, 1);
    EXPECT_EQ(w.actionHooks[54].length, 2);
    EXPECT_EQ(w.actionHooks[2].length, 0);
}

TEST(LoaderRoundTrip, ActionsWithMasksPatternsAndSlots) {
    const World w = load(richStory());
    const ActionRecord* take = w.findAction(1);
    ASSERT_NE(take, nullptr);
    EXPECT_EQ(take->name, "nehmen");
    EXPECT_EQ(take->requiredMask, 5);
    EXPECT_EQ(take->excludedMask, 2);
    EXPECT_EQ(take->option, 9);
    EXPECT_EQ(take->secondObjectAction, 3);
    EXPECT_EQ(take->alias, 4);
    EXPECT_EQ(take->slotSource[1], 1);
    EXPECT_EQ(take->slotImplicitSet[2], 5);
    EXPECT_EQ(take->slotKind[3], 9);
    ASSERT_EQ(take->verbPatterns.size(), 2u);
    EXPECT_EQ(take->verbPatterns[1], (VerbPattern{2, 1}));
    EXPECT_EQ(take->acceptedPrepositions, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(take->script.length, 5);
}

TEST(LoaderRoundTrip, VariablesAndForcedValues) {
    const World w = load(richStory());
    EXPECT_EQ(w.byteVariables[1], 11);
    EXPECT_EQ(w.byteVariables[8], 77);
    // Forced after loading, whatever the file says.
    EXPECT_EQ(w.byteVariables[2], 15);
    EXPECT_EQ(w.byteVariables[3], 20);
    EXPECT_EQ(w.byteVariables[4], 8);
    EXPECT_EQ(w.byteVariables[5], 80);
    EXPECT_EQ(w.byteVariables[6], 50);
    EXPECT_EQ(w.scene.turnCounter, -1);
    EXPECT_EQ(w.scene.scoreBase, 0);
    // The display settings come from the tail, in their own order.
    for (int v = 17; v <= 26; ++v) EXPECT_EQ(w.byteVariables[v], v) << "byte variable " << v;
    EXPECT_EQ(w.longVariables[5], 123456789);
    EXPECT_EQ(w.longConstants[1], INT32_MIN);
    EXPECT_EQ(w.longConstants[2], INT32_MAX);
    EXPECT_EQ(w.variableBlock[objectVariableBase + 3], 3);
    EXPECT_EQ(w.variableBlock[roomVariableBase + 2], 5);
    EXPECT_EQ(w.variableBlock[enumVariableBase + 1], 6);
    EXPECT_EQ(w.variableBlock[smallVariableBase + 33], 7);
    EXPECT_EQ(w.variableBlock[smallVariableBase + 34], 8);
    EXPECT_EQ(w.variableBlock[actionVariableBase + 1], 9);
    EXPECT_EQ(w.messageVariables[2], (TextRef{3, 4}));
}

TEST(LoaderRoundTrip, FlagSetsArraysAndTail) {
    const World w = load(richStory());
    EXPECT_TRUE(w.objectFlag(1, 1));
    EXPECT_TRUE(w.objectFlag(1, 2));
    EXPECT_FALSE(w.objectFlag(1, 3));
    EXPECT_TRUE(w.objectFlag(3, 200));
    EXPECT_TRUE(w.roomFlag(2, 1));
    EXPECT_EQ(w.byteArrays[0].dim1, 256);  // 0 means 256 rows
    EXPECT_EQ(w.byteArrays[0].size, 512);
    EXPECT_EQ(w.byteArrays[1].size, 27);
    EXPECT_EQ(w.byteArrays[1].start * 4, w.byteArrays[0].start * 4 + 512);
    EXPECT_EQ(w.functionKeyExtra, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(w.tailUnused, (std::array<uint8_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(w.tailKeptByte, 42);
    EXPECT_TRUE(w.tailSets[1].contains(1));
    EXPECT_TRUE(w.tailSets[2].contains(42));
    EXPECT_TRUE(w.tailSets[6].contains(3));
}

TEST(LoaderRoundTrip, VocabularyAndNames) {
    const World w = load(richStory());
    EXPECT_EQ(w.verb(1), "nimm");
    EXPECT_EQ(w.verb(3), "ein-sehr-lan");  // words hold 12 characters
    EXPECT_EQ(w.verb(4), "");
    EXPECT_EQ(w.preposition(2), "auf");
    EXPECT_EQ(w.listedWord(1), "bitte");
    EXPECT_EQ(w.functionKeyCommands[0], "umsehen");
    EXPECT_EQ(w.functionKeyCommands[9], "inventar");
    EXPECT_EQ(w.directionNames[1].longName, "norden");
    EXPECT_EQ(w.directionNames[16].shortName, "x");
    // The rule matching "und" is read and dropped; the following one is kept.
    ASSERT_EQ(w.replacementRules.size(), 2u);
    EXPECT_EQ(w.replacementRules[1].match, "ins");
    EXPECT_EQ(w.replacementRules[1].second, "das");
    EXPECT_EQ(w.nthStateName(3), "zu");
    EXPECT_EQ(w.nthStateName(4), "");
}

TEST(LoaderRoundTrip, TextsWithContinuationsAndMarkNumbersModulo256) {
    const World w = load(richStory());
    EXPECT_EQ(w.textVariant(0, 1), "Systemmeldung eins");
    EXPECT_EQ(w.textVariant(0, 2), "");
    EXPECT_EQ(w.textVariant(2, 1), "Zeile eins\nZeile zwei");
    EXPECT_EQ(w.textVariant(2, 2), "Zweiter Text");
    EXPECT_EQ(w.textVariant(4, 1), "Marke 4 durch 260");
    EXPECT_FALSE(w.textBlock(5).has_value());
    for (int mark : {0, 2, 4}) EXPECT_EQ(*w.textBlock(static_cast<uint8_t>(mark)) % 4, 0u);
}

TEST(LoaderRoundTrip, RawTextLines) {
    Story s;
    s.leadingTextLines = {"vorweg", "noch etwas"};
    s.rawTextLines = std::vector<std::string>{"[7]", "", "[8]", "eins+", "zwei", "[7]", "neu"};
    const World w = load(s);
    EXPECT_EQ(w.textVariant(7, 1), "neu");  // a later line for the same mark replaces it
    EXPECT_EQ(w.textVariant(8, 1), "eins\nzwei");
    Story empty;
    empty.rawTextLines = std::vector<std::string>{"[7]", ""};
    EXPECT_EQ(load(empty).textVariant(7, 1), "");  // one empty text
}

TEST(LoaderRoundTrip, ExampleStoryLoads) {
    const World w = load(storykit::exampleStory());
    EXPECT_EQ(w.storyTitle, "Das kleine Haus");
    EXPECT_GT(w.counts.fixedCount, 0);
}

// A world that is parsed into again keeps nothing of the story it held.
TEST(LoaderRoundTrip, ParsingIntoAUsedWorldLeavesNothingOfTheEarlierStory) {
    Story small;
    StoryObject stone;
    stone.name = "Stein";
    small.addObject(stone);
    StoryRoom hall;
    hall.id = 1;
    hall.name = "Halle";
    small.addRoom(hall);
    const std::vector<uint8_t> bytes = storykit::writeStory(small);

    World reused = load(storykit::exampleStory());
    parseStoryInto(reused, bytes, "test.vux");
    const World fresh = parseStory(bytes, "test.vux");
    EXPECT_EQ(reused.storyTitle, fresh.storyTitle);
    EXPECT_EQ(reused.counts.fixedCount, fresh.counts.fixedCount);
    EXPECT_EQ(reused.objects[2].name, fresh.objects[2].name);
    EXPECT_EQ(reused.rooms.size(), fresh.rooms.size());
    EXPECT_EQ(reused.routines.size(), fresh.routines.size());
    EXPECT_EQ(reused.codeArea, fresh.codeArea);
    EXPECT_EQ(reused.textArea, fresh.textArea);
}

TEST(Scramble, DecodesByTheRuleAndRoundTrips) {
    EXPECT_EQ(decodeScrambled("\x41"), "\x93");
    EXPECT_EQ(decodeScrambled(""), "");
    EXPECT_EQ(storykit::scramble("\x93"), "\x41");
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
    for (std::size_t n : {1u, 2u, 3u, 200u, 255u}) {
        const std::string text = all.substr(256 - n);
        EXPECT_EQ(decodeScrambled(storykit::scramble(text)), text) << "length " << n;
    }
}

TEST(HighCharacterMap, DosLettersBecomeWindowsLetters) {
    EXPECT_EQ(mapHighCharacters("\x81\x84\x94\xE1\x8E\x99\x9A"), "\xFC\xE4\xF6\xDF\xC4\xD6\xDC");
    EXPECT_EQ(mapHighCharacters("\xB0\xB3\xC4\xFF"), "#|- ");  // line drawing, then space
    EXPECT_EQ(mapHighCharacters("plain"), "plain");
    EXPECT_EQ(storykit::unmapHighCharacters("\xFC"), "\x81");
}

}  // namespace
}  // namespace rux
