// The window's widget-free rules: the file history, the placement of a
// stored geometry and the ranges of the display values.

#include "ui/display_settings.h"
#include "ui/file_history.h"
#include "ui/screen_placement.h"

#include <gtest/gtest.h>

namespace rux::ui {
namespace {

FileHistory opened(std::initializer_list<const char*> paths) {
    FileHistory history;
    for (const char* path : paths)
        addToHistory(history, path);
    return history;
}

TEST(FileHistoryOrder, MostRecentFirstWithoutDuplicates) {
    struct Case {
        std::initializer_list<const char*> paths;
        FileHistory expected;
    };
    const Case cases[] = {
        {{"A"}, {"A", "", "", ""}},
        {{"A", "B", "C", "D", "E"}, {"E", "D", "C", "B"}},
        {{"A", "B", "C", "D", "E", "C"}, {"C", "E", "D", "B"}},
        {{"A", "B", "C", "D", "A"}, {"A", "D", "C", "B"}}, // entry 4 moves to the front
        {{"A", "B", "B"}, {"B", "A", "", ""}},
        {{"A", "a"}, {"a", "A", "", ""}}, // exact comparison
        {{"A", ""}, {"A", "", "", ""}},   // an empty path is no story
    };
    for (const Case& c : cases)
        EXPECT_EQ(opened(c.paths), c.expected);
}

TEST(FileHistoryOrder, CaptionsNumberTheEntriesAndShowAmpersands) {
    EXPECT_EQ(historyCaption(1, "/spiele/burg.vux"), "&1: /spiele/burg.vux");
    EXPECT_EQ(historyCaption(4, "Hof & Garten.vux"), "&4: Hof && Garten.vux");
}

TEST(ScreenPlacement, KeepsReachableWindowsAndBringsBackLostOnes) {
    const QRect primary(0, 0, 1920, 1080);
    const QRect second(1920, 0, 1280, 1024);
    const QList<QRect> screens{primary, second};
    struct Case {
        QRect stored;
        QRect expected;
    };
    const Case cases[] = {
        {{418, 105, 607, 604}, {418, 105, 607, 604}},   // on the primary screen
        {{2000, 100, 800, 600}, {2000, 100, 800, 600}}, // on the second screen
        {{1800, 50, 800, 600}, {1800, 50, 800, 600}},   // across both
        {{-500, 300, 607, 604}, {-500, 300, 607, 604}}, // title bar still in reach
        {{3400, 100, 800, 600}, {560, 240, 800, 600}},  // beyond every screen
        {{418, -700, 607, 604}, {656, 238, 607, 604}},  // above the screens
        {{400, -20, 607, 604}, {656, 238, 607, 604}},   // title bar above the top edge
        {{5000, 5000, 4000, 3000}, {0, 0, 1920, 1080}}, // lost and too large
        {{100, 100, 0, 0}, {959, 539, 1, 1}},           // no size at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeOnScreen(c.stored, screens, primary), c.expected) << c.stored.x();
    EXPECT_EQ(placeOnScreen(QRect(3400, 100, 800, 600), {}, QRect()), QRect(3400, 100, 800, 600));
}

TEST(DisplayRanges, DialogAndFileValuesAreKeptSane) {
    DisplayOptions wild;
    wild.font(TextStyle::Bold) = {"", -3, 0x7F, QColor()};
    wild.statusBackground = QColor();
    wild.scrollBackground = QColor::fromHsv(0, 0, 255, 128); // white, half transparent
    wild.margin = -10;
    wild.lineSpacing = 0.0;
    DisplayOptions expected;
    expected.font(TextStyle::Bold).styleBits = kBoldBit | kItalicBit | kUnderlineBit;
    EXPECT_EQ(sanitised(wild), expected);

    DisplayOptions sane;
    sane.margin = 0;
    sane.lineSpacing = 2.5;
    sane.font(TextStyle::Input).pointSize = 1;
    EXPECT_EQ(sanitised(sane), sane);
}

TEST(DisplayRanges, LayoutAlwaysHasALineThatFits) {
    EXPECT_EQ(wrapWidthFor(600, 6), 588);
    EXPECT_EQ(wrapWidthFor(100, 60), 1);
    EXPECT_EQ(wrapWidthFor(-50, 6), 1);
    EXPECT_EQ(visibleLinesFor(500, 20), 25);
    EXPECT_EQ(visibleLinesFor(5, 20), 1);
    EXPECT_EQ(visibleLinesFor(5000, 10), 80);
    EXPECT_EQ(visibleLinesFor(500, 0), 1);
}

} // namespace
} // namespace rux::ui
