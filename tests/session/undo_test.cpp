// Undo memory: twelve turns back, the undone command named, the room
// described again when undoing leaves it.

#include "engine/session/undo.h"
#include "tests/session/save_story.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

class UndoTest : public ::testing::Test {
  protected:
    // A turn as the turn driver plays it: an undo point, the command's
    // changes, the image at its end.
    void playTurn(uint8_t mark) {
        saveUndo(engine());
        world().byteVariables[40] = mark;
        takeEndOfTurnImage(engine());
    }
    Engine& engine() { return **test; }
    World& world() { return test->world(); }

    std::unique_ptr<test::TestEngine> test = test::loadSaveStory();
};

TEST_F(UndoTest, TwelveOfThirteenTurnsCanBeUndone) {
    for (uint8_t turn = 1; turn <= 13; ++turn)
        playTurn(turn);
    for (int undone = 1; undone <= 12; ++undone) {
        undoTurn(engine());
        EXPECT_EQ(world().byteVariables[40], 13 - undone);
    }
    EXPECT_FALSE(test::shows(engine(), "Nichts mehr da."));
    undoTurn(engine());
    EXPECT_TRUE(test::shows(engine(), "Nichts mehr da."));
    EXPECT_EQ(world().byteVariables[40], 1);
}

TEST_F(UndoTest, NamesTheUndoneCommandAndDescribesTheRoomLeft) {
    saveUndo(engine());
    world().command.action = 1;
    world().command.object1 = 1;
    world().scene.currentRoom = test::cellarRoom;
    world().selectRoomRecord();
    takeEndOfTurnImage(engine());
    world().command.object1 = 0; // parsing the undo command clears the objects

    undoTurn(engine());
    EXPECT_TRUE(test::shows(engine(), "Zurueck: die Lampe nehmen."));
    EXPECT_TRUE(test::shows(engine(), "Eine hohe Halle."));
    EXPECT_EQ(world().scene.currentRoom, 1);
    EXPECT_EQ(world().command.action, 49);
}

TEST_F(UndoTest, UndoInTheSameRoomDescribesNothing) {
    playTurn(1);
    undoTurn(engine());
    EXPECT_FALSE(test::shows(engine(), "Eine hohe Halle."));
}

// Restart: the undo memory goes, the initial image comes back, and the game
// start ends with an end-of-turn image.
TEST_F(UndoTest, NothingToUndoRightAfterARestart) {
    playTurn(1);
    playTurn(2);
    freeUndo(engine());
    restoreInitialImage(engine());
    takeEndOfTurnImage(engine());
    EXPECT_FALSE(hasUndo(engine()));
    undoTurn(engine());
    EXPECT_TRUE(test::shows(engine(), "Nichts mehr da."));
    EXPECT_EQ(world().byteVariables[40], 0);
}

} // namespace
} // namespace rux
