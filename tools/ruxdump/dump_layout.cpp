#include "tools/ruxdump/dump_layout.h"

#include "engine/text/codepage.h"

#include <algorithm>
#include <cstdint>

namespace ruxdump {

namespace {

bool isInvisible(uint8_t c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

void appendEscape(std::string& out, uint8_t c) {
    static constexpr char hex[] = "0123456789ABCDEF";
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
}

void spaces(std::ostream& out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out.put(' ');
}

} // namespace

std::string shown(std::string_view cp1252) {
    std::string out;
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto c = static_cast<uint8_t>(cp1252[i]);
        if (!isInvisible(c)) continue;
        out += rux::cp1252ToUtf8(cp1252.substr(plainFrom, i - plainFrom));
        appendEscape(out, c);
        plainFrom = i + 1;
    }
    out += rux::cp1252ToUtf8(cp1252.substr(plainFrom));
    return out;
}

std::size_t displayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

std::string clipped(std::string_view utf8, std::size_t width) {
    if (displayWidth(utf8) <= width || width == 0) return std::string(utf8);
    std::size_t characters = 0;
    std::size_t end = 0;
    for (; end < utf8.size(); ++end) {
        if ((static_cast<uint8_t>(utf8[end]) & 0xC0) == 0x80) continue;
        if (characters == width - 1) break;
        ++characters;
    }
    return std::string(utf8.substr(0, end)) + "\u2026";
}

std::string byteCount(int length) {
    return std::to_string(length) + (length == 1 ? " byte" : " bytes");
}

void heading(std::ostream& out, std::string_view title) {
    out << '\n' << title << '\n' << std::string(displayWidth(title), '=') << '\n';
}

void Table::alignRight(std::size_t column) {
    if (rightAligned_.size() <= column) rightAligned_.resize(column + 1, false);
    rightAligned_[column] = true;
}

void Table::minWidth(std::size_t column, std::size_t width) {
    if (minWidths_.size() <= column) minWidths_.resize(column + 1, 0);
    minWidths_[column] = width;
}

void Table::addRow(std::vector<std::string> cells) {
    while (!cells.empty() && cells.back().empty())
        cells.pop_back();
    rows_.push_back(std::move(cells));
}

void Table::print(std::ostream& out) const {
    std::vector<std::size_t> widths = minWidths_;
    for (const auto& row : rows_) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
    for (const auto& row : rows_) {
        std::string line(static_cast<std::size_t>(indent_), ' ');
        for (std::size_t c = 0; c < row.size(); ++c) {
            const bool last = c + 1 == row.size();
            const std::size_t fill = widths[c] - displayWidth(row[c]);
            const bool right = c < rightAligned_.size() && rightAligned_[c];
            if (right) line.append(fill, ' ');
            line += row[c];
            if (!last) line.append((right ? 0 : fill) + static_cast<std::size_t>(gap_), ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    }
}

void printGrid(std::ostream& out, const std::vector<std::string>& items, int indent,
               std::size_t lineWidth) {
    if (items.empty()) return;
    std::size_t cell = 0;
    for (const std::string& item : items)
        cell = std::max(cell, displayWidth(item));
    const std::size_t gap = 3;
    const std::size_t room = lineWidth > static_cast<std::size_t>(indent)
                                 ? lineWidth - static_cast<std::size_t>(indent)
                                 : 1;
    const std::size_t columns = std::max<std::size_t>(1, (room + gap) / (cell + gap));
    const std::size_t rows = (items.size() + columns - 1) / columns;
    for (std::size_t r = 0; r < rows; ++r) {
        spaces(out, static_cast<std::size_t>(indent));
        for (std::size_t c = 0; c < columns; ++c) {
            const std::size_t i = c * rows + r;
            if (i >= items.size()) break;
            out << items[i];
            const bool lastInRow = c + 1 == columns || (c + 1) * rows + r >= items.size();
            if (!lastInRow) spaces(out, cell - displayWidth(items[i]) + gap);
        }
        out << '\n';
    }
}

std::vector<std::string> wrapList(const std::vector<std::string>& items, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string piece = items[i] + (i + 1 < items.size() ? "," : "");
        if (!line.empty() && displayWidth(line) + 1 + displayWidth(piece) > width) {
            lines.push_back(line);
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += piece;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

} // namespace ruxdump
