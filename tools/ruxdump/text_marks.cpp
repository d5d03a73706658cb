#include "tools/ruxdump/text_marks.h"

#include <algorithm>
#include <cstring>

namespace ruxdump {

namespace {

// Splits [start, end) into zero-terminated texts. The file does not say how
// many texts a mark has: the zeros after its last non-empty text are empty
// texts followed by up to three bytes of padding to the next multiple of
// four, so the last three of them are taken as padding.
std::vector<std::string_view> splitBlock(const rux::World& world, std::size_t start,
                                         std::size_t end) {
    const auto* base = reinterpret_cast<const char*>(world.textArea.data());
    std::vector<std::string_view> texts;
    std::size_t afterLastText = start; // just past the last non-empty text's terminator
    std::size_t keptTexts = 0;
    for (std::size_t pos = start; pos < end;) {
        std::size_t stop = pos;
        while (stop < end && base[stop] != 0)
            ++stop;
        texts.emplace_back(base + pos, stop - pos);
        pos = stop + 1;
        if (!texts.back().empty()) {
            afterLastText = std::min(pos, end);
            keptTexts = texts.size();
        }
    }
    const std::size_t zeros = end - afterLastText;
    texts.resize(std::min(texts.size(), keptTexts + (zeros > 3 ? zeros - 3 : 0)));
    return texts;
}

// The position after the last non-zero byte. The area is mostly zeros, so
// it is compared in chunks before the one chunk with data is scanned.
std::size_t endOfNonZero(const std::vector<uint8_t>& area) {
    static constexpr std::size_t chunk = 4096;
    static constexpr std::array<uint8_t, chunk> zeros{};
    std::size_t end = area.size();
    while (end > 0) {
        const std::size_t from = end > chunk ? end - chunk : 0;
        if (std::memcmp(area.data() + from, zeros.data(), end - from) != 0) break;
        end = from;
    }
    while (end > 0 && area[end - 1] == 0)
        --end;
    return end;
}

} // namespace

TextIndex::TextIndex(const rux::World& world) {
    const std::vector<uint8_t>& area = world.textArea;
    std::array<std::size_t, 256> starts{};
    for (int m = 0; m < 256; ++m) {
        const auto start = world.textBlock(static_cast<uint8_t>(m));
        if (start && *start < area.size()) starts[m] = *start;
    }
    // Nothing is written after the last block's last text, so the used part
    // of the area ends with that text's terminator.
    const std::size_t usedEnd = std::min(area.size(), endOfNonZero(area) + 1);

    for (int m = 0; m < 256; ++m) {
        const std::size_t start = starts[m];
        if (start == 0) continue;
        present_[m] = true;
        for (int earlier = 0; earlier < m; ++earlier) {
            if (starts[earlier] == start) {
                sameBlockAs_[m] = static_cast<uint8_t>(earlier);
                break;
            }
        }
        std::size_t end = std::max(start, usedEnd);
        for (std::size_t other : starts)
            if (other > start && other < end) end = other;
        variants_[m] = splitBlock(world, start, end);
    }
}

} // namespace ruxdump
