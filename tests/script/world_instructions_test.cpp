// The world-acting instructions: moving the player, locations, flags,
// random choices, the clock, the end of the game, reach checks, points,
// exits, text boxes and object tree queries.

#include "engine/script/reach_checks.h"
#include "storykit/assembler.h"
#include "tests/script/script_runner.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace rux {
namespace {

using namespace storykit;
using test::ScriptRunner;

enum : uint8_t { ball = 1, box, coin, boat, table, cloud };
enum : uint8_t { hall = 1, garden = 2, cellar = 3 };

constexpr uint8_t travelsFlag = 18;

StoryObject object(const char* name, uint8_t holder, uint8_t relation, uint8_t weight = 0) {
    StoryObject o;
    o.name = name;
    o.holder = holder;
    o.relation = relation;
    o.weight = weight;
    return o;
}

// A hall with exits east to the garden and down to the cellar, a ball the
// player carries, a box in the hall with a coin in it, a boat in the hall
// and a fixed table.
Story world() {
    Story s;
    s.addObject(object("Ball", 0, 0, 2));
    s.addObject(object("Kiste", hall, 0, 5));
    s.addObject(object("M\xFCnze", box, 2, 3));
    s.addObject(object("Boot", hall, 0));
    s.addObject(object("Tisch", hall, 0), Story::ObjectKind::Fixed);
    s.addObject(object("Wolke", hall, 0), Story::ObjectKind::Extra);
    s.directionCount = 4;
    StoryRoom r;
    r.id = hall;
    r.name = "Halle";
    r.exits = {0, garden, 0, cellar};
    s.addRoom(r);
    r.id = garden;
    r.name = "Garten";
    r.exits = {0, 0, 0, hall};
    s.addRoom(r);
    r.id = cellar;
    r.name = "Keller";
    r.exits = {40, 0, 0, 0}; // an exit message, not a room
    s.addRoom(r);
    s.objectFlags.resize(20);
    s.roomFlags.resize(4);
    s.setText(0, std::vector<std::string>(230, "x"));
    s.setText(3, {"eins", "zwei", "drei"});
    s.setText(5, {"Zeile 1\nZeile 2"});
    return s;
}

// Runs the code in the hall of `s`; `prepare` may change the world first.
ScriptRunner run(Assembler& a, Story s = world(), const std::function<void(World&)>& prepare = {}) {
    ScriptRunner r({a.finish()}, std::move(s));
    r.world().scene.currentRoom = hall;
    r.world().selectRoomRecord();
    if (prepare) prepare(r.world());
    r.run();
    return r;
}

// Holder and relation of an object.
std::pair<int, int> place(ScriptRunner& r, uint8_t object) {
    return {r.world().objects[object].holder, r.world().objects[object].relation};
}

// Mode 0 moves to the room: an ordinary vehicle stays behind, one that
// travels comes along. Other modes board an object in its room.
TEST(MovePlayer, ModesAndVehicles) {
    Story travelling = world();
    travelling.objectFlags[travelsFlag - 1] = {boat};
    struct Case {
        const char* name;
        int mode;
        Operand target;
        Story story;
        uint8_t roomBefore;
        uint8_t vehicleAfter;
        uint8_t roomAfter;
        std::pair<int, int> boatAfter;
    };
    const Case cases[] = {
        {"ordinary vehicle", 0, roomNum(garden), world(), hall, 0, garden, {hall, 0}},
        {"vehicle that travels", 0, roomNum(garden), travelling, hall, boat, garden, {garden, 0}},
        {"board", 1, num(boat), world(), garden, boat, hall, {hall, 0}},
    };
    for (const Case& c : cases) {
        Assembler a;
        a.emit("move", {c.mode, c.target});
        ScriptRunner r = run(a, c.story, [&](World& w) {
            w.scene.currentRoom = c.roomBefore;
            if (c.mode == 0) w.scene.playerVehicle = boat;
        });
        EXPECT_EQ(r.world().scene.currentRoom, c.roomAfter) << c.name;
        EXPECT_EQ(r.world().currentRoomRecordPtr()->id, c.roomAfter) << c.name;
        EXPECT_EQ(r.world().scene.playerVehicle, c.vehicleAfter) << c.name;
        EXPECT_EQ(place(r, boat), c.boatAfter) << c.name;
    }
}

TEST(Locations, PlaceSetsHolderAndRelationAndMarksGiftsToThePlayer) {
    Assembler a;
    a.emit("place", {num(coin), 3, num(table)}).emit("place", {num(ball), 0, num(0)});
    ScriptRunner r = run(a);
    EXPECT_EQ(place(r, coin), std::make_pair(int(table), 3));
    EXPECT_FALSE(r.world().objectFlag(17, coin));
    EXPECT_TRUE(r.world().objectFlag(17, ball));

    // Swap exchanges places; setstate sets the state.
    Assembler b;
    b.emit("swap", {num(ball), num(coin)}).emit("setstate", {num(box), 4});
    ScriptRunner t = run(b);
    EXPECT_EQ(place(t, ball), std::make_pair(int(box), 2));
    EXPECT_EQ(place(t, coin), std::make_pair(0, 0));
    EXPECT_EQ(t.world().objects[box].state, 4);
}

TEST(Flags, RoomTypesGoToRoomFlagsOthersToObjectFlags) {
    Assembler a;
    a.emit("flagon", {roomNum(garden), 2})
        .emit("flagon", {num(coin), 5})
        .emit("flagon", {num(table), 6})
        .emit("flagoff", {num(table), 6})
        .emit("flagon", {longVar(20), 5}); // 300: no such object
    ScriptRunner r = run(a, world(), [](World& w) { w.longVariables[20] = 300; });
    EXPECT_TRUE(r.world().roomFlag(2, garden));
    EXPECT_FALSE(r.world().objectFlag(2, garden));
    EXPECT_TRUE(r.world().objectFlag(5, coin));
    EXPECT_FALSE(r.world().objectFlag(6, table));
    EXPECT_FALSE(r.world().objectFlag(5, 300 & 255));
}

TEST(Random, RandomValueStaysInItsRangeAndAnEmptyRangeGivesTheLowEnd) {
    Assembler a;
    a.for_(byteVar(40), num(1), num(200))
        .emit("random", {byteVar(41), num(3), num(5)})
        .if_(cond(lt(byteVar(41), num(3))).or_(gt(byteVar(41), num(5))))
        .add(byteVar(42), num(1))
        .end()
        .end()
        .emit("random", {byteVar(43), num(9), num(2)});
    ScriptRunner r = run(a);
    EXPECT_EQ(r.byteVar(42), 0);
    EXPECT_EQ(r.byteVar(43), 9);
}

TEST(Random, ChooseEvaluatesOnlyOneOperandAndNoneWhenEmpty) {
    // Operands of type 44 would not change anything; the choice among
    // three numbers gives one of them.
    Assembler a;
    a.for_(byteVar(40), num(1), num(100))
        .emit("choose", {byteVar(41), std::vector<Operand>{num(7), num(8), num(9)}})
        .if_(cond(lt(byteVar(41), num(7))).or_(gt(byteVar(41), num(9))))
        .add(byteVar(42), num(1))
        .end()
        .end()
        .assign(byteVar(43), num(5))
        .emit("choose", {byteVar(43), std::vector<Operand>{}})
        .emit("choose", {byteVar(44), std::vector<Operand>{num(1)}})
        .add(byteVar(45), num(1));
    // The last 1: the operands were all read.
    EXPECT_EQ(run(a).byteVars(42, 4), (std::vector<int>{0, 5, 1, 1}));
}

TEST(Clock, SetAndAdvanceCarryingFully) {
    struct Case {
        int hour, minute, advance;
        std::vector<int> minuteAndHour; // byte variables 2 and 3
    };
    for (const Case& c : {Case{23, 50, 20, {10, 0}}, Case{10, 0, 150, {30, 12}}}) {
        Assembler a;
        a.emit("setclock", {num(c.hour), num(c.minute)})
            .emit("advanceclock", {num(0), num(c.advance)});
        EXPECT_EQ(run(a).byteVars(2, 2), c.minuteAndHour) << c.hour << ":" << c.minute;
    }
}

TEST(EndGame, SetsTheEndCodeAndStops) {
    Assembler a;
    a.emit("endgame2").add(byteVar(40), num(1));
    ScriptRunner r = run(a);
    EXPECT_EQ(r.byteVar(33), 2);
    EXPECT_EQ(r.byteVar(16), 1);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.byteVar(40), 0);

    Assembler b;
    b.emit("endgame1");
    EXPECT_EQ(run(b).byteVar(33), 1);
}

TEST(ReachChecks, CanTouchGivesTheReasonInVariable14) {
    ScriptRunner r({}, world());
    Engine& e = r.engine();
    e.world.scene.currentRoom = hall;
    EXPECT_TRUE(canTouch(e, 0));
    EXPECT_TRUE(canTouch(e, box));
    EXPECT_TRUE(canTouch(e, coin)); // in an open box
    e.world.objects[box].state = 3; // closed
    EXPECT_FALSE(canTouch(e, coin));
    EXPECT_EQ(r.byteVar(14), reachError::notVisible);
    e.world.setObjectFlag(14, box, true); // see-through
    EXPECT_FALSE(canTouch(e, coin));
    EXPECT_EQ(r.byteVar(14), reachError::outOfReach);
    e.world.scene.playerVehicle = boat;
    EXPECT_FALSE(canTouch(e, coin));
    EXPECT_EQ(r.byteVar(14), reachError::outOfReachFromVehicle);
    e.world.objects[coin].relation = 1; // worn by the (see-through) ball
    e.world.objects[coin].holder = ball;
    e.world.setObjectFlag(14, ball, true);
    EXPECT_FALSE(canTouch(e, coin));
    EXPECT_EQ(r.byteVar(14), reachError::heldByHolder);
    EXPECT_EQ(e.world.scene.relatedObject, ball);
    EXPECT_EQ(e.parser.testedObject, coin);
    e.world.setObjectFlag(3, table, true);
    EXPECT_FALSE(canTouch(e, table));
    EXPECT_EQ(r.byteVar(14), reachError::outOfReachFromVehicle); // fixed: class 4
    e.world.setObjectFlag(3, cloud, true);
    EXPECT_FALSE(canTouch(e, cloud)); // an extra object: class 3
    EXPECT_EQ(r.byteVar(14), reachError::fixedInPlace);
}

TEST(ReachChecks, IsCarried) {
    ScriptRunner r({}, world());
    Engine& e = r.engine();
    EXPECT_TRUE(isCarried(e, 0));
    EXPECT_TRUE(isCarried(e, ball));
    EXPECT_FALSE(isCarried(e, 251));
    EXPECT_EQ(r.byteVar(14), reachError::notCarried);
    r.world().byteVariables[14] = 0;
    EXPECT_FALSE(isCarried(e, box));
    EXPECT_EQ(r.byteVar(14), reachError::notCarried);
    EXPECT_EQ(e.parser.testedObject, box);
    EXPECT_TRUE(isCarried(e, ball));
    EXPECT_EQ(e.parser.testedObject, box) << "a passed check names nothing";
}

TEST(ReachChecks, FailedChecksStopTheBlock) {
    Assembler a;
    a.emit("needcarried", {num(ball)})
        .add(byteVar(40), num(1))
        .emit("needtouch", {num(box)})
        .add(byteVar(40), num(1))
        .emit("needcarried", {num(box)})
        .add(byteVar(40), num(1));
    ScriptRunner r = run(a);
    EXPECT_EQ(r.byteVar(40), 2);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.byteVar(14), reachError::notCarried);
}

// The world with system messages 223 (points gained) and 224 (points lost).
Story scoringWorld(const char* gained, const char* lost = "x") {
    Story s = world();
    std::vector<std::string> system(230, "x");
    system[222] = gained;
    system[223] = lost;
    s.setText(0, system);
    return s;
}

TEST(Points, ScoreMessagesReportTheChange) {
    Story s = scoringWorld("Du bekommst /@.", "Du verlierst /@.");
    s.scoreSlotCount = 3;
    Assembler a;
    a.emit("scorepoints", {2, num(1)});
    ScriptRunner r = run(a, s);
    EXPECT_EQ(r.world().scoreSlots[2], 1);
    EXPECT_EQ(r.engine().text.phraseText, "1 Punkt");
    EXPECT_EQ(r.output(), "Du bekommst 1 Punkt. ");

    Assembler b;
    b.emit("portablepoints", {num(coin), num(5)})
        .emit("portablepoints", {num(coin), num(2)})
        .emit("roompoints", {num(garden), num(7)})
        .emit("roompoints", {num(garden), num(7)});
    ScriptRunner t = run(b, s);
    EXPECT_EQ(t.world().portablePoints[coin], 2);
    EXPECT_EQ(t.world().roomPoints[garden], 7);
    EXPECT_EQ(t.engine().text.phraseText, "7 Punkte");
    EXPECT_EQ(t.output(),
              "Du bekommst 5 Punkte. \nDu verlierst 3 Punkte. \nDu bekommst 7 Punkte. ");
}

TEST(Points, APendingMessageComesFirst) {
    Assembler a;
    a.emit("setpending", {3, 1}).emit("scorepoints", {1, num(2)});
    EXPECT_EQ(run(a, scoringWorld("Punkte!")).output(), "eins \nPunkte! ");
}

TEST(Points, UnchangedValuesAndSilentScoresPrintNothing) {
    Assembler a;
    a.emit("scorepoints", {1, num(0)});
    EXPECT_EQ(run(a).output(), "");
    Story s = world();
    s.display.scoreMessages = 0;
    Assembler b;
    b.emit("scorepoints", {1, num(4)});
    ScriptRunner r = run(b, s);
    EXPECT_EQ(r.world().scoreSlots[1], 4);
    EXPECT_EQ(r.output(), "");
    EXPECT_EQ(r.engine().text.phraseText, "");
}

TEST(Exits, ExitOfGivesOnlyRooms) {
    Assembler a;
    a.emit("exitof", {byteVar(40), roomNum(hall), num(2)})
        .emit("exitof", {byteVar(41), roomNum(cellar), num(1)}) // a message exit
        .emit("exitof", {byteVar(42), roomNum(9), num(2)})      // no such room
        .emit("exitof", {byteVar(43), roomNum(hall), num(9)})   // no such direction
        .emit("exitof", {byteVar(44), roomNum(garden), num(4)});
    EXPECT_EQ(run(a).byteVars(40, 5), (std::vector<int>{garden, 0, 0, 0, hall}));
}

TEST(Exits, FindDirectionReadsBothOperandsWithTheDestinationsType) {
    Assembler a;
    a.assign(byteVar(50), num(hall))
        .assign(byteVar(51), num(cellar))
        .emit("finddirection", {byteVar(40), value(0, 50), value(0, 51)})
        .assign(byteVar(51), num(garden))
        .emit("finddirection", {byteVar(41), value(0, 51), value(0, 50)})
        .emit("finddirection", {byteVar(42), value(0, 51), value(0, 51)});
    EXPECT_EQ(run(a).byteVars(40, 3), (std::vector<int>{4, 4, 0}));
}

TEST(TreeInstructions, QueriesStoreTheirAnswers) {
    Assembler a;
    a.emit("parent", {byteVar(40), num(coin)})
        .emit("outerholder", {byteVar(41), num(coin)})
        .emit("outerobject", {byteVar(42), num(coin)})
        .emit("countinside", {byteVar(43), num(box)})
        .emit("weightinside", {byteVar(44), num(box)})
        .emit("parent", {byteVar(45), num(ball)});
    EXPECT_EQ(run(a).byteVars(40, 6), (std::vector<int>{box, hall, box, 1, 3, 0}));
}

TEST(TreeInstructions, UniqueItemNeedsExactlyOneVisibleMember) {
    Story s = world();
    s.objectFlags[8] = {ball};
    s.objectFlags[9] = {ball, box};
    Assembler a;
    a.emit("uniqueitem", {9, byteVar(40)}).emit("uniqueitem", {10, byteVar(41)});
    EXPECT_EQ(run(a, s).byteVars(40, 2), (std::vector<int>{ball, 0}));
}

TEST(Texts, PrintParagraphPrintVariantAndPrintRandom) {
    Assembler a;
    a.print(3, 1).emit("paragraph").emit("paragraph").print(3, 3);
    EXPECT_EQ(run(a).output(), "eins \ndrei ");
    Assembler b;
    b.emit("printvar", {3, num(2)}).emit("printrandom", {3, 3, 3});
    EXPECT_EQ(run(b).output(), "zwei drei ");
}

// Mark 5 holds two lines, mark 6 twelve of which the box keeps ten;
// variant 0 shows nothing.
TEST(TextBox, ShowsAtMostTenLinesThenThePagingPrompt) {
    Story s = world();
    std::string text;
    std::vector<std::string> tenLines;
    for (int i = 1; i <= 12; ++i) {
        text += "L" + std::to_string(i) + (i < 12 ? "\n" : "");
        if (i <= 10) tenLines.push_back("L" + std::to_string(i));
    }
    s.setText(6, {text});
    const std::pair<int, std::vector<std::string>> cases[] = {{5, {"Zeile 1", "Zeile 2"}},
                                                              {6, tenLines}};
    for (const auto& [mark, lines] : cases) {
        Assembler a;
        a.emit("textbox", {mark, num(1)}).emit("textbox", {mark, num(0)});
        ScriptRunner r = run(a, s);
        ASSERT_EQ(r.host().textBoxes.size(), 1u) << "mark " << mark;
        EXPECT_EQ(r.host().textBoxes[0], lines) << "mark " << mark;
        EXPECT_EQ(r.host().pagingPrompts, 1) << "mark " << mark;
    }
}

TEST(TextBox, AMissingMarkPrintsAnErrorAndWaits) {
    Assembler a;
    a.emit("textbox", {77, num(1)});
    ScriptRunner r = run(a);
    EXPECT_EQ(r.output(), "[Fehler: Textmarke 77 nicht gefunden]");
    EXPECT_TRUE(r.host().textBoxes.empty());
    EXPECT_EQ(r.host().pagingPrompts, 1);
}

// Each instruction cut off after its code byte and after one more byte ends
// the block with an error text and changes nothing it should not.
TEST(WorldInstructions, CutOffOperandsEndTheBlockSafely) {
    for (int code : {1,  3,  10, 11, 12, 13, 14, 15, 16, 20, 24, 25, 30,
                     31, 33, 34, 35, 36, 37, 40, 41, 42, 45, 46, 53, 54}) {
        for (int extra = 0; extra <= 1; ++extra) {
            Assembler a;
            a.raw({code});
            if (extra) a.raw({3});
            ScriptRunner r({a.finishRaw()}, world());
            r.run();
            EXPECT_NE(r.output().find("[Fehler"), std::string::npos) << code;
            EXPECT_EQ(r.world().scene.currentRoom, 0) << code;
            EXPECT_TRUE(r.host().textBoxes.empty()) << code;
        }
    }
}

} // namespace
} // namespace rux
