#pragma once
// The player's display preferences and file history as the window keeps
// them while it runs: read from the settings file at start, edited by the
// display options dialog, written back when the window closes.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <array>

namespace rux::ui {

// The five text styles, in the order the settings file and the display
// options dialog number them (1 to 5 there, 0 to 4 here).
enum class TextStyle { Normal = 0, Bold, Input, Status, Scroll };
inline constexpr int kTextStyleCount = 5;

// Style bits of a font as the settings file stores them.
inline constexpr int kBoldBit = 1;
inline constexpr int kItalicBit = 2;
inline constexpr int kUnderlineBit = 4;

// A style's font: the family the player chose (kept even where the system
// substitutes another), its size in points, its style bits and its colour.
struct StyleFont {
    QString name;
    int pointSize = 10;
    int styleBits = 0;
    QColor colour;
    bool operator==(const StyleFont&) const = default;
};

// What the display options dialog edits.
struct DisplayOptions {
    std::array<StyleFont, kTextStyleCount> fonts{{
        {"Verdana", 10, 0, QColor(0, 0, 0)},
        {"Verdana", 10, kBoldBit, QColor(0, 0x80, 0)},
        {"Courier New", 11, 0, QColor(0, 0, 0x80)},
        {"Verdana", 10, 0, QColor(0xFF, 0xFF, 0xFF)},
        {"Verdana", 10, 0, QColor(0, 0, 0)},
    }};
    QColor textBackground{0xFF, 0xFF, 0xFF}; // text area and input field
    QColor statusBackground{0, 0, 0};
    QColor scrollBackground{0xFF, 0xFF, 0xFF};
    int margin = 6;           // pixels free left and right of the text
    double lineSpacing = 1.2; // line height over font height

    const StyleFont& font(TextStyle style) const { return fonts[static_cast<int>(style)]; }
    StyleFont& font(TextStyle style) { return fonts[static_cast<int>(style)]; }
    bool operator==(const DisplayOptions&) const = default;
};

// The four most recently opened stories, most recent first; an empty
// string is a free entry.
using FileHistory = std::array<QString, 4>;

// Everything the settings file holds.
struct WindowSettings {
    DisplayOptions display;
    QRect geometry{418, 105, 607, 604}; // left, top, width, height
    bool toolbarVisible = true;
    FileHistory history;
    bool operator==(const WindowSettings&) const = default;
};

// The ranges every display value is kept in, wherever it comes from
// (settings file or dialog); a value outside takes its default. They make
// sure the window always has at least one line of text that fits.
inline constexpr int kMinPointSize = 1;
inline constexpr int kMaxPointSize = 200;
inline constexpr int kMinMargin = 0;
inline constexpr int kMaxMargin = 1000;
inline constexpr int kMinLineSpacingPercent = 50;
inline constexpr int kMaxLineSpacingPercent = 300;
inline constexpr int kMinVisibleLines = 1;
inline constexpr int kMaxVisibleLines = 80;

// The options with every value out of range (or a font without a name, or
// an invalid colour) replaced by its default, colours made opaque RGB and
// style bits outside the three known ones dropped.
DisplayOptions sanitised(const DisplayOptions& options);

// The window's font for a style: family, point size and style bits.
QFont toQFont(const StyleFont& font);

// Layout helpers for the window: the wrap width never drops below one pixel
// and the number of visible lines stays within kMinVisibleLines and
// kMaxVisibleLines, however small the window or large the margin.
int wrapWidthFor(int textAreaWidth, int margin);
int visibleLinesFor(int textAreaHeight, int lineHeight);

} // namespace rux::ui
