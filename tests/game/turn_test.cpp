// Engine start, the end of a turn, the game-over prompt and restart.

#include <gtest/gtest.h>

#include "engine/script/turn_driver.h"
#include "engine/session/undo.h"
#include "engine/world/engine_start.h"
#include "tests/game/game_world.h"

namespace rux {
namespace {

using namespace test;
using storykit::Assembler;
using storykit::Code;

constexpr int markerText = 2;

Code marker(int variant) {
    Assembler a;
    a.print(markerText, variant);
    return a.finish();
}

// The game story with marker texts and an every-turn routine (routine 2,
// which also runs as the second routine of the list).
storykit::Story markedStory() {
    storykit::Story story = gameStory();
    story.setText(markerText, {"<start>", "<jede Runde>", "<ende>"});
    story.addRoutine(marker(1));
    story.addRoutine(marker(2));
    return story;
}

TEST(EngineStart, StartRunsTheStartRoutineDescribesAndPrompts) {
    GameWorld w(markedStory());
    const std::string out = scrollbackText(w.engine());
    EXPECT_EQ(out.find("<start>"), 0u) << out;
    EXPECT_NE(out.find("Eine hohe Halle."), std::string::npos) << out;
    EXPECT_EQ(out.substr(out.size() - 2), "> ") << out;
    EXPECT_EQ(w.world().scene.turnCounter, 0);
    EXPECT_EQ(w.world().scene.currentRoom, hall);
    EXPECT_TRUE(w.world().objectFlag(23, lamp)); // seen
}

TEST(EngineStart, AVisitedStartRoomIsNotDescribed) {
    storykit::Story story = markedStory();
    story.roomFlags = {{cellar}, {hall}};
    GameWorld w(story);
    EXPECT_EQ(scrollbackText(w.engine()).find("Eine hohe Halle."), std::string::npos);
}

TEST(EngineStart, CommandLineTakesOneStoryAndWarnsOfMore) {
    ScriptedHost host;
    Engine engine(host);
    initEngine(engine);
    EXPECT_EQ(engine.world.byteVariables[20], 2);
    EXPECT_EQ(engine.text.statusTexts[2], "R.U.X.\nVersion 0.1 beta (23.11.2003)");
    readCommandLine(engine, {"a.vux"});
    EXPECT_EQ(engine.storyFileName, "a.vux");
    readCommandLine(engine, {"a.vux", "b.vux"});
    EXPECT_EQ(engine.storyFileName, "");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "Warnung:\nAufrufparameter ignoriert:\nEinziger Parameter ist die Spieldatei.");
}

TEST(EndTurn, BringsDoorsAndSharedObjectsOverAndPassesTime) {
    storykit::Story story = markedStory();
    story.tailSets[5] = {table}; // the table stands in the hall and the chamber
    story.objects[table - 1].volume = chamber;
    story.byteVariables[33] = 5; // five minutes a turn (byte variable 34)
    story.tailSets[2] = {2};     // routine 2 runs every turn
    GameWorld w(story);
    World& world = w.world();
    world.scene.currentRoom = chamber;
    world.selectRoomRecord();
    const uint8_t minutes = w.byteVar(2);
    const std::string out = w.printed([&] { endTurn(w.engine()); });
    EXPECT_EQ(w.object(door).holder, chamber);
    EXPECT_EQ(w.object(door).target, hall);
    EXPECT_EQ(w.object(table).holder, chamber);
    EXPECT_EQ(w.object(table).volume, hall);
    EXPECT_EQ(world.scene.turnCounter, 1);
    EXPECT_EQ(w.byteVar(2), minutes + 5);
    // The every-turn routine and the routine list's second entry: both are routine 2.
    EXPECT_EQ(out, "<jede Runde> <jede Runde> \n> ") << out;
}

TEST(EndTurn, AMetaActionPassesNoTime) {
    GameWorld w(markedStory());
    w.world().command.action = 11; // inventory is a meta action here
    const std::string out = w.printed([&] { endTurn(w.engine()); });
    EXPECT_EQ(w.world().scene.turnCounter, 0);
    EXPECT_EQ(out, "\n> "); // the paragraph after the earlier prompt ends first
}

TEST(EndTurn, ALostGameEndsTheProgram) {
    GameWorld w(markedStory());
    w.byteVar(33) = 2;
    const std::string out = w.printed([&] { endTurn(w.engine()); });
    EXPECT_NE(out.find("#220"), std::string::npos) << out;
    EXPECT_NE(out.find("#225"), std::string::npos) << out;
    EXPECT_EQ(out.find("> "), std::string::npos) << out;
    EXPECT_EQ(w.host().quits, 1);
}

TEST(EndTurn, AWonGameAsksUntilAnswered) {
    GameWorld w(markedStory());
    w.byteVar(33) = 1;
    w.host().keys = {'X', 'N'}; // a refused key, then restart
    const std::string out = w.printed([&] { endTurn(w.engine()); });
    EXPECT_NE(out.find("#221"), std::string::npos) << out;
    EXPECT_NE(out.find("#226"), std::string::npos) << out;
    EXPECT_NE(out.find("<start>"), std::string::npos) << out;
    EXPECT_EQ(w.byteVar(33), 0);
    EXPECT_EQ(w.host().quits, 0);
    // Escape alone never hangs the prompt.
    w.byteVar(33) = 1;
    w.printed([&] { endTurn(w.engine()); });
    EXPECT_EQ(w.host().quits, 1);
}

TEST(Restart, LeavesTheGameAsAFreshStart) {
    storykit::Story story = markedStory();
    story.tailSets[2] = {2};
    GameWorld fresh(story);
    GameWorld w(story);
    w.world().scene.currentRoom = chamber;
    endTurn(w.engine());
    endTurn(w.engine());
    saveUndo(w.engine());
    const std::string out = w.printed([&] { restartGame(w.engine()); });
    EXPECT_EQ(w.world().scene.turnCounter, fresh.world().scene.turnCounter);
    EXPECT_EQ(w.world().scene.currentRoom, hall);
    EXPECT_EQ(w.byteVar(2), fresh.byteVar(2));
    EXPECT_FALSE(hasUndo(w.engine()));
    EXPECT_EQ(w.engine().text.statusTexts, fresh.engine().text.statusTexts);
    const std::string start = scrollbackText(fresh.engine());
    EXPECT_EQ(out.substr(out.size() - start.size()), start) << out;
}

}  // namespace
}  // namespace rux
