#include "engine/text/output_bytes.h"

#include <bit>
#include <cstring>

namespace rux {

namespace {

// Tests on eight bytes at once. Each mask has the high bit of every byte
// that passes the test set, and nothing else.
constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7F;
constexpr uint64_t kHighBits = 0x8080808080808080;

// Bytes below the bound (1 to 128): adding 128 - bound to the low seven
// bits carries into the high bit exactly for the bytes at or above it.
constexpr uint64_t bytesBelow(uint64_t word, unsigned bound) {
    return ~(((word & kLowBits) + kEveryByte * (128 - bound)) | word) & kHighBits;
}

constexpr uint64_t bytesEqualTo(uint64_t word, unsigned char c) {
    return bytesBelow(word ^ (kEveryByte * c), 1);
}

// The bytes that end a run, and the break bytes that show (tab, space,
// hyphen): the same bytes as kRunBytes names.
constexpr uint64_t runEnds(uint64_t word) {
    return (bytesBelow(word, 32) & ~bytesEqualTo(word, '\t')) | bytesEqualTo(word, kSoftHyphen);
}

constexpr uint64_t visibleBreaks(uint64_t word) {
    return bytesEqualTo(word, ' ') | bytesEqualTo(word, kHyphen) | bytesEqualTo(word, '\t');
}

constexpr bool masksAgreeWithTable() {
    for (int c = 0; c < 256; ++c) {
        const uint64_t word = kEveryByte * static_cast<unsigned>(c);
        const RunByte kind = kRunBytes[c];
        if ((runEnds(word) != 0) != (kind == RunByte::End)) return false;
        if ((visibleBreaks(word) != 0) != (kind == RunByte::VisibleBreak)) return false;
    }
    return true;
}
static_assert(masksAgreeWithTable());

// The place (0 to 7, in memory order) of the last byte marked in a mask of
// eight bytes loaded from memory.
int lastMarkedByte(uint64_t mask) {
    if constexpr (std::endian::native == std::endian::little)
        return (63 - std::countl_zero(mask)) / 8;
    else
        return 7 - std::countr_zero(mask) / 8;
}

} // namespace

// Whole words of eight bytes go first, while they hold no byte that ends
// the run and leave the line unfilled: that is most of the text, and it
// costs one test per word instead of one per byte. The rest, and a word
// that ends the run or fills the line, go byte by byte.
RunScan scanRun(std::string_view text, std::size_t from, const CharWidthTable& widths, int width,
                int wrapWidth) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = from;
    std::size_t lastBreak = kNoPosition;
    int widthAtBreak = 0;
    while (i + sizeof(uint64_t) <= text.size()) {
        uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        if (runEnds(word) != 0) break;
        int widthBefore[sizeof word];
        int wordWidth = width;
        for (std::size_t k = 0; k < sizeof word; ++k) {
            widthBefore[k] = wordWidth;
            wordWidth += widths[bytes[i + k]];
        }
        if (wordWidth >= wrapWidth) break;
        if (const uint64_t breaks = visibleBreaks(word); breaks != 0) {
            const int last = lastMarkedByte(breaks);
            lastBreak = i + static_cast<std::size_t>(last);
            widthAtBreak = widthBefore[last];
        }
        width = wordWidth;
        i += sizeof word;
    }
    while (i < text.size()) {
        const unsigned char byte = bytes[i];
        const RunByte kind = kRunBytes[byte];
        if (kind == RunByte::End) break;
        // Spaces come at no foreseeable place: choosing without a branch
        // spares the processor a wrong guess at every word.
        const bool isBreak = kind == RunByte::VisibleBreak;
        lastBreak = isBreak ? i : lastBreak;
        widthAtBreak = isBreak ? width : widthAtBreak;
        width += widths[byte];
        ++i;
        if (width >= wrapWidth) break;
    }
    return {i, lastBreak, width, widthAtBreak};
}

} // namespace rux
