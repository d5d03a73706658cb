#pragma once
// The texts of each text mark, recovered from the text area once per
// listing. The area keeps only where each mark's block starts; a block runs
// up to the next block.

#include "engine/world/world.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ruxdump {

class TextIndex {
  public:
    explicit TextIndex(const rux::World& world);

    bool hasMark(uint8_t mark) const { return present_[mark]; }
    // Variant v at v - 1; views into the world's text area.
    const std::vector<std::string_view>& variants(uint8_t mark) const { return variants_[mark]; }
    // Set when the block starts where a lower-numbered mark's block starts:
    // both marks then print the same texts.
    std::optional<uint8_t> sameBlockAs(uint8_t mark) const { return sameBlockAs_[mark]; }

  private:
    std::array<bool, 256> present_{};
    std::array<std::vector<std::string_view>, 256> variants_;
    std::array<std::optional<uint8_t>, 256> sameBlockAs_{};
};

} // namespace ruxdump
