#pragma once
// What painting needs of the display options: a font for each text style,
// measured once, and the layout metrics that follow from them.

#include "engine/text/output_buffer.h"
#include "engine/text/output_layout.h"
#include "ui/display_settings.h"

#include <QFont>
#include <QSize>
#include <array>

namespace rux::ui {

// Rounds the font height times the line spacing to whole pixels, halves to
// the even neighbour.
int lineHeightFor(int fontHeight, double lineSpacing);

// The Qt font of a style; a family that is not installed is substituted by
// Qt while the settings keep the name the player chose.
QFont fontFor(const StyleFont& style);

// The pixel width of each Windows-1252 byte in a font; 0 for bytes 0 to 31,
// at most 255.
CharWidthTable measureCharWidths(const QFont& font);

struct WindowLook {
    DisplayOptions options;
    std::array<QFont, kTextStyleCount> fonts;
    int lineHeight = 1;       // a text line: "jKl" in the normal font times the spacing
    int statusLineHeight = 1; // the same in the status line's font
    std::array<CharWidthTable, 3> charWidths{}; // normal, bold, input

    static WindowLook from(const DisplayOptions& options);

    const QFont& font(TextStyle style) const { return fonts[static_cast<int>(style)]; }
    QColor colour(TextStyle style) const { return options.font(style).colour; }
    int margin() const { return options.margin; }

    // The engine's layout for a text area of this size: as many whole lines
    // as fit (1 to 80) and the width between the margins.
    OutputLayout outputLayout(QSize textArea) const;
};

} // namespace rux::ui
