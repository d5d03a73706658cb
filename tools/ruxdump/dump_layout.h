#pragma once
// Layout helpers for the dump: UTF-8 conversion with visible control bytes,
// headings, tables with aligned columns and word grids.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ruxdump {

// The Windows-1252 text as UTF-8; control bytes and the five bytes that
// Windows-1252 leaves unassigned are shown as "\xNN" so that nothing
// invisible or terminal-confusing reaches the reader.
std::string shown(std::string_view cp1252);

// Characters on screen of a UTF-8 string (every character counts one).
std::size_t displayWidth(std::string_view utf8);

// The UTF-8 text cut to `width` characters, with "…" as the last one when cut.
std::string clipped(std::string_view utf8, std::size_t width);

// The label column of the blocks that describe one object, room or action.
inline constexpr std::size_t blockLabelWidth = 12;
// Lists in those blocks wrap at this width, keeping lines within 100 columns.
inline constexpr std::size_t blockValueWidth = 72;

// "1 byte", "12 bytes".
std::string byteCount(int length);

// A section heading: an empty line, the title and a line of "=" under it.
void heading(std::ostream& out, std::string_view title);

// Rows of cells printed with aligned columns. Trailing empty cells print
// nothing, and no line ends in spaces.
class Table {
  public:
    explicit Table(int indent = 2, int gap = 2) : indent_(indent), gap_(gap) {}

    void alignRight(std::size_t column);
    // Keeps a column at least this wide, so that separate tables line up.
    void minWidth(std::size_t column, std::size_t width);
    void addRow(std::vector<std::string> cells);
    bool empty() const { return rows_.empty(); }
    void print(std::ostream& out) const;

  private:
    int indent_;
    int gap_;
    std::vector<bool> rightAligned_;
    std::vector<std::size_t> minWidths_;
    std::vector<std::vector<std::string>> rows_;
};

// Items of equal importance (words, numbered values) in as many columns as
// fit into `lineWidth`, filled top to bottom like a directory listing.
void printGrid(std::ostream& out, const std::vector<std::string>& items, int indent = 4,
               std::size_t lineWidth = 100);

// Joins the items with ", " into lines of at most `width` characters.
std::vector<std::string> wrapList(const std::vector<std::string>& items, std::size_t width);

} // namespace ruxdump
