// Saved games in a folder of their own: round trips, the question before
// replacing a file, refused and manipulated files, and saves that fail.

#include "engine/session/saved_games.h"
#include "engine/session/undo.h"
#include "tests/session/save_story.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace rux {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Where the holder of object 2 lies in the file: after the label, the five
// counts, three score slots, three object points, two room points and
// object 1 (seven places, article and gender, two properties).
constexpr std::size_t secondHolderAt = 9 + 5 + 3 + 3 + 2 + 10;

class SavedGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("rux-saves-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    Engine& engine() { return **test; }
    World& world() { return test->world(); }
    uint8_t& errorCode() { return world().byteVariables[14]; }

    // Moves the game on after a save, so that a restore has something to do.
    void changeTheGame() {
        world().objects[2].holder = 3;
        world().byteVariables[40] = 77;
        world().scene.turnCounter = 12;
        world().objectFlags[2].insert(3);
    }

    fs::path folder;
    std::unique_ptr<test::TestEngine> test = test::loadSaveStory();
};

TEST_F(SavedGameTest, SaveChangeRestoreComesBackToTheSavedGame) {
    world().objects[1].holder = 2;
    world().byteVariables[33] = 2;
    ASSERT_TRUE(saveGame(engine(), path("spiel.sav")));
    EXPECT_TRUE(test::shows(engine(), "Spielstand erfolgreich abgespeichert."));
    EXPECT_EQ(fileBytes(folder / "spiel.sav").size(), 9 + 5 + computeStateSize(engine()) + 5);
    World saved = world();
    saved.byteVariables[33] = 0; // the game-end code starts afresh

    changeTheGame();
    saveUndo(engine());
    engine().text.footnoteCount = 2;
    ASSERT_TRUE(restoreGame(engine(), path("spiel.sav")));
    EXPECT_TRUE(test::shows(engine(), "Spielstand erfolgreich geladen."));
    test::expectSameState(saved, world());
    EXPECT_EQ(engine().text.footnoteCount, 0);
    EXPECT_FALSE(hasUndo(engine()));
    EXPECT_EQ(errorCode(), 0);
}

TEST_F(SavedGameTest, AnExistingFileIsReplacedOnlyAfterYes) {
    ASSERT_TRUE(saveGame(engine(), path("spiel.sav")));
    const std::vector<uint8_t> first = fileBytes(folder / "spiel.sav");
    changeTheGame();

    test->host.keys = {'N'};
    EXPECT_TRUE(saveGame(engine(), path("spiel.sav")));
    EXPECT_TRUE(test::shows(engine(), "Soll sie überschrieben werden?"));
    EXPECT_TRUE(test::shows(engine(), "Vorgang abgebrochen."));
    EXPECT_EQ(fileBytes(folder / "spiel.sav"), first);

    test->host.keys = {'J'};
    EXPECT_TRUE(saveGame(engine(), path("spiel.sav")));
    EXPECT_NE(fileBytes(folder / "spiel.sav"), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(SavedGameTest, AChangedHolderFailsTheCheckAndTheGameGoesOn) {
    ASSERT_TRUE(saveGame(engine(), path("spiel.sav")));
    std::vector<uint8_t> bytes = fileBytes(folder / "spiel.sav");
    ASSERT_EQ(bytes[secondHolderAt], 1);
    bytes[secondHolderAt] = 2;
    writeBytes(folder / "spiel.sav", bytes);
    changeTheGame();
    saveUndo(engine());
    World before = world();
    const StateImage endOfTurn = engine().saves.fileImage;

    restoreGame(engine(), path("spiel.sav"));
    EXPECT_TRUE(test::shows(
        engine(), "Fehler beim Lesen. Datei vermutlich manipuliert. Vorgang abgebrochen."));
    EXPECT_EQ(errorCode(), 99);
    before.byteVariables[14] = 99;
    test::expectSameState(before, world());
    EXPECT_EQ(engine().saves.fileImage, endOfTurn);
    EXPECT_TRUE(hasUndo(engine()));
}

TEST_F(SavedGameTest, FilesOfAnotherShapeAreRefusedWithTheWorldUnchanged) {
    ASSERT_TRUE(saveGame(engine(), path("spiel.sav")));
    const std::vector<uint8_t> good = fileBytes(folder / "spiel.sav");
    const std::vector<std::pair<const char*, std::function<void(std::vector<uint8_t>&)>>> damages =
        {
            {"cut short", [](auto& b) { b.pop_back(); }},
            {"one byte more", [](auto& b) { b.push_back(0); }},
            {"empty", [](auto& b) { b.clear(); }},
            {"another story", [](auto& b) { b[0] = 'X'; }},
            {"other counts", [](auto& b) { b[9] = 4; }},
        };
    changeTheGame();
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        std::vector<uint8_t> bytes = good;
        damage(bytes);
        writeBytes(folder / "spiel.sav", bytes);
        errorCode() = 0;
        const World before = world();
        EXPECT_TRUE(restoreGame(engine(), path("spiel.sav")));
        EXPECT_EQ(errorCode(), 99);
        errorCode() = 0;
        test::expectSameState(before, world());
    }
    EXPECT_TRUE(
        test::shows(engine(), "Fehler beim Lesen: Falsches Dateiformat. Vorgang abgebrochen"));
}

TEST_F(SavedGameTest, AMissingFileIsAnIoFailure) {
    EXPECT_FALSE(restoreGame(engine(), path("fehlt.sav")));
    EXPECT_EQ(errorCode(), 99);
    EXPECT_TRUE(test::shows(engine(), "Vermutlich existiert die Datei nicht."));
}

// The window asks before it throws away turns played since the last save
// or restore; only a successful one counts.
TEST_F(SavedGameTest, OnlyASuccessfulSaveOrRestoreClearsUnsavedProgress) {
    bool& unsaved = engine().saves.unsavedProgress;
    unsaved = true;
    EXPECT_FALSE(restoreGame(engine(), path("fehlt.sav")));
    EXPECT_TRUE(unsaved);
    test->host.keys = {'J'};
    EXPECT_FALSE(saveGame(engine(), path("fehlt/spiel.sav")));
    EXPECT_TRUE(unsaved);
    ASSERT_TRUE(saveGame(engine(), path("spiel.sav")));
    EXPECT_FALSE(unsaved);
    unsaved = true;
    ASSERT_TRUE(restoreGame(engine(), path("spiel.sav")));
    EXPECT_FALSE(unsaved);
}

// Root may write anywhere, so the failures come from names that cannot be
// created at all.
TEST_F(SavedGameTest, AFailedSaveIsReportedAndKeepsTheOldFile) {
    writeBytes(folder / "datei", {1});
    const std::string longName(252, 'a'); // no room left for a temporary name beside it
    writeBytes(folder / longName, {1, 2, 3});
    for (const std::string& target :
         {path("fehlt/spiel.sav"), path("datei/spiel.sav"), path(longName)}) {
        SCOPED_TRACE(target);
        errorCode() = 0;
        test->host.keys = {'J'};
        EXPECT_FALSE(saveGame(engine(), target));
        EXPECT_EQ(errorCode(), 99);
    }
    EXPECT_TRUE(test::shows(engine(), "Fehler beim Schreiben. Vorgang abgebrochen."));
    EXPECT_FALSE(test::shows(engine(), "erfolgreich"));
    EXPECT_EQ(fileBytes(folder / longName), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

} // namespace
} // namespace rux
