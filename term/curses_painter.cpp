#include "term/curses_painter.h"

#include "engine/text/codepage.h"
#include "term/curses_screen.h"

#include <algorithm>
#include <ncursesw/curses.h>

namespace rux::term {

namespace {

constexpr unsigned char kSoftHyphen = 0xAD;
constexpr int kBoxMargin = 1;

attr_t styleAttributes(int style) {
    switch (style) {
    case 2: return A_BOLD | (has_colors() ? COLOR_PAIR(kBoldPair) : A_NORMAL);
    case 3: return has_colors() ? COLOR_PAIR(kInputPair) : A_UNDERLINE;
    default: return A_NORMAL;
    }
}

// Printable Windows-1252 text without the soft hyphen, cut to `cells`.
std::string printable(std::string_view text, int cells) {
    std::string kept;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == kSoftHyphen) continue;
        if (static_cast<int>(kept.size()) >= cells) break;
        kept.push_back(c);
    }
    return kept;
}

// Draws Windows-1252 text at (row, column), cut at the right edge.
int drawText(int row, int column, std::string_view text) {
    if (row < 0 || row >= LINES || column >= COLS) return column;
    column = std::max(column, 0);
    const std::string kept = printable(text, COLS - column);
    mvaddstr(row, column, cp1252ToUtf8(kept).c_str());
    return column + static_cast<int>(kept.size());
}

std::string_view withoutMarker(std::string_view line) {
    if (!line.empty() && (line[0] == '<' || line[0] == '.' || line[0] == '>'))
        return line.substr(1);
    return line;
}

} // namespace

int visibleWidth(std::string_view line) {
    return static_cast<int>(std::count_if(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 32 && byte != kSoftHyphen;
    }));
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t lf = text.find('\n');
        lines.emplace_back(text.substr(0, lf));
        if (lf == std::string_view::npos) return lines;
        text.remove_prefix(lf + 1);
    }
}

void drawStatusLine(const std::array<std::string, 4>& texts, int rows) {
    attrset(A_REVERSE);
    for (int row = 0; row < rows; ++row)
        mvhline(row, 0, ' ', COLS);
    for (int position = 1; position <= 3; ++position) {
        const std::vector<std::string> lines = splitLines(texts[position]);
        for (int row = 0; row < rows && row < static_cast<int>(lines.size()); ++row) {
            const int width = std::min(visibleWidth(lines[row]), COLS);
            const int column = position == 1   ? kBoxMargin
                               : position == 2 ? (COLS - width) / 2
                                               : COLS - width - kBoxMargin;
            drawText(row, column, lines[row]);
        }
    }
    attrset(A_NORMAL);
}

void drawDisplayLine(int row, std::string_view line) {
    int column = 0;
    std::size_t runStart = 0;
    attrset(A_NORMAL);
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const bool atEnd = i == line.size();
        const auto byte = atEnd ? 0 : static_cast<unsigned char>(line[i]);
        if (!atEnd && (byte < 1 || byte > 3)) continue;
        column = drawText(row, column, line.substr(runStart, i - runStart));
        if (!atEnd) attrset(styleAttributes(byte));
        runStart = i + 1;
    }
    attrset(A_NORMAL);
}

void drawTextBox(const std::vector<std::string>& lines, int top) {
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, visibleWidth(withoutMarker(line)));
    const int boxWidth = std::min(widest + 2 * kBoxMargin, COLS);
    const int left = (COLS - boxWidth) / 2;
    attrset(A_REVERSE);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int row = top + static_cast<int>(k);
        mvhline(row, left, ' ', boxWidth);
        const std::string_view text = withoutMarker(lines[k]);
        const int width = visibleWidth(text);
        int offset = kBoxMargin;
        if (!lines[k].empty() && lines[k][0] == '>') offset = boxWidth - kBoxMargin - width;
        if (!lines[k].empty() && lines[k][0] == '.') offset = (boxWidth - width) / 2;
        drawText(row, left + std::max(offset, 0), text);
    }
    attrset(A_NORMAL);
}

void drawInputField(int row, int column, LineEditor& editor) {
    column = std::clamp(column, 0, std::max(COLS - 1, 0));
    const int width = std::max(COLS - column, 1);
    const std::size_t first = editor.firstVisible(static_cast<std::size_t>(width));
    attrset(styleAttributes(3));
    mvhline(row, column, ' ', width);
    drawText(row, column, std::string_view(editor.text()).substr(first));
    attrset(A_NORMAL);
    move(row, column + static_cast<int>(editor.caret() - first));
}

void drawMessageBox(const std::vector<std::string>& lines, std::string_view footer) {
    std::vector<std::string> all;
    for (const std::string& line : lines)
        all.push_back("<" + line);
    all.emplace_back();
    all.push_back("." + std::string(footer));
    drawTextBox(all, std::max((LINES - static_cast<int>(all.size())) / 2, 0));
}

} // namespace rux::term
