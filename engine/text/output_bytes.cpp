#include "engine/text/output_bytes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

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

// The `count` bytes (1 to 8) at `at` as a word in text order, zeros above
// them: a zero ends a run, so the padding stops a scan at the end of the
// text. Nothing past the text is read: a text of eight bytes or more reads
// its last eight bytes and shifts away the ones already done. Little-endian
// only: the byte at the lowest address must land lowest in the word.
uint64_t loadTail(const unsigned char* text, std::size_t at, std::size_t count) {
    uint64_t word;
    if (count == 8 || at + count >= 8) {
        std::memcpy(&word, text + at + count - 8, sizeof word);
        return count == 8 ? word : word >> (8 * (8 - count));
    }
    const unsigned char* p = text + at;
    if (count >= 4) {
        uint32_t low, high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + count - 4, 4);
        return low | (uint64_t{high} << (8 * (count - 4))); // the overlap agrees
    }
    return p[0] | (uint64_t{p[count / 2]} << (8 * (count / 2))) |
           (uint64_t{p[count - 1]} << (8 * (count - 1)));
}

int firstMarkedByte(uint64_t mask) {
    return std::countr_zero(mask) / 8;
}

// The marks of the lowest `count` bytes (0 to 8).
uint64_t lowBytes(int count) {
    return count >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * count)) - 1;
}

// A run whose bytes all have one width: where it ends and where its last
// break byte stands come from tests on eight bytes at a time, its width from
// counting. A tab (which has no width) or a run that fills the line is left
// to the scan that adds widths, which stops at the exact byte.
std::optional<RunScan> scanSharedWidthRun(std::string_view text, std::size_t from, int shared,
                                          int width, int wrapWidth) {
    if constexpr (std::endian::native != std::endian::little) return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = from;
    std::size_t lastBreak = kNoPosition;
    while (i < size) {
        if (width + static_cast<int64_t>(i - from) * shared >= wrapWidth) return std::nullopt;
        const uint64_t word = loadTail(bytes, i, std::min<std::size_t>(size - i, sizeof(uint64_t)));
        // Bytes below 32 (the tab among them) and the soft hyphen end the run.
        const uint64_t stops = bytesBelow(word, 32) | bytesEqualTo(word, kSoftHyphen);
        const int count = stops != 0 ? firstMarkedByte(stops) : 8;
        const uint64_t breaks =
            (bytesEqualTo(word, ' ') | bytesEqualTo(word, kHyphen)) & lowBytes(count);
        if (breaks != 0) lastBreak = i + static_cast<std::size_t>(lastMarkedByte(breaks));
        i += static_cast<std::size_t>(count);
        if (count < 8) break;
    }
    if (i < size && bytes[i] == '\t') return std::nullopt;
    const int64_t runWidth = width + static_cast<int64_t>(i - from) * shared;
    if (runWidth >= wrapWidth) return std::nullopt;
    const int widthAtBreak =
        lastBreak == kNoPosition ? 0 : width + static_cast<int>(lastBreak - from) * shared;
    return RunScan{i, lastBreak, static_cast<int>(runWidth), widthAtBreak};
}

} // namespace

// Whole words of eight bytes go first, while they hold no byte that ends
// the run and leave the line unfilled: that is most of the text, and it
// costs one test per word instead of one per byte. The rest, and a word
// that ends the run or fills the line, go byte by byte.
RunScan scanRun(std::string_view text, std::size_t from, const CharWidthTable& widths,
                int sharedWidth, int width, int wrapWidth) {
    if (sharedWidth >= 0)
        if (const auto run = scanSharedWidthRun(text, from, sharedWidth, width, wrapWidth))
            return *run;
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
