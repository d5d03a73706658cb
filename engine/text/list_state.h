#pragma once
// The list builder's state while an enumeration is being put together.

namespace rux {

struct ListState {};

}  // namespace rux
