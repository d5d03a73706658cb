#include "engine/text/output.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <fstream>

namespace rux::ui::test {
namespace {

TEST_F(WindowTest, OpensTheStoryAndWaitsForACommand) {
    ASSERT_TRUE(window->storyLoaded());
    EXPECT_TRUE(window->inputline()->isVisible());
    EXPECT_TRUE(window->windowTitle().endsWith(" - WinRUX"));
    EXPECT_NE(scrollback().find("Vorgarten"), std::string::npos);
    // The input line sits after the prompt on the bottom line.
    const OutputBuffer& out = window->engine().output;
    EXPECT_EQ(window->inputline()->y(), (out.currentLine - 1) * window->look().lineHeight);
    EXPECT_EQ(window->inputline()->x(), out.lineWidth + window->look().margin());
}

TEST_F(WindowTest, HistoryKeepsTwentyAndBrowsesBackToTheTypedLine) {
    for (int i = 1; i <= 21; ++i)
        type(QStringLiteral("x%1").arg(i));
    window->inputline()->setText("halb");
    for (int i = 0; i < 25; ++i)
        key(Qt::Key_Up);
    EXPECT_EQ(window->inputline()->text(), "x2"); // x1 was dropped; Up stops at the oldest
    for (int i = 0; i < 19; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(window->inputline()->text(), "x21");
    key(Qt::Key_Down);
    EXPECT_EQ(window->inputline()->text(), "halb");
}

TEST_F(WindowTest, KeysTypedIntoTheTextAreaGoToTheInputLine) {
    window->textarea()->setFocus();
    QTest::keyClicks(window->textarea(), "inv");
    QTest::keyClick(window->textarea(), Qt::Key_Escape); // left alone by the input line
    QTest::keyClick(window->textarea(), Qt::Key_Tab);
    EXPECT_EQ(window->inputline()->text(), "inv");
    QTest::keyClick(window->textarea(), Qt::Key_Return);
    EXPECT_NE(scrollback().find("> inv\n"), std::string::npos);
}

TEST_F(WindowTest, EnterEchoesInTheInputStyleAndEmptyLinesDoNothing) {
    const std::string before = scrollback();
    type("");
    EXPECT_EQ(scrollback(), before);
    type("inventar");
    EXPECT_NE(scrollback().find("> inventar\n"), std::string::npos);
    bool echoed = false;
    const OutputBuffer& out = window->engine().output;
    for (int line = 1; line <= out.currentLine; ++line)
        echoed = echoed || out.screenLines[line].find("\x03inventar\x01") != std::string::npos;
    EXPECT_TRUE(echoed);
    EXPECT_TRUE(window->inputline()->text().isEmpty());
}

TEST_F(WindowTest, FunctionKeysSendTheirTextAndAnEmptyOneNothing) {
    window->engine().world.functionKeyCommands[1] = "inventar";
    window->engine().world.functionKeyCommands[4] = "";
    const std::string before = scrollback();
    key(Qt::Key_F5);
    EXPECT_EQ(scrollback(), before);
    key(Qt::Key_F2);
    EXPECT_NE(scrollback().find("> inventar"), std::string::npos);
    key(Qt::Key_Up);
    EXPECT_EQ(window->inputline()->text(), "inventar");
}

TEST_F(WindowTest, GameCommandsFollowTheScrollbackAndTheEngine) {
    const WindowActions& a = window->actions();
    const auto gameCommandsEnabled = [&] {
        return a.restartgame->isEnabled() && a.savespeed->isEnabled() &&
               a.transcript->isEnabled() && a.restorespeed->isEnabled();
    };
    EXPECT_TRUE(gameCommandsEnabled());
    QTest::keyClick(window->inputline(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(window->scrollbackShowing());
    EXPECT_FALSE(gameCommandsEnabled());
    EXPECT_TRUE(a.showscrollback->isEnabled() && a.scrollspeed->isEnabled());
    EXPECT_TRUE(a.showscrollback->isChecked());
    EXPECT_TRUE(window->scrollback()->toPlainText().contains("Vorgarten"));
    EXPECT_TRUE(window->scrollback()->textCursor().atEnd());
    QTest::keyClick(window->scrollback(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(window->scrollbackShowing());
    EXPECT_TRUE(gameCommandsEnabled());

    // While the engine waits for a key nothing else may reach it.
    WaitAnswers answers(*window);
    answers.keys = {Qt::Key_N};
    bool swapDuringWait = true;
    bool gameDuringWait = true;
    answers.whileWaiting = [&] {
        swapDuringWait = a.showscrollback->isEnabled();
        gameDuringWait = gameCommandsEnabled();
    };
    window->restartgameClick();
    EXPECT_EQ(answers.keyQuestions, 1);
    EXPECT_FALSE(swapDuringWait);
    EXPECT_FALSE(gameDuringWait);
    EXPECT_TRUE(gameCommandsEnabled());
    EXPECT_NE(scrollback().find("> neu\n"), std::string::npos);
}

TEST_F(WindowTest, KeyQuestionTakesLettersAndRefusesOthers) {
    type("schau unter die fußmatte");
    ASSERT_TRUE(window->engine().saves.unsavedProgress);
    WaitAnswers answers(*window);
    answers.keys = {Qt::Key_Q, Qt::Key_J};
    type("neu");
    EXPECT_EQ(answers.keyQuestions, 2);
    EXPECT_FALSE(window->engine().saves.unsavedProgress); // the game started again
}

TEST_F(WindowTest, PagingPromptWaitsForEnterOrSpace) {
    window->resize(600, 180);
    QTest::qWait(20);
    WaitAnswers answers(*window);
    answers.keys = {Qt::Key_A,      Qt::Key_Space,  Qt::Key_Return, Qt::Key_Return,
                    Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return};
    type("schau");
    ASSERT_GE(answers.pagingPrompts, 3);
    // The A left the first prompt open; Space and each Enter closed one.
    EXPECT_EQ(window->moreform()->timesShown(), answers.pagingPrompts - 1);
    EXPECT_FALSE(window->moreform()->isVisible());
    EXPECT_TRUE(window->inputline()->isVisible());
}

TEST_F(WindowTest, ResizeLaysTheTextOutAgainWithoutDuplicates) {
    QTemporaryDir folder;
    chosenFile = folder.filePath("log.skr");
    type("manuskript");
    type("inventar");
    const std::string before = scrollback();
    const auto transcriptSize = [&] { return QFile(chosenFile).size(); };
    const qint64 written = transcriptSize();
    ASSERT_GT(written, 0);
    const int wrapBefore = window->engine().output.wrapWidth;
    window->resize(400, 450);
    QTest::qWait(20);
    EXPECT_LT(window->engine().output.wrapWidth, wrapBefore);
    EXPECT_EQ(scrollback(), before);
    EXPECT_EQ(transcriptSize(), written);
    EXPECT_EQ(window->inputline()->x(),
              window->engine().output.lineWidth + window->look().margin());
}

TEST_F(WindowTest, ResizeDuringAPromptWaitsUntilItIsAnswered) {
    window->resize(600, 200);
    QTest::qWait(20);
    WaitAnswers answers(*window);
    answers.keys = std::deque<Qt::Key>(12, Qt::Key_Return);
    int wrapDuringWait = 0;
    int wrapBefore = window->engine().output.wrapWidth;
    answers.whileWaiting = [&] {
        window->resize(350, 200);
        QCoreApplication::processEvents();
        wrapDuringWait = window->engine().output.wrapWidth;
    };
    type("schau");
    EXPECT_EQ(wrapDuringWait, wrapBefore);
    EXPECT_LT(window->engine().output.wrapWidth, wrapBefore);
}

TEST_F(WindowTest, AStoryThatCannotBeOpenedKeepsTheRunningGame) {
    type("inventar");
    QTemporaryDir folder;
    const QString garbage = folder.filePath("kaputt.vux");
    std::ofstream(garbage.toStdString()) << "kein Spiel";
    const std::string before = scrollback();
    const QString title = window->windowTitle();
    for (const QString& path : {folder.filePath("fehlt.vux"), garbage}) {
        messages.clear();
        EXPECT_FALSE(window->openStory(path));
        EXPECT_EQ(messages.size(), 1u) << path.toStdString();
        EXPECT_EQ(scrollback(), before);
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_TRUE(window->settings().history[0].isEmpty());
        EXPECT_TRUE(window->inputline()->isVisible());
    }
    key(Qt::Key_Up);
    EXPECT_EQ(window->inputline()->text(), "inventar");
    EXPECT_TRUE(window->openStory(RUX_DEMO_STORY));
    EXPECT_EQ(window->settings().history[0], RUX_DEMO_STORY);
}

TEST_F(WindowTest, ClosingAsksOnlyWhenProgressWouldBeLost) {
    window->close();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(stored.size(), 1u);

    stored.clear();
    open({RUX_DEMO_STORY}, QSize(600, 500));
    type("schau unter die fußmatte");
    confirmAnswer = false;
    window->close();
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(stored.empty());
}

TEST_F(WindowTest, QuittingFromTheGameStoresTheSettings) {
    type("schau unter die fußmatte");
    WaitAnswers answers(*window);
    answers.keys = {Qt::Key_J, Qt::Key_Return};
    type("ende");
    waitUntil([&] { return !window->isVisible(); });
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(stored.size(), 1u);
}

TEST_F(WindowTest, FontSizeKeysChangeTheStoredSizesAndTheLayout) {
    const int lineHeight = window->look().lineHeight;
    QTest::keyClick(window->inputline(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(window->settings().display.font(TextStyle::Normal).pointSize, 11);
    EXPECT_GT(window->look().lineHeight, lineHeight);
    QTest::keyClick(window->inputline(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window->settings().display.font(TextStyle::Input).pointSize, 11);
}

TEST_F(WindowTest, ScreenReadersAndCopyGetTheShownTextAndTheLastTurn) {
    type("inventar");
    EXPECT_EQ(window->lastTurnText(), "Du hast nichts bei dir.");
    EXPECT_EQ(window->textarea()->accessibleDescription(), window->lastTurnText());
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(window->textarea());
    ASSERT_NE(area, nullptr);
    ASSERT_NE(area->textInterface(), nullptr)
        << area->object()->metaObject()->className() << " role " << area->role();
    const QString shown = area->textInterface()->text(0, area->textInterface()->characterCount());
    EXPECT_TRUE(shown.contains("> inventar\nDu hast nichts bei dir.")) << shown.toStdString();
    QTest::keyClick(window->inputline(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), window->lastTurnText());
}

} // namespace
} // namespace rux::ui::test

namespace rux::ui::test {
namespace {

// Whether any pixel of the colour lies in the columns [from, to).
bool paintedIn(const QImage& image, const QColor& colour, int from, int to) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < to; ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

TEST_F(WindowTest, StatusLineShowsItsTextsAndVanishesWithoutLines) {
    World& world = window->engine().world;
    world.byteVariables[20] = 2; // two status lines
    world.byteVariables[22] = 1; // room title, left
    world.byteVariables[23] = 0; // nothing in the centre
    world.byteVariables[24] = 4; // score and turns, right
    type("schau");
    QWidget* statusline = window->findChild<QWidget*>("statusline");
    ASSERT_NE(statusline, nullptr);
    EXPECT_EQ(statusline->height(), 2 * window->look().statusLineHeight);
    const QImage image = statusline->grab().toImage();
    const QColor text = window->look().colour(TextStyle::Status);
    const int third = image.width() / 3;
    EXPECT_TRUE(paintedIn(image, text, 0, third));
    EXPECT_FALSE(paintedIn(image, text, third, 2 * third));
    EXPECT_TRUE(paintedIn(image, text, 2 * third, image.width()));

    world.byteVariables[20] = 0;
    window->fitStatusLine();
    EXPECT_EQ(statusline->height(), 0);
    EXPECT_EQ(window->textarea()->y(),
              window->findChild<QWidget*>("textpanel")->contentsRect().y());
}

} // namespace
} // namespace rux::ui::test

namespace rux::ui::test {
namespace {

TEST_F(WindowTest, AStoryOnTheCommandLineThatCannotBeOpenedIsReportedOnce) {
    open({"/nicht/da.vux"}, QSize(600, 500));
    QTest::qWait(20);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(window->storyLoaded());
    EXPECT_FALSE(window->inputline()->isVisible());
    EXPECT_FALSE(window->actions().restartgame->isEnabled());
    EXPECT_FALSE(window->actions().showscrollback->isEnabled());
}

TEST_F(WindowTest, OpeningAndClosingDuringAWaitHappenOnceTheEngineIsIdle) {
    type("schau unter die fußmatte");
    WaitAnswers answers(*window);
    answers.keys = {Qt::Key_N};
    bool openedAtOnce = true;
    answers.whileWaiting = [&] {
        openedAtOnce = window->openStory(RUX_DEMO_STORY);
        window->close();
    };
    type("neu");
    EXPECT_FALSE(openedAtOnce);
    EXPECT_EQ(window->settings().history[0], RUX_DEMO_STORY); // opened after the turn
    EXPECT_EQ(questions.size(), 1u); // progress would have been lost by opening
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace rux::ui::test

namespace rux::ui::test {
namespace {

TEST_F(WindowTest, ACancelledSaveLeavesTheWindowReadyAndCtrlQCloses) {
    QTest::keyClick(window->inputline(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(scrollback().find("> speichern\n"), std::string::npos);
    EXPECT_TRUE(window->inputline()->isVisible());
    QTest::keyClick(window->inputline(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored.size(), 1u);
}

} // namespace
} // namespace rux::ui::test
