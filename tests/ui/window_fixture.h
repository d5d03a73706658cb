#pragma once
// A main window playing the demo story on the offscreen platform, with its
// message boxes, questions and file dialogs answered by the test, and a
// helper that answers the engine's waits (paging prompt, key question) from
// inside their nested event loops.

#include "engine/text/output.h"
#include "ui/engine_access.h"
#include "ui/input_line.h"
#include "ui/main_window.h"
#include "ui/more_form.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace rux::ui::test {

// Sends queued keys to whichever wait is open.
class WaitAnswers {
  public:
    explicit WaitAnswers(Tmainform& window) : window_(window) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }
    std::deque<Qt::Key> keys;
    int pagingPrompts = 0;
    int keyQuestions = 0;
    std::function<void()> whileWaiting; // runs once at the first wait

  private:
    void answer() {
        const bool paging = window_.moreform()->waiting();
        if (!paging && !window_.waitingForKey()) return;
        if (whileWaiting) std::exchange(whileWaiting, nullptr)();
        if (keys.empty()) return;
        const Qt::Key key = keys.front();
        keys.pop_front();
        if (paging) {
            ++pagingPrompts;
            QTest::keyClick(window_.moreform(), key);
        } else {
            ++keyQuestions;
            QTest::keyClick(window_.textarea(), key);
        }
    }
    Tmainform& window_;
    QTimer timer_;
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { open({RUX_DEMO_STORY}, QSize(600, 500)); }

    void open(const QStringList& arguments, QSize size) {
        window = std::make_unique<Tmainform>(arguments, WindowSettings{});
        window->dialogs.message = [this](const QString& text) { messages.push_back(text); };
        window->dialogs.confirm = [this](const QString& question) {
            questions.push_back(question);
            return confirmAnswer;
        };
        window->dialogs.chooseFile = [this](FileChoice, const QString&) { return chosenFile; };
        window->dialogs.storeSettings = [this](const WindowSettings& s) { stored.push_back(s); };
        window->resize(size);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        waitUntil([&] { return window->storyLoaded() || !messages.empty(); });
    }

    static void waitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i)
            QTest::qWait(5);
    }

    void type(const QString& command) {
        window->inputline()->setText(command);
        QTest::keyClick(window->inputline(), Qt::Key_Return);
    }
    void key(Qt::Key key) { QTest::keyClick(window->inputline(), key); }
    std::string scrollback() { return scrollbackText(window->engine()); }

    std::unique_ptr<Tmainform> window;
    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<WindowSettings> stored;
    bool confirmAnswer = true;
    QString chosenFile;
};

} // namespace rux::ui::test
