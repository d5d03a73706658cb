#pragma once
// Where the lines of a story's text box go: the box is as wide as its widest
// line plus the margins and centred; a line's first character may align it
// ("<" left, "." centred, ">" right) and is then not drawn.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rux::ui {

struct PlacedBoxLine {
    std::string text; // without its alignment marker
    int x = 0;        // from the box's left edge
};

struct BoxPlacement {
    int left = 0;
    int width = 0;
    std::vector<PlacedBoxLine> lines;
};

// `widthOf` measures a Windows-1252 string in the box's font.
BoxPlacement placeBox(const std::vector<std::string>& lines, int areaWidth, int margin,
                      const std::function<int(std::string_view)>& widthOf);

} // namespace rux::ui
