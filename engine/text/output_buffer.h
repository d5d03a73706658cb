#pragma once
// The output sink: display lines, wrapping, styles, paging, capture mode and the two logs.

namespace rux {

struct OutputBuffer {};

}  // namespace rux
