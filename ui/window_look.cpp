#include "ui/window_look.h"

#include "ui/text_conversion.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace rux::ui {

int lineHeightFor(int fontHeight, double lineSpacing) {
    const double height = std::nearbyint(fontHeight * lineSpacing); // ties to even
    return std::max(1, static_cast<int>(std::clamp(height, 1.0, 10000.0)));
}

QFont fontFor(const StyleFont& style) {
    QFont font(style.name);
    // Where the family is missing, a typewriter font stays a typewriter font.
    if (style.name.contains(QStringLiteral("Courier"), Qt::CaseInsensitive) ||
        style.name.contains(QStringLiteral("Mono"), Qt::CaseInsensitive))
        font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(std::clamp(style.pointSize, 1, 200));
    font.setBold(style.styleBits & kBoldBit);
    font.setItalic(style.styleBits & kItalicBit);
    font.setUnderline(style.styleBits & kUnderlineBit);
    // The engine wraps by the sum of single characters' widths; without
    // kerning a drawn run is exactly that wide.
    font.setKerning(false);
    return font;
}

CharWidthTable measureCharWidths(const QFont& font) {
    const QFontMetrics metrics(font);
    CharWidthTable widths{};
    for (int c = 32; c < 256; ++c) {
        const int width = metrics.horizontalAdvance(unicodeOfByte(static_cast<uint8_t>(c)));
        widths[c] = static_cast<uint8_t>(std::clamp(width, 0, 255));
    }
    return widths;
}

WindowLook WindowLook::from(const DisplayOptions& options) {
    WindowLook look;
    look.options = options;
    for (int style = 0; style < kTextStyleCount; ++style)
        look.fonts[style] = fontFor(options.fonts[style]);
    // The height of "jKl" is the font's cell height: ascent plus descent.
    const auto heightOf = [](const QFont& font) { return QFontMetrics(font).height(); };
    look.lineHeight = lineHeightFor(heightOf(look.font(TextStyle::Normal)), options.lineSpacing);
    look.statusLineHeight =
        lineHeightFor(heightOf(look.font(TextStyle::Status)), options.lineSpacing);
    look.charWidths = {measureCharWidths(look.font(TextStyle::Normal)),
                       measureCharWidths(look.font(TextStyle::Bold)),
                       measureCharWidths(look.font(TextStyle::Input))};
    return look;
}

OutputLayout WindowLook::outputLayout(QSize textArea) const {
    OutputLayout layout;
    layout.visibleLines = std::clamp(textArea.height() / lineHeight, 1, kMaxScreenLines);
    layout.wrapWidth = std::max(1, textArea.width() - 2 * margin());
    layout.charWidths = charWidths;
    return layout;
}

} // namespace rux::ui
