// The window's logic that needs no widgets: line heights, text box
// placement, key codes of key questions, the text a turn added.

#include "ui/accessibility.h"
#include "ui/box_lines.h"
#include "ui/key_codes.h"
#include "ui/window_look.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace rux::ui {
namespace {

TEST(WindowLayout, LineHeightRoundsHalvesToEven) {
    const struct {
        int fontHeight;
        double spacing;
        int expected;
    } cases[] = {{10, 1.2, 12}, {15, 1.1, 16}, {5, 1.5, 8},
                 {7, 1.5, 10},  {13, 1.0, 13}, {1, 0.1, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(lineHeightFor(c.fontHeight, c.spacing), c.expected)
            << c.fontHeight << " x " << c.spacing;
}

TEST(WindowLayout, OutputLayoutFitsWholeLinesBetweenTheMargins) {
    WindowLook look = WindowLook::from(DisplayOptions{});
    look.lineHeight = 20;
    EXPECT_EQ(look.outputLayout(QSize(512, 419)).visibleLines, 20);
    EXPECT_EQ(look.outputLayout(QSize(512, 419)).wrapWidth, 500);
    EXPECT_EQ(look.outputLayout(QSize(512, 5000)).visibleLines, 80);
    EXPECT_EQ(look.outputLayout(QSize(5, 5)).visibleLines, 1);
    EXPECT_EQ(look.outputLayout(QSize(5, 5)).wrapWidth, 1);
    EXPECT_EQ(look.charWidths[0]['A'],
              QFontMetrics(look.font(TextStyle::Normal)).horizontalAdvance('A'));
    EXPECT_EQ(look.charWidths[2][10], 0);
}

TEST(WindowLayout, BoxLinesAlignByTheirMarker) {
    // Every character 10 pixels wide.
    const auto widthOf = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    const BoxPlacement box =
        placeBox({"<links", ".mitte", ">rechts", "ohne", "<<"}, 300, 6, widthOf);
    EXPECT_EQ(box.width, 6 * 10 + 12); // "rechts", the widest without its marker
    EXPECT_EQ(box.left, (300 - 72) / 2);
    const struct {
        const char* text;
        int x;
    } expected[] = {
        {"links", 6}, {"mitte", (72 - 60) / 2}, {"rechts", 72 - 6 - 70}, {"ohne", 6}, {"<", 6}};
    ASSERT_EQ(box.lines.size(), std::size(expected));
    for (std::size_t i = 0; i < box.lines.size(); ++i) {
        EXPECT_EQ(box.lines[i].text, expected[i].text);
        EXPECT_EQ(box.lines[i].x, expected[i].x) << expected[i].text;
    }
}

TEST(WindowLayout, KeyQuestionCodes) {
    const struct {
        int key;
        QString text;
        std::optional<int> code;
    } cases[] = {{Qt::Key_J, "j", 'J'},        {Qt::Key_Adiaeresis, QString::fromUtf8("ä"), 0xC4},
                 {Qt::Key_Escape, "\x1b", 27}, {Qt::Key_Return, "\r", 13},
                 {Qt::Key_1, "1", '1'},        {Qt::Key_Shift, "", std::nullopt},
                 {Qt::Key_Question, "?", '?'}};
    for (const auto& c : cases)
        EXPECT_EQ(keyQuestionCode(c.key, c.text), c.code) << c.text.toStdString();
}

TEST(WindowLayout, AddedTextSurvivesTheLogLosingItsStart) {
    EXPECT_EQ(addedText("alt\n> ", "alt\n> neu\nAntwort"), "neu\nAntwort");
    EXPECT_EQ(addedText("erste\nzweite\n> ", "zweite\n> neu\n"), "neu\n");
    EXPECT_EQ(addedText("", "alles"), "alles");
}

} // namespace
} // namespace rux::ui
