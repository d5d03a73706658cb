#include "ui/box_lines.h"

#include <algorithm>

namespace rux::ui {

namespace {

bool hasMarker(std::string_view line) {
    return !line.empty() && (line[0] == '<' || line[0] == '.' || line[0] == '>');
}

std::string_view withoutMarker(std::string_view line) {
    return hasMarker(line) ? line.substr(1) : line;
}

} // namespace

BoxPlacement placeBox(const std::vector<std::string>& lines, int areaWidth, int margin,
                      const std::function<int(std::string_view)>& widthOf) {
    BoxPlacement box;
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, widthOf(withoutMarker(line)));
    box.width = widest + 2 * margin;
    box.left = (areaWidth - box.width) / 2;
    for (const std::string& line : lines) {
        PlacedBoxLine placed{std::string(withoutMarker(line)), margin};
        // Right and centre alignment measure the line as stored, marker
        // included, so a centred line sits as the story's author saw it.
        if (!line.empty() && line[0] == '>')
            placed.x = box.width - margin - widthOf(line);
        else if (!line.empty() && line[0] == '.')
            placed.x = (box.width - widthOf(line)) / 2;
        box.lines.push_back(std::move(placed));
    }
    return box;
}

} // namespace rux::ui
