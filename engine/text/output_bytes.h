#pragma once
// What each byte does inside output, and the scan over a run of ordinary
// bytes: the characters and visible break bytes that the wrapper takes into
// a line in one piece.

#include "engine/text/output_buffer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rux {

inline constexpr unsigned char kHyphen = '-';
inline constexpr unsigned char kSoftHyphen = 0xAD;
inline constexpr unsigned char kDroppedByte = 5;
inline constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

// What a byte does to the wrapping.
enum class ByteKind : uint8_t {
    Printable, // takes its width
    Break,     // tab, space, hyphen, soft hyphen: the line may end here
    LineEnd,   // line feed, carriage return
    Style,     // 1, 2, 3: switch the style
    Dropped,   // 5: leaves no trace
    Control,   // kept in the line, no width
};

inline constexpr std::array<ByteKind, 256> kByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[c] = c < 32 ? ByteKind::Control : ByteKind::Printable;
    kinds[kNormalStyle] = kinds[kBoldStyle] = kinds[kInputStyle] = ByteKind::Style;
    kinds[kDroppedByte] = ByteKind::Dropped;
    kinds['\t'] = kinds[' '] = kinds[kHyphen] = kinds[kSoftHyphen] = ByteKind::Break;
    kinds['\n'] = kinds['\r'] = ByteKind::LineEnd;
    return kinds;
}();

// What a byte is to the run scan: a character, a break byte that shows
// (tab, space, hyphen), or a byte that ends the run.
enum class RunByte : uint8_t { Character, VisibleBreak, End };

inline constexpr std::array<RunByte, 256> kRunBytes = [] {
    std::array<RunByte, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        if (kByteKinds[c] == ByteKind::Printable)
            kinds[c] = RunByte::Character;
        else if (kByteKinds[c] == ByteKind::Break && c != kSoftHyphen)
            kinds[c] = RunByte::VisibleBreak;
        else
            kinds[c] = RunByte::End;
    }
    return kinds;
}();

// The same for a scan that counts widths: the tab, which has no width,
// stops it too.
inline constexpr std::array<RunByte, 256> kSharedRunBytes = [] {
    std::array<RunByte, 256> kinds = kRunBytes;
    kinds['\t'] = RunByte::End;
    return kinds;
}();

inline bool startsRun(unsigned char byte) {
    return kRunBytes[byte] != RunByte::End;
}

// Where a run ends, and the widths it leaves.
struct RunScan {
    std::size_t end;       // the first byte not taken
    std::size_t lastBreak; // the last break byte taken, or kNoPosition
    int width;             // the line's width after the run
    int widthAtBreak;      // the line's width before that break byte
};

// Takes the bytes from `from` on while they belong to a run, adding their
// widths to `width`: at least the first byte (the caller has checked it
// starts a run), and at most up to the byte that makes the width reach
// wrapWidth or the end of the text. It lives in a file of its own so that
// the loop, which runs once for every byte of all output, keeps its values
// in registers instead of sharing them with the wrapper around it.
RunScan scanRun(std::string_view text, std::size_t from, const CharWidthTable& widths, int width,
                int wrapWidth);

// The same scan for a style whose printable bytes all have the width
// `shared`: the run's width is counted, not summed. Returns false, leaving
// the run to scanRun, for a tab (which has no width) and for a run that
// fills the line, where the scan must stop at the exact byte.
//
// Runs are short, most pieces being a few words: a loop that only tells run
// bytes from the others does best, inline where the scan is needed. Each byte
// adds at least one unit, so no more bytes than the line has units left can
// fit: the scan looks no further, and a long text costs no more than its
// lines.
inline bool scanSharedWidthRun(std::string_view text, std::size_t from, int shared, int width,
                               int wrapWidth, RunScan& run) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t room = static_cast<std::size_t>(std::max(wrapWidth - width, 0)) + 1;
    const std::size_t end = shared > 0 && text.size() - from > room ? from + room : text.size();
    std::size_t i = from;
    std::size_t lastBreak = kNoPosition;
    for (; i < end; ++i) {
        const RunByte kind = kSharedRunBytes[bytes[i]];
        if (kind == RunByte::End) break;
        // Spaces come at no foreseeable place: noting them without a branch
        // spares the processor a wrong guess at every word.
        lastBreak = kind == RunByte::VisibleBreak ? i : lastBreak;
    }
    if (i < end && bytes[i] == '\t') return false;
    const int64_t runWidth = width + static_cast<int64_t>(i - from) * shared;
    if (runWidth >= wrapWidth) return false;
    const int widthAtBreak =
        lastBreak == kNoPosition ? 0 : width + static_cast<int>(lastBreak - from) * shared;
    run = {i, lastBreak, static_cast<int>(runWidth), widthAtBreak};
    return true;
}

// The scan for the current style of the output.
inline RunScan scanStyledRun(const OutputBuffer& out, std::string_view text, std::size_t from) {
    const std::size_t style = out.currentStyle - 1u;
    const int shared = out.charWidths.sharedWidth(style);
    RunScan run;
    if (shared >= 0 && scanSharedWidthRun(text, from, shared, out.lineWidth, out.wrapWidth, run))
        return run;
    return scanRun(text, from, out.charWidths[style], out.lineWidth, out.wrapWidth);
}

} // namespace rux
