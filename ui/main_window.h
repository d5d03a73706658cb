#pragma once
// The main window: the painted status line and text area, the input line,
// the scrollback view, menus and tool bar. It owns the engine and runs it
// on the one thread; while the engine runs (a turn, a paging prompt, a key
// question) nothing re-enters it: game commands are disabled, opening a
// story or closing the window waits until the engine is idle, and a new
// layout is applied only then.

#include "engine/host.h"
#include "term/command_history.h"
#include "ui/display_settings.h"
#include "ui/window_look.h"
#include "ui/window_menus.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QFrame;
class QLabel;
class QPlainTextEdit;

namespace rux {
class Engine;
}

namespace rux::ui {

class InputLine;
class PaintBox;
class Tmoreform;
class WindowDialogs;
class WindowHost;

class Tmainform : public QMainWindow {
    Q_OBJECT
  public:
    // The ways the window asks the player outside the game text; tests
    // replace them so that nothing blocks.
    struct Dialogs {
        std::function<void(const QString&)> message;
        std::function<bool(const QString&)> confirm; // yes or no
        std::function<QString(FileChoice, const QString& suggested)> chooseFile;
        std::function<QString()> chooseStory;
        std::function<void(const WindowSettings&)> storeSettings; // once, at closing
    };

    // `arguments` are the program's arguments without its own name.
    explicit Tmainform(const QStringList& arguments, const WindowSettings& settings);
    ~Tmainform() override;

    Dialogs dialogs;

    Engine& engine() { return *engine_; }
    const WindowSettings& settings() const { return settings_; }
    const WindowLook& look() const { return look_; }
    const WindowActions& actions() const { return actions_; }
    bool engineBusy() const { return busy_ > 0; }
    bool storyLoaded() const { return storyLoaded_; }
    bool hasTextBox() const { return !boxLines_.empty(); }
    bool waitingForKey() const { return keyLoop_ != nullptr; }
    bool scrollbackShowing() const;
    // The text of the last turn, as the player read it (UTF-8).
    const QString& lastTurnText() const { return lastTurnText_; }
    QWidget* textarea() const;
    // The display lines as the player reads them, for screen readers.
    QString shownText() const;
    // The status texts in one line, for screen readers.
    QString statusLineText() const;
    InputLine* inputline() const { return inputline_; }
    Tmoreform* moreform() const { return moreform_; }
    QPlainTextEdit* scrollback() const { return scrollback_; }
    QWidget* displayOptionsDialog() const;

    // Opens a story (asking first when unsaved progress would be lost);
    // false when it could not be opened and the running game goes on.
    bool openStory(const QString& path);
    // Takes new display options: fonts, colours, margin and spacing, then
    // the layout and the text laid out again (once the engine is idle).
    void applyDisplayOptions(const DisplayOptions& options);

    // Called by the engine's host.
    PagingAnswer waitForPagingAnswer();
    int waitForKey();
    void setTextBox(const std::vector<std::string>& lines);
    void repaintTextArea();
    void fitStatusLine();
    void quitFromGame();

    // Handlers, named after their component and event.
    void FormShow();
    void FormResize();
    void textareaPaint(QPainter& painter);
    void statuslinePaint(QPainter& painter);
    bool inputlineKeyDown(QKeyEvent* event);
    bool textareaKeyDown(QKeyEvent* event);
    void openstoryClick();
    void restartgameClick();
    void restoregameClick();
    void savegameClick();
    void transcriptClick();
    void showscrollbackClick();
    void fontandcolorClick();
    void toolbartoggleClick();
    void filehistClick(int index);
    void helpTopicsClick();
    void aboutClick();
    void quitClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildComponents();
    void connectHandlers();
    void startEngine(const QStringList& arguments);
    void computeLayout(bool layOutAgain);
    void placePanel();
    void placeInputLine();
    void submitInput();
    void gameWord(const char* word);
    // Runs engine work; false when it ended in a fatal error.
    bool runEngine(const std::function<void()>& work);
    void engineIdle();
    void whenIdle(std::function<void()> action);
    void updateCommandStates();
    void rebuildHistoryMenu();
    void changeFontSizes(int step);
    void announceTurn(const std::string& scrollbackBefore);
    void readStatusLineAloud();
    bool loadInFreshEngine(const QString& path);
    bool confirmLosingProgress(const QString& question);
    void saveSettings();
    bool wheelTurn(QWheelEvent* event);

    std::unique_ptr<WindowHost> host_;
    std::unique_ptr<Engine> engine_;
    WindowSettings settings_;
    WindowLook look_;
    WindowActions actions_;
    std::unique_ptr<WindowDialogs> windowDialogs_;
    term::CommandHistory history_;
    std::vector<std::string> boxLines_;
    QString helpFile_;
    QString lastTurnText_;

    QFrame* textpanel_ = nullptr;
    PaintBox* statusline_ = nullptr;
    PaintBox* textarea_ = nullptr;
    InputLine* inputline_ = nullptr;
    QFrame* scrollpanel_ = nullptr;
    QPlainTextEdit* scrollback_ = nullptr;
    QLabel* more_ = nullptr;
    Tmoreform* moreform_ = nullptr;

    int busy_ = 0;
    bool started_ = false;
    bool storyLoaded_ = false;
    bool layoutPending_ = false;
    bool quitFromGame_ = false;
    bool fatalEnd_ = false;
    bool settingsSaved_ = false;
    bool forwardingKey_ = false; // a key typed into the text area goes to the input line
    int statusLines_ = 0;
    QEventLoop* keyLoop_ = nullptr;
    std::optional<int> answerKey_;
    std::vector<std::function<void()>> idleActions_;
};

} // namespace rux::ui
