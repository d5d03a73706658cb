#pragma once
// The full-screen player: the status line at the top, the game text below
// it, the input line at the end of the text, and the engine's waits (paging
// prompt, key questions, file names, messages) answered in the terminal.

#include "engine/host.h"
#include "term/command_history.h"
#include "term/game_session.h"
#include "term/line_editor.h"
#include "term/player_options.h"

#include <string>
#include <vector>

namespace rux {
class Engine;
}

namespace rux::term {

class CursesScreen;
struct KeyEvent;

// Longest file name typed into the file choice.
inline constexpr std::size_t kMaxFileNameLength = 1024;

class CursesPlayer : public Host {
  public:
    explicit CursesPlayer(CursesScreen& screen) : screen_(screen) {}

    // Starts the story and plays until it quits; returns the exit status.
    // Throws FatalError for a faulty story and Interrupted after Ctrl+C.
    int play(Engine& engine, const PlayerOptions& options);

    PagingAnswer pagingPrompt() override;
    int readKey() override;
    void beep() override;
    std::optional<std::string> chooseFile(FileChoice kind, const std::string& suggested) override;
    void showMessage(const std::string& text) override;
    void showTextBox(const std::vector<std::string>& lines) override { textBox_ = lines; }
    void repaint() override { paint(); }
    void repaintStatusLine() override { paint(); }
    void quit() override { quitAsked_ = true; }

  private:
    // What a key pressed now answers; it decides what the screen shows.
    enum class Waiting { Nothing, Command, PagingPrompt, KeyQuestion, FileName, Message };

    void applyLayout(bool again);
    int statusRowsWanted() const;
    void fitStatusLine();
    void paint();
    void paintWaiting(int row, int column);
    KeyEvent nextKey();
    void commandKey(const KeyEvent& key);
    void submit(const std::string& command);
    static bool editKey(LineEditor& editor, const KeyEvent& key);

    CursesScreen& screen_;
    Engine* engine_ = nullptr;
    Waiting waiting_ = Waiting::Nothing;
    LineEditor input_{kMaxCommandLength};
    CommandHistory history_;
    LineEditor fileName_{kMaxFileNameLength};
    std::string fileTitle_;
    std::vector<std::string> textBox_;
    std::vector<std::string> message_;
    int statusRows_ = 0;
    bool quitAsked_ = false;
};

// Runs the full-screen player and restores the terminal on every way out;
// a fatal error's message goes to standard error afterwards.
int runCursesPlayer(const PlayerOptions& options);

} // namespace rux::term
