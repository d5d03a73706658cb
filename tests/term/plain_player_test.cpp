#include "engine/engine.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "storykit/story_writer.h"
#include "term/plain_host.h"
#include "term/plain_player.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace rux::term {
namespace {

using storykit::Assembler;
using storykit::byteVar;
using storykit::cond;
using storykit::eq;
using storykit::num;

namespace fs = std::filesystem;

// A story file written to the test's temporary folder.
class StoryFile {
  public:
    StoryFile(const storykit::Story& story, const std::string& name)
        : path_(fs::path(::testing::TempDir()) / name) {
        const std::vector<uint8_t> bytes = storykit::writeStory(story);
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ~StoryFile() { fs::remove(path_); }
    std::string path() const { return path_.string(); }

  private:
    fs::path path_;
};

struct PlayResult {
    int status;
    std::string out;
    std::string err;
};

PlayResult play(const std::string& storyPath, const std::string& input, int width = 40) {
    PlayerOptions options;
    options.width = width;
    options.seed = 1;
    options.arguments = {storyPath};
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runPlainPlayer(options, in, out, err);
    return {status, out.str(), err.str()};
}

// Compares with a checked-in file; RUX_UPDATE_EXPECTED=1 writes it instead.
void expectOutputFile(const std::string& actual, const std::string& name) {
    const fs::path file = fs::path(RUX_TERM_EXPECTED_DIR) / name;
    if (std::getenv("RUX_UPDATE_EXPECTED") != nullptr) {
        std::ofstream(file, std::ios::binary) << actual;
        return;
    }
    std::ifstream expected(file, std::ios::binary);
    ASSERT_TRUE(expected) << "missing " << file;
    std::stringstream text;
    text << expected.rdbuf();
    EXPECT_EQ(actual, text.str()) << "differs from " << file;
}

// The start routine prints a paragraph long enough to wrap, asks a yes/no
// question and answers it; with `quits` it then ends the game.
storykit::Story questionStory(bool quits) {
    storykit::Story story;
    story.setText(3, {utf8ToCp1252("Über den Gängen hängt ein schwerer Geruch nach Öl, "
                                   "und die Türen knarren leise."),
                      "Bleibst du?[J//N] ", "Gut, du bleibst.", "Schade."});
    Assembler a;
    a.print(3, 1).emit("paragraph").print(3, 2).emit("askyesno", {byteVar(40)});
    a.if_(cond(eq(byteVar(40), num(1)))).print(3, 3).else_().print(3, 4).end();
    a.emit("paragraph");
    if (quits) a.emit("quit");
    story.addRoutine(a.finish());
    return story;
}

// Golden runs: answers skip lines without an allowed key, commands are echoed
// after the prompt, the unfinished last line closes the output.
TEST(PlainPlayer, PlaysAStoryLineByLine) {
    const StoryFile story(questionStory(false), "plain_question.vux");
    const PlayResult run = play(story.path(), "\nx\nnein\n\nschau\nnimm alles\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    expectOutputFile(run.out, "question_then_commands.txt");
}

TEST(PlainPlayer, AQuestionAtTheEndOfInputIsAnsweredWithEscape) {
    const StoryFile story(questionStory(false), "plain_escape.vux");
    const PlayResult run = play(story.path(), "");
    EXPECT_EQ(run.status, 0);
    expectOutputFile(run.out, "question_at_end_of_input.txt");
}

TEST(PlainPlayer, AStoryThatCannotBePlayedFailsWithTheLoadersMessage) {
    const PlayResult missing = play("/nonexistent/raum.vux", "schau\n");
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("kann nicht geöffnet werden"), std::string::npos) << missing.err;

    const fs::path garbage = fs::path(::testing::TempDir()) / "plain_garbage.vux";
    std::ofstream(garbage, std::ios::binary) << "kein Spiel";
    const PlayResult broken = play(garbage.string(), "schau\n");
    fs::remove(garbage);
    EXPECT_NE(broken.status, 0);
    EXPECT_FALSE(broken.err.empty());
}

// The host's side of the contract, on an engine of its own.
class PlainHostTest : public ::testing::Test {
  protected:
    std::istringstream in;
    std::ostringstream out, err;
    PlainHost host{in, out, err};
    Engine engine{host};
};

TEST_F(PlainHostTest, KeysAndFileNamesComeFromTheNextLines) {
    in.str("\n\xC3\xBC"
           "ber\r\n\nspielstand\n\n");
    EXPECT_EQ(host.readKey(), 0xFC); // ü, upper-cased by the engine
    EXPECT_EQ(host.chooseFile(FileChoice::SaveGame, "x"), std::nullopt); // empty cancels
    EXPECT_EQ(host.chooseFile(FileChoice::SaveGame, "x"), "spielstand");
    EXPECT_EQ(host.readKey(), 27); // an empty line, then the end of input
    EXPECT_EQ(host.chooseFile(FileChoice::RestoreGame, "x"), std::nullopt);
}

TEST_F(PlainHostTest, FinishedLinesLeaveAtOnceWithoutStyleBytesInUtf8) {
    outputText(engine, utf8ToCp1252("\x02Tür\x01 zu\nhalb"));
    EXPECT_EQ(out.str(), "T\xC3\xBCr zu\n");
    host.showMessage(utf8ToCp1252("Warnung:\nÄrger"));
    EXPECT_EQ(err.str(), "Warnung:\n\xC3\x84rger\n");
}

} // namespace
} // namespace rux::term
