// The order in which an action's reactions run, the abort flag, the take
// redirection, meta actions and base chains.

#include "engine/script/dispatch_action.h"
#include "engine/session/system_action.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <cctype>
#include <gtest/gtest.h>

namespace rux {
namespace {

using namespace storykit;

constexpr int traceMark = 5;
constexpr int storyAction = 60;

// A script that prints one letter of the trace (variant 1 is "a").
Code letter(char c) {
    Assembler a;
    a.print(traceMark, c - 'a' + 1);
    return a.finish();
}

Code letterThenStop(char c) {
    Assembler a;
    a.print(traceMark, c - 'a' + 1).stop();
    return a.finish();
}

// The trace letters in the order printed.
std::string trace(test::ScriptRunner& r) {
    std::string letters;
    for (const char c : r.output())
        if (std::isalpha(static_cast<unsigned char>(c)))
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return letters;
}

// Room 1 with a portable object 1 and a fixed object 2 lying loose in it,
// and actions 1..60 (the last is a story action).
struct DispatchWorld {
    Story story;
    uint8_t first = 0;
    uint8_t second = 0;

    DispatchWorld() {
        std::vector<std::string> letters;
        for (char c = 'a'; c <= 'z'; ++c)
            letters.emplace_back(1, c);
        story.setText(traceMark, letters);
        StoryRoom room;
        room.name = "Raum";
        story.addRoom(room);
        StoryObject portable;
        portable.name = "Ball";
        portable.holder = 1;
        first = story.addObject(portable);
        StoryObject fixed;
        fixed.name = "Tisch";
        fixed.holder = 1;
        second = story.addObject(fixed, Story::ObjectKind::Fixed);
        for (int i = 1; i <= storyAction; ++i)
            story.addAction({});
    }

    test::ScriptRunner load() {
        test::ScriptRunner r({}, story);
        r.world().scene.currentRoom = 1;
        r.world().selectRoomRecord();
        return r;
    }
};

TEST(DispatchAction, RunsEveryReactionInTheFixedOrder) {
    DispatchWorld w;
    w.story.routines = {Code{}, Code{}, letter('a')}; // routine 3
    auto& first = w.story.objects[0].scripts;
    auto& second = w.story.objects[1].scripts;
    first[2] = letter('b'); // script 3
    second[2] = letter('c');
    w.story.rooms[0].scripts[0] = letter('d');
    first[0] = letter('e'); // script 1
    second[0] = letter('f');
    w.story.actions[storyAction - 1].script = letter('g');
    second[1] = letter('h'); // script 2
    first[1] = letter('i');
    w.story.rooms[0].scripts[1] = letter('j');
    first[3] = letter('k'); // script 4
    second[3] = letter('l');
    test::ScriptRunner r = w.load();
    r.world().command = {.action = 7, .object1 = 1, .object2 = 2};
    dispatchAction(r.engine(), storyAction);
    EXPECT_EQ(trace(r), "abcdefghijkl");
    EXPECT_EQ(r.world().command.action, 7) << "the outer action is back";
    EXPECT_FALSE(r.aborted());
}

TEST(DispatchAction, TheSecondObjectSeesTheSecondObjectAction) {
    DispatchWorld w;
    w.story.actions[storyAction - 1].secondObjectAction = 33;
    const int currentAction = storyAction + 1; // action value index of the current action
    Assembler a;
    a.assign(byteVar(40), actionValue(currentAction));
    w.story.objects[1].scripts[0] = a.finish();
    Assembler b;
    b.assign(byteVar(41), actionValue(currentAction));
    w.story.objects[0].scripts[1] = b.finish();
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 1, .object2 = 2};
    dispatchAction(r.engine(), storyAction);
    EXPECT_EQ(r.byteVar(40), 33);
    EXPECT_EQ(r.byteVar(41), storyAction);
}

TEST(DispatchAction, AStopInAVisibleObjectsScriptEndsTheAction) {
    DispatchWorld w;
    w.story.objects[0].scripts[2] = letterThenStop('b');
    w.story.objects[1].scripts[2] = letter('c');
    w.story.objects[1].scripts[3] = letter('l');
    w.story.rooms[0].scripts[0] = letter('d');
    w.story.actions[storyAction - 1].script = letter('g');
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 1};
    dispatchAction(r.engine(), storyAction);
    EXPECT_EQ(trace(r), "b");
    EXPECT_TRUE(r.aborted());
}

TEST(DispatchAction, TakingFromAHolderBecomesTakeFrom) {
    DispatchWorld w;
    StoryObject coin;
    coin.name = "Muenze";
    coin.holder = 4; // in the box, which is numbered after the fixed table
    coin.relation = 2;
    w.story.addObject(coin); // portable 2; the table becomes 3
    StoryObject box;
    box.name = "Kiste";
    box.holder = 1;
    w.story.addObject(box, Story::ObjectKind::Fixed); // 4
    Assembler hook;
    hook.assign(byteVar(40), objectVar(2)).assign(byteVar(41), actionValue(storyAction + 1));
    w.story.actionHooks[2] = hook.finish(); // hook of action 3
    w.story.actionHooks[1] = letter('z');   // hook of action 2 must not run
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 2};
    dispatchAction(r.engine(), 2);
    EXPECT_EQ(r.byteVar(40), 4);
    EXPECT_EQ(r.byteVar(41), 3);
    EXPECT_EQ(trace(r), "");
}

TEST(DispatchAction, AMetaActionRunsOnlyTheStandardHandling) {
    DispatchWorld w;
    w.story.tailSets[1] = {storyAction};
    w.story.routines = {Code{}, Code{}, letter('a')};
    w.story.objects[0].scripts[2] = letter('b');
    w.story.objects[0].scripts[0] = letter('e');
    w.story.actions[storyAction - 1].script = letter('g');
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 1};
    dispatchAction(r.engine(), storyAction);
    EXPECT_EQ(trace(r), "g");
}

TEST(DispatchAction, ScriptsRunAlongTheBaseChains) {
    DispatchWorld w;
    StoryObject kind;
    kind.name = "Art";
    kind.holder = 0;
    w.story.addObject(kind, Story::ObjectKind::Extra); // object 3
    w.story.objects[0].base = 3;
    w.story.objects[2].scripts[0] = letter('x');
    w.story.objects[0].scripts[0] = letter('e');
    StoryRoom baseRoom;
    baseRoom.name = "Basis";
    baseRoom.scripts[0] = letter('r');
    w.story.addRoom(baseRoom); // room 2
    w.story.rooms[0].base = 2;
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 1};
    dispatchAction(r.engine(), storyAction);
    EXPECT_EQ(trace(r), "rex");
}

TEST(DispatchAction, BaseCyclesEndInsteadOfHanging) {
    DispatchWorld w;
    w.story.objects[0].base = 2;
    w.story.objects[1].base = 1;
    w.story.objects[0].scripts[0] = letter('e');
    StoryRoom other;
    other.name = "Andere";
    other.base = 1;
    w.story.addRoom(other);
    w.story.rooms[0].base = 2;
    w.story.rooms[0].scripts[0] = letter('r');
    test::ScriptRunner r = w.load();
    r.world().command = {.object1 = 1};
    dispatchAction(r.engine(), storyAction);
    const std::string letters = trace(r);
    EXPECT_FALSE(letters.empty());
    EXPECT_LE(letters.size(), 300u);
}

TEST(DispatchAction, AnActionWithoutARecordUsesTheLastOne) {
    DispatchWorld w;
    w.story.actions[storyAction - 1].script = letter('g');
    test::ScriptRunner r = w.load();
    dispatchAction(r.engine(), 200);
    EXPECT_EQ(trace(r), "g");
}

// The hook, the built-in part and the record's script.
struct StandardActionWorld : DispatchWorld {
    // The built-in parts reply with system messages; these leave no letters
    // in the trace.
    StandardActionWorld() { story.setText(0, std::vector<std::string>(230, "-")); }

    test::ScriptRunner runAction(uint8_t action) {
        test::ScriptRunner r = load();
        r.world().command.action = action;
        selectActionRecord(r.engine(), action);
        systemAction(r.engine());
        return r;
    }
};

TEST(SystemAction, AHookThatStopsHasHandledTheAction) {
    StandardActionWorld w;
    w.story.actionHooks[11] = letterThenStop('h');
    w.story.actions[11].script = letter('g');
    test::ScriptRunner r = w.runAction(12);
    EXPECT_EQ(trace(r), "h");
    EXPECT_TRUE(r.aborted());
}

TEST(SystemAction, AnActionWithoutBuiltInPartRunsItsScriptTwice) {
    StandardActionWorld w;
    w.story.actionHooks[3] = letter('h');
    w.story.actions[3].script = letter('g');
    test::ScriptRunner r = w.runAction(4);
    EXPECT_EQ(trace(r), "hgg");
}

TEST(SystemAction, AStoryActionRunsItsScriptOnce) {
    StandardActionWorld w;
    w.story.actions[storyAction - 1].script = letter('g');
    test::ScriptRunner r = w.runAction(storyAction);
    EXPECT_EQ(trace(r), "g");
}

TEST(SystemAction, NotCarriedOutSkipsTheScriptAndBecomesTheAbortFlag) {
    StandardActionWorld w;
    Assembler hook;
    hook.assign(byteVar(16), num(1));
    w.story.actionHooks[11] = hook.finish();
    w.story.actions[11].script = letter('g');
    test::ScriptRunner r = w.runAction(12);
    EXPECT_EQ(trace(r), "");
    EXPECT_TRUE(r.aborted());
}

TEST(SystemAction, NothingRunsAfterTheGameHasEnded) {
    StandardActionWorld w;
    w.story.actions[11].script = letter('g');
    test::ScriptRunner r = w.load();
    r.world().byteVariables[33] = 2;
    r.world().command.action = 12;
    selectActionRecord(r.engine(), 12);
    systemAction(r.engine());
    EXPECT_EQ(trace(r), "");
}

TEST(SystemAction, DoesNothingWhileTheAbortFlagIsSet) {
    StandardActionWorld w;
    w.story.actionHooks[11] = letter('h');
    test::ScriptRunner r = w.load();
    r.world().byteVariables[13] = 1;
    r.world().command.action = 12;
    systemAction(r.engine());
    EXPECT_EQ(trace(r), "");
}

// Every dispatch visits each object, and counts as that many jumps: a story
// looping over a dispatch is stopped as soon as a plain loop would be.
TEST(DispatchAction, ALoopOfDispatchesEndsWithinTheJumpBudget) {
    DispatchWorld w;
    StoryObject thing;
    thing.holder = 1;
    for (int i = 0; i < 200; ++i)
        w.story.addObject(thing, Story::ObjectKind::Fixed);
    Assembler loop;
    loop.while_(cond(always())).callAction(storyAction).add(longVar(10), num(1)).end();
    w.story.routines = {loop.finish()};
    test::ScriptRunner r = w.load();
    r.engine().machine.jumpLimit = 100'000;
    r.run();
    EXPECT_LE(r.longVar(10), 100'000 / 200);
    EXPECT_EQ(r.output().find("[Fehler: Endlosschleife abgebrochen"), 0u) << r.output();
}

} // namespace
} // namespace rux
