// The built-in parts of the standard actions: each refusal and success with
// its system message and its effect on the world.

#include <functional>

#include <gtest/gtest.h>

#include "engine/script/dispatch_action.h"
#include "engine/script/turn_driver.h"
#include "engine/session/file_names.h"
#include "tests/game/game_world.h"

namespace rux {
namespace {

using namespace test;

struct ActionCase {
    const char* what;
    uint8_t action;
    uint8_t object1;
    uint8_t object2;
    uint8_t preposition;
    std::function<void(GameWorld&)> setup;
    const char* reply; // expected in the output
    std::function<bool(GameWorld&)> effect;
};

void canCarry(GameWorld& w, int weight) {
    w.byteVar(8) = static_cast<uint8_t>(weight);
    w.byteVar(9) = 40;
}

// Carries out the action as a command of its own and prints its reply.
std::string act(GameWorld& w, const ActionCase& c) {
    CommandSlots& command = w.world().command;
    command = {};
    command.object1 = c.object1;
    command.object2 = c.object2;
    command.preposition = c.preposition;
    command.direction = c.preposition; // go takes its direction here
    return w.printed([&] {
        dispatchAction(w.engine(), c.action);
        printPendingMessage(w.engine());
    });
}

const std::vector<ActionCase>& actionCases() {
    auto none = [](GameWorld&) {};
    auto yes = [](GameWorld&) { return true; };
    static const std::vector<ActionCase> cases = {
        {"take what is carried", 2, coat, 0, 0, none, "#61", yes},
        {"take a fixed thing", 2, table, 0, 0, none, "#62", yes},
        {"take beyond the most weight", 2, stone, 0, 0, [](GameWorld& w) {
             canCarry(w, 40);
             w.byteVar(5) = 9;
         }, "#65", [](GameWorld& w) { return w.object(stone).holder == hall; }},
        {"take beyond the weight left", 2, stone, 0, 0, [](GameWorld& w) { canCarry(w, 9); }, "#66",
         [](GameWorld& w) { return w.object(stone).holder == hall; }},
        {"take the box whose contents are too heavy", 2, box, 0, 0,
         [](GameWorld& w) { canCarry(w, 5); }, "#66",
         [](GameWorld& w) { return w.object(box).holder == hall && w.byteVar(8) == 5; }},
        {"take one item too many", 2, lamp, 0, 0, [](GameWorld& w) {
             canCarry(w, 40);
             w.byteVar(7) = w.byteVar(4);
         }, "#68", yes},
        {"take the box with its contents", 2, box, 0, 0, [](GameWorld& w) { canCarry(w, 6); },
         "#60", [](GameWorld& w) {
             return w.object(box).holder == 0 && w.byteVar(8) == 0 && w.byteVar(7) == 1;
         }},
        {"take out of the box", 2, ball, 0, 0, [](GameWorld& w) { canCarry(w, 10); }, "#60",
         [](GameWorld& w) { return w.object(ball).holder == 0 && w.object(box).spaceLeft == 10; }},
        {"take from the wrong holder", 3, lamp, box, 3, none, "#72", yes},
        {"drop", 5, coat, 0, 0, none, "#76",
         [](GameWorld& w) { return w.object(coat).holder == hall && w.byteVar(7) == 0; }},
        {"drop a fixed thing", 5, table, 0, 0, none, "#78", yes},
        {"put into", 6, lamp, box, 3, [](GameWorld& w) { w.object(lamp).holder = 0; }, "#98",
         [](GameWorld& w) {
             return w.object(lamp).holder == box && w.object(lamp).relation == 2 &&
                    w.object(box).spaceLeft == 6;
         }},
        {"put the box into the ball inside it", 6, box, ball, 3, none, "#90",
         [](GameWorld& w) { return w.object(box).holder == hall && w.object(ball).holder == box; }},
        {"put the box into what lies deeper in it", 6, box, lamp, 3, [](GameWorld& w) {
             w.object(lamp).holder = ball;
             w.object(lamp).relation = 3;
         }, "#90", [](GameWorld& w) { return w.object(box).holder == hall; }},
        {"put into a non-container", 6, lamp, table, 3, none, "#92", yes},
        {"put onto a non-surface", 6, lamp, box, 2, none, "#93", yes},
        {"put into a full box", 6, lamp, box, 3, [](GameWorld& w) { w.object(box).spaceLeft = 1; },
         "#96", [](GameWorld& w) { return w.object(lamp).holder == hall; }},
        {"examine without texts", 8, lamp, 0, 0, none, "#102", yes},
        {"examine oneself", 8, 251, 0, 0, none, "#101", yes},
        {"open a closed door", 12, door, 0, 0, none, "#130",
         [](GameWorld& w) { return w.object(door).state == 2; }},
        {"open what is open", 12, box, 0, 0, none, "#131", yes},
        {"open the locked door", 12, door, 0, 0, [](GameWorld& w) { w.object(door).state = 4; },
         "#132", yes},
        {"close", 13, box, 0, 0, none, "#135", [](GameWorld& w) { return w.object(box).state == 3; }},
        {"close what is shut", 13, door, 0, 0, none, "#136", yes},
        {"unlock what is not locked", 14, door, coat, 0, none, "#141", yes},
        {"lock with a non-key", 15, door, coat, 0, none, "#148", yes},
        {"switch on what has no switch", 17, lamp, 0, 0, none, "#151", yes},
        {"switch on", 17, lamp, 0, 0, [](GameWorld& w) { w.object(lamp).state = 6; }, "#150",
         [](GameWorld& w) { return w.object(lamp).state == 5; }},
        {"switch off", 18, lamp, 0, 0, [](GameWorld& w) { w.object(lamp).state = 5; }, "#155",
         [](GameWorld& w) { return w.object(lamp).state == 6; }},
        {"wear", 19, coat, 0, 0, none, "#162", [](GameWorld& w) { return w.object(coat).relation == 1; }},
        {"wear what cannot be worn", 19, stone, 0, 0, none, "#160", yes},
        {"take off", 20, coat, 0, 0, [](GameWorld& w) { w.object(coat).relation = 1; }, "#165",
         [](GameWorld& w) { return w.object(coat).relation == 0; }},
        {"sit on a chair", 21, chair, 0, 0, none, "#170",
         [](GameWorld& w) { return w.world().scene.playerVehicle == chair && w.byteVar(32) == 1; }},
        {"sit on a table", 21, table, 0, 0, none, "#171",
         [](GameWorld& w) { return w.world().scene.playerVehicle == 0 && w.byteVar(32) == 0; }},
        {"stand up from nothing", 27, 0, 0, 0, none, "#176", yes},
        {"get off the chair", 26, 0, 0, 0, [](GameWorld& w) { w.world().scene.playerVehicle = chair; },
         "#175", [](GameWorld& w) { return w.world().scene.playerVehicle == 0; }},
        {"go where no exit leads", 1, 0, 0, south, none, "#52", yes},
        {"go through the closed door", 1, 0, 0, north, none, "#55",
         [](GameWorld& w) {
             return w.world().scene.currentRoom == chamber && w.object(door).state == 2;
         }},
        {"go through the locked door", 1, 0, 0, north, [](GameWorld& w) { w.object(door).state = 4; },
         "#54", [](GameWorld& w) { return w.world().scene.currentRoom == hall; }},
        {"go on a chair that stays", 1, 0, 0, down,
         [](GameWorld& w) { w.world().scene.playerVehicle = chair; }, "#53", yes},
        {"go into the dark", 1, 0, 0, down, none, "#110",
         [](GameWorld& w) { return w.world().scene.currentRoom == cellar; }},
        {"look in a closed box", 30, box, 0, 0, [](GameWorld& w) { w.object(box).state = 3; },
         "#190", yes},
        {"description mode full", 45, 0, 0, 0, none, "#203", [](GameWorld& w) { return w.byteVar(25) == 1; }},
        {"score messages toggle", 46, 0, 0, 0, [](GameWorld& w) { w.byteVar(21) = 1; }, "#204",
         [](GameWorld& w) { return w.byteVar(21) == 0; }},
        {"undo with nothing to undo", 49, 0, 0, 0, none, "#207", yes},
        {"footnote without a number", 50, lamp, 0, 0, none, "#211", yes},
        {"the fixed reply", 33, 0, 0, 0, none, "#195", yes},
    };
    return cases;
}

TEST(StandardActions, RefuseAndSucceedWithTheirMessages) {
    for (const ActionCase& c : actionCases()) {
        SCOPED_TRACE(c.what);
        GameWorld w;
        c.setup(w);
        const std::string out = act(w, c);
        EXPECT_NE(out.find(c.reply), std::string::npos) << out;
        EXPECT_TRUE(c.effect(w)) << out;
    }
}

TEST(StandardActions, CarriedTotalsStopAtZero) {
    GameWorld w;
    w.byteVar(7) = 0;
    w.byteVar(8) = 0;
    w.byteVar(9) = 40;
    act(w, {"drop", 5, coat, 0, 0, {}, "", {}});
    EXPECT_EQ(w.byteVar(7), 0);
}

TEST(StandardActions, QuitAsksAndEndsThroughTheHost) {
    GameWorld w;
    w.host().keys = {'N'};
    act(w, {"quit", 40, 0, 0, 0, {}, "", {}});
    EXPECT_EQ(w.host().quits, 0);
    w.host().keys = {'J'};
    const std::string out = act(w, {"quit", 40, 0, 0, 0, {}, "", {}});
    EXPECT_NE(out.find("#225"), std::string::npos);
    EXPECT_EQ(w.host().quits, 1);
    EXPECT_TRUE(w.engine().machine.quitRequested);
}

TEST(StandardActions, SaveAndRestoreCancelled) {
    GameWorld w;
    for (uint8_t action : {42, 43}) {
        const std::string out = act(w, {"file", action, 0, 0, 0, {}, "", {}});
        EXPECT_NE(out.find("Vorgang abgebrochen."), std::string::npos);
    }
    EXPECT_EQ(w.host().fileChoices, (std::vector<FileChoice>{FileChoice::RestoreGame,
                                                             FileChoice::SaveGame}));
}

TEST(StandardActions, SavedGameNamesGetTheirExtensionOnlyFromTheLastPart) {
    EXPECT_EQ(defaultExtension("max.mustermann/spiel", ".sav"), "max.mustermann/spiel.sav");
    EXPECT_EQ(defaultExtension("spiel.alt", ".sav"), "spiel.alt");
}

}  // namespace
}  // namespace rux
