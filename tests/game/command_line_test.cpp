// Typed lines through the turn driver: sentences, parse errors, several
// objects and the prompt.

#include "engine/script/turn_driver.h"
#include "engine/session/undo.h"
#include "engine/world/engine_start.h"
#include "tests/parser/command_world.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

struct CommandLine : ::testing::Test {
    test::CommandWorld world;
    std::unique_ptr<test::TestEngine> t;
    Engine& engine() { return **t; }

    void SetUp() override {
        t = world.load();
        startGame(engine());
    }

    std::string play(const std::string& line) {
        const std::string before = scrollbackText(engine());
        processCommandLine(engine(), line);
        return scrollbackText(engine()).substr(before.size());
    }

    static int count(const std::string& text, const std::string& piece) {
        int n = 0;
        for (std::size_t at = text.find(piece); at != std::string::npos;
             at = text.find(piece, at + 1))
            ++n;
        return n;
    }
};

TEST_F(CommandLine, TwoSentencesAreTwoTurnsWithOnePrompt) {
    const int32_t turns = engine().world.scene.turnCounter;
    const std::string out = play("nimm schwert. nimm apfel");
    EXPECT_EQ(count(out, "<150:"), 1) << out;
    EXPECT_EQ(count(out, "<151:"), 1) << out;
    EXPECT_EQ(count(out, "\n> "), 1) << out;
    EXPECT_EQ(engine().world.scene.turnCounter, turns + 2);
    EXPECT_EQ(engine().world.objects[world.sword].holder, 0);
}

TEST_F(CommandLine, AParseErrorDropsTheRestOfTheLine) {
    const int32_t turns = engine().world.scene.turnCounter;
    const std::string out = play("xyzzy. nimm schwert");
    EXPECT_EQ(count(out, "<150:"), 0) << out;
    EXPECT_EQ(engine().world.scene.turnCounter, turns);
    // The prompt's line stays open for the next command, as at game start.
    EXPECT_EQ(out.substr(out.size() - 3), "\n> ") << out;
}

TEST_F(CommandLine, SeveralObjectsAreNamedEachAndTakeOneUndo) {
    const std::string out = play("nimm schwert und hans");
    EXPECT_NE(out.find("Schwert: "), std::string::npos) << out;
    EXPECT_NE(out.find("Hans: "), std::string::npos) << out;
    EXPECT_NE(out.find("<64:"), std::string::npos) << out; // a person is not taken
    undoTurn(engine());
    EXPECT_FALSE(hasUndo(engine()));
    EXPECT_NE(engine().world.objects[world.sword].holder, 0);
}

} // namespace
} // namespace rux
