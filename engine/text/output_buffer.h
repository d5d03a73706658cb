#pragma once
// The output sink: display lines, wrapping, styles, paging, capture mode and the two logs.

#include <string>

namespace rux {

// Placeholder until wrapping exists: collects everything output.
struct OutputBuffer {
    std::string collected;
    std::string currentLine;
};

}  // namespace rux
