#include "ui/display_settings.h"

#include <algorithm>
#include <cmath>

namespace rux::ui {
namespace {

// Colours are kept as plain red, green and blue; whatever form a colour
// chooser hands back is brought to that, so that equal colours compare equal.
QColor opaqueRgb(const QColor& colour, const QColor& fallback) {
    if (!colour.isValid()) return fallback;
    const QColor rgb = colour.toRgb();
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace

DisplayOptions sanitised(const DisplayOptions& options) {
    const DisplayOptions defaults;
    DisplayOptions result = options;
    for (int i = 0; i < kTextStyleCount; ++i) {
        StyleFont& font = result.fonts[i];
        const StyleFont& fallback = defaults.fonts[i];
        if (font.name.trimmed().isEmpty()) font.name = fallback.name;
        if (font.pointSize < kMinPointSize || font.pointSize > kMaxPointSize)
            font.pointSize = fallback.pointSize;
        font.styleBits &= kBoldBit | kItalicBit | kUnderlineBit;
        font.colour = opaqueRgb(font.colour, fallback.colour);
    }
    for (QColor DisplayOptions::*background :
         {&DisplayOptions::textBackground, &DisplayOptions::statusBackground,
          &DisplayOptions::scrollBackground}) {
        result.*background = opaqueRgb(result.*background, defaults.*background);
    }
    if (result.margin < kMinMargin || result.margin > kMaxMargin) result.margin = defaults.margin;
    // Compared in whole per cent so that 0.5 and 3.0 themselves pass.
    const double percent = result.lineSpacing * 100;
    if (!std::isfinite(percent) || std::round(percent) < kMinLineSpacingPercent ||
        std::round(percent) > kMaxLineSpacingPercent)
        result.lineSpacing = defaults.lineSpacing;
    return result;
}

QFont toQFont(const StyleFont& font) {
    QFont result(font.name);
    result.setPointSize(std::clamp(font.pointSize, kMinPointSize, kMaxPointSize));
    result.setBold((font.styleBits & kBoldBit) != 0);
    result.setItalic((font.styleBits & kItalicBit) != 0);
    result.setUnderline((font.styleBits & kUnderlineBit) != 0);
    return result;
}

int wrapWidthFor(int textAreaWidth, int margin) {
    return std::max(1, textAreaWidth - 2 * std::clamp(margin, kMinMargin, kMaxMargin));
}

int visibleLinesFor(int textAreaHeight, int lineHeight) {
    if (lineHeight <= 0) return kMinVisibleLines;
    return std::clamp(textAreaHeight / lineHeight, kMinVisibleLines, kMaxVisibleLines);
}

} // namespace rux::ui
