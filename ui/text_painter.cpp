#include "ui/text_painter.h"

#include "ui/box_lines.h"
#include "ui/text_conversion.h"

#include <QFontMetrics>
#include <string_view>

namespace rux::ui {

namespace {

TextStyle styleOfByte(uint8_t style) {
    switch (style) {
    case kBoldStyle: return TextStyle::Bold;
    case kInputStyle: return TextStyle::Input;
    default: return TextStyle::Normal;
    }
}

// Draws `text` with its top at `top`; the pen's x moves on by the widths the
// engine counted for these bytes, so the input field lands where it expects.
void drawRun(QPainter& painter, double& x, int top, std::string_view run, uint8_t style,
             const WindowLook& look, const StyleWidths& widths) {
    if (run.empty()) return;
    const QFont& font = look.font(styleOfByte(style));
    painter.setFont(font);
    painter.setPen(look.colour(styleOfByte(style)));
    painter.drawText(QPointF(x, top + QFontMetrics(font).ascent()), fromCp1252(run));
    for (char c : run)
        x += widths[style - 1][static_cast<uint8_t>(c)];
}

void paintDisplayLine(QPainter& painter, std::string_view line, int top, const WindowLook& look,
                      const StyleWidths& widths) {
    double x = look.margin();
    uint8_t style = kNormalStyle;
    std::string run;
    for (char c : line) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte >= kNormalStyle && byte <= kInputStyle) {
            drawRun(painter, x, top, run, style, look, widths);
            run.clear();
            style = byte;
        } else if (byte >= 32) {
            run.push_back(c);
        }
    }
    drawRun(painter, x, top, run, style, look, widths);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const std::size_t lf = text.find('\n');
        lines.push_back(text.substr(0, lf));
        if (lf == std::string_view::npos) return lines;
        text.remove_prefix(lf + 1);
    }
}

} // namespace

int displayWidth(std::string_view line, const StyleWidths& widths) {
    int width = 0;
    uint8_t style = kNormalStyle;
    for (char c : line) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte >= kNormalStyle && byte <= kInputStyle)
            style = byte;
        else
            width += widths[style - 1][byte];
    }
    return width;
}

void paintDisplayLines(QPainter& painter, QSize area, const OutputBuffer& out,
                       const WindowLook& look) {
    painter.fillRect(QRect(QPoint(0, 0), area), look.options.textBackground);
    for (int line = 1; line <= out.currentLine; ++line)
        paintDisplayLine(painter, out.screenLines[line], (line - 1) * look.lineHeight, look,
                         out.charWidths);
}

void paintStatusTexts(QPainter& painter, QSize area, const std::array<std::string, 4>& texts,
                      const WindowLook& look) {
    painter.fillRect(QRect(QPoint(0, 0), area), look.options.statusBackground);
    const QFont& font = look.font(TextStyle::Status);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(look.colour(TextStyle::Status));
    const int wrapWidth = area.width() - 2 * look.margin();
    for (int position = 1; position <= 3; ++position) {
        int top = 0;
        for (std::string_view line : splitLines(texts[position])) {
            const QString text = fromCp1252(line);
            const int width = metrics.horizontalAdvance(text);
            int x = look.margin();
            if (position == 2) x += (wrapWidth - width) / 2;
            if (position == 3) x += wrapWidth - width;
            painter.drawText(QPoint(x, top + metrics.ascent()), text);
            top += look.statusLineHeight;
        }
    }
}

void paintTextBox(QPainter& painter, int areaWidth, int top, const std::vector<std::string>& lines,
                  const WindowLook& look) {
    if (lines.empty()) return;
    const QFont& font = look.font(TextStyle::Status);
    const QFontMetrics metrics(font);
    const BoxPlacement box = placeBox(lines, areaWidth, look.margin(), [&](std::string_view text) {
        return metrics.horizontalAdvance(fromCp1252(text));
    });
    const int height = static_cast<int>(lines.size()) * look.statusLineHeight;
    painter.fillRect(QRect(box.left, top, box.width, height), look.options.statusBackground);
    painter.setFont(font);
    painter.setPen(look.colour(TextStyle::Status));
    int y = top;
    for (const PlacedBoxLine& line : box.lines) {
        painter.drawText(QPoint(box.left + line.x, y + metrics.ascent()), fromCp1252(line.text));
        y += look.statusLineHeight;
    }
}

} // namespace rux::ui
