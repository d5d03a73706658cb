// The rux program itself: its command line, batch mode when it runs without
// a terminal, and the full-screen player driven through tmux.

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Result {
    int status;
    std::string out;
};

// Runs a shell command; its standard output and exit status.
Result shell(const std::string& command) {
    Result result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string player = RUX_PLAYER;
const std::string story = RUX_EXAMPLE_STORY;

TEST(RuxProgram, WithoutAStoryItPrintsItsUsage) {
    const Result run = shell(player + " 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("Aufruf: rux"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Das mitgelieferte Spiel: rux "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("demo.vux"), std::string::npos) << run.out;
}

TEST(RuxProgram, WithoutATerminalItPlaysLineByLine) {
    const Result piped = shell("printf 'schau\\n' | " + player + " --seed 3 " + story);
    const Result plain = shell("printf 'schau\\n' | " + player + " --plain --seed 3 " + story);
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, plain.out);
    EXPECT_NE(piped.out.find("schau"), std::string::npos) << piped.out;
}

// The full-screen player in a detached tmux session of its own.
class CursesPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (shell("command -v tmux >/dev/null 2>&1").status != 0)
            GTEST_SKIP() << "tmux is not installed: the full-screen player is not tested";
        socket_ = "rux-test-" + std::to_string(::getpid());
        tmux("new-session -d -s rux -x 60 -y 16 \"" + player + " " + story +
             "; echo EXIT=\\$?; sleep 60\"");
        std::this_thread::sleep_for(std::chrono::seconds(1)); // the player starts up
    }
    void TearDown() override {
        if (!socket_.empty()) tmux("kill-server");
    }

    Result tmux(const std::string& arguments) {
        return shell("tmux -L " + socket_ + " " + arguments + " 2>/dev/null");
    }
    std::string screen() { return tmux("capture-pane -p -t rux").out; }
    void keys(const std::string& keys) { tmux("send-keys -t rux " + keys); }

    // Waits up to five seconds for a text to be on the screen `times` times.
    bool waitFor(const std::string& text, int times = 1) {
        for (int i = 0; i < 50; ++i) {
            if (occurrences(screen(), text) >= times) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "\"" << text << "\" not " << times << " times on:\n" << screen();
        return false;
    }

    static int occurrences(const std::string& screen, const std::string& text) {
        int count = 0;
        for (std::size_t at = screen.find(text); at != std::string::npos;
             at = screen.find(text, at + 1))
            ++count;
        return count;
    }

    std::string socket_;
};

TEST_F(CursesPlayerTest, TakesCommandsWithHistoryAcrossAResizeAndQuits) {
    keys("'schau' Enter");
    waitFor("schau");
    keys("Up"); // the history puts the command back into the field
    waitFor("schau", 2);
    // Edited at the caret, typed and echoed in UTF-8.
    keys("BSpace BSpace BSpace BSpace BSpace 'n' Left '\xc3\xbc' End Enter");
    waitFor("\xc3\xbcn");
    tmux("resize-window -t rux -x 40 -y 12");
    waitFor("\xc3\xbcn");
    EXPECT_EQ(tmux("display -p -t rux '#{pane_width}'").out, "40\n");
    keys("C-c");
    waitFor("EXIT=130");
}

} // namespace
