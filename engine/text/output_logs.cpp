#include "engine/text/output_logs.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace rux {

namespace {

// The scrollback leaves out the style switches and the other bytes up to
// the invisible marker byte 5, and turns a carriage return into a line feed.
constexpr unsigned char kLastLeftOut = 5;

constexpr std::array<bool, 256> kFiltered = [] {
    std::array<bool, 256> filtered{};
    for (int c = 0; c <= kLastLeftOut; ++c)
        filtered[c] = true;
    filtered['\r'] = true;
    return filtered;
}();

bool isFiltered(char c) {
    return kFiltered[static_cast<unsigned char>(c)];
}

// Eight bytes at a time: most text holds none of the filtered bytes, and
// this test passes over a clean word in a few instructions.
constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kHighBits = 0x8080808080808080;

// True when a byte of the word is below the bound (at most 128).
constexpr bool hasByteBelow(uint64_t word, uint64_t bound) {
    return ((word - kEveryByte * bound) & ~word & kHighBits) != 0;
}

bool hasFilteredByte(const char* eightBytes) {
    uint64_t word;
    std::memcpy(&word, eightBytes, sizeof word);
    return hasByteBelow(word, kLastLeftOut + 1) || hasByteBelow(word ^ (kEveryByte * '\r'), 1);
}

// The position of the first filtered byte, or the size when there is none.
std::size_t firstFiltered(std::string_view bytes) {
    std::size_t i = 0;
    while (i + sizeof(uint64_t) <= bytes.size() && !hasFilteredByte(bytes.data() + i))
        i += sizeof(uint64_t);
    while (i < bytes.size() && !isFiltered(bytes[i]))
        ++i;
    return i;
}

} // namespace

void ScrollbackLog::append(std::string_view piece) {
    if (piece.empty()) return;
    dropOldestBefore(text_.size());
    // A style switch alone, the most common such piece, adds nothing.
    if (piece.size() == 1 && static_cast<unsigned char>(piece[0]) <= kLastLeftOut) {
        compact();
        return;
    }
    // Runs of ordinary bytes are copied whole.
    std::size_t i = 0;
    while (i < piece.size()) {
        const std::size_t end = i + firstFiltered(piece.substr(i));
        text_.append(piece, i, end - i);
        if (end < piece.size() && piece[end] == '\r') text_.push_back('\n');
        i = end + 1;
    }
    compact();
}

// Pieces with nothing to filter go in as stretches, between the pieces
// that need filtering, which go one by one. A lone style switch, which adds
// nothing, does not end a stretch: the copy only leaves its byte out.
void ScrollbackLog::appendPieces(std::string_view bytes, std::span<const PieceLength> lengths,
                                 std::span<const std::size_t> filtered) {
    std::size_t piece = 0;
    std::size_t offset = 0;
    std::size_t nextFiltered = 0; // into `filtered`
    const auto isLoneSwitch = [&](std::size_t at, PieceLength length) {
        return length == 1 && static_cast<unsigned char>(bytes[at]) <= kLastLeftOut;
    };
    while (piece < lengths.size()) {
        if (nextFiltered < filtered.size() && filtered[nextFiltered] == piece &&
            !isLoneSwitch(offset, lengths[piece])) {
            append(bytes.substr(offset, lengths[piece]));
            offset += lengths[piece++];
            ++nextFiltered;
            continue;
        }
        // The stretch runs up to the next piece that needs filtering and is
        // no lone switch. Its bytes go in whole but for the switches' bytes;
        // only the filtered pieces are looked at one by one.
        const std::size_t firstPiece = piece;
        const std::size_t textStart = text_.size();
        std::size_t copyFrom = offset;
        std::size_t switchesFrom = nextFiltered;
        while (nextFiltered < filtered.size()) {
            const std::size_t next = filtered[nextFiltered];
            for (; piece < next; ++piece)
                offset += lengths[piece];
            if (!isLoneSwitch(offset, lengths[piece])) break;
            text_.append(bytes.substr(copyFrom, offset - copyFrom));
            copyFrom = ++offset;
            ++piece;
            ++nextFiltered;
        }
        const std::size_t stretchEnd =
            nextFiltered < filtered.size() ? filtered[nextFiltered] : lengths.size();
        for (; piece < stretchEnd; ++piece)
            offset += lengths[piece];
        text_.append(bytes.substr(copyFrom, offset - copyFrom));
        // The trimming each piece of the stretch would have caused follows
        // from where each piece began; a switch adds nothing to the log.
        const auto switchAfter = [&](std::size_t at) {
            return at < nextFiltered ? filtered[at] : lengths.size();
        };
        std::size_t nextSwitch = switchAfter(switchesFrom);
        std::size_t pieceStart = textStart;
        std::size_t full = start_ + kLogLimit; // trimming starts past this
        for (std::size_t p = firstPiece; p < stretchEnd; ++p) {
            if (pieceStart > full) {
                dropOldestBefore(pieceStart);
                full = start_ + kLogLimit;
            }
            if (p == nextSwitch)
                nextSwitch = switchAfter(++switchesFrom);
            else
                pieceStart += lengths[p];
        }
        compact();
    }
}

void ScrollbackLog::clear() {
    text_.clear();
    start_ = 0;
}

// Whole lines go first, looking only at the text before `end`; an open line
// that alone exceeds the limit loses its oldest characters, so a story that
// never ends a line cannot grow the log without bound.
void ScrollbackLog::dropOldestBefore(std::size_t end) {
    while (end - start_ > kLogLimit) {
        const void* lineFeed = std::memchr(text_.data() + start_, '\n', end - start_);
        start_ =
            lineFeed
                ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - text_.data()) + 1
                : end - kLogLimit;
    }
}

// Dropped text stays until a log's worth has gathered, so that one move
// serves many pieces.
void ScrollbackLog::compact() {
    if (start_ < kLogLimit) return;
    text_.erase(0, start_);
    start_ = 0;
}

bool OutputLogs::holdsFilteredByteInMany(std::string_view piece) {
    return firstFiltered(piece) < piece.size();
}

void OutputLogs::clear() {
    bytes_.clear();
    lengths_.clear();
    filteredPieces_.clear();
    outputLogStart_ = 0;
    scrollback_.clear();
    piecesInScrollback_ = 0;
    bytesInScrollback_ = 0;
}

std::string OutputLogs::scrollbackText() const {
    updateScrollback();
    return std::string(scrollback_.text());
}

// Before a piece was added, the oldest pieces left while the log held more
// than kLogLimit characters. So the log is the newest piece and the longest
// run of pieces before it that fits in kLogLimit.
OutputLogs::PiecePosition OutputLogs::outputLogFirstPiece() const {
    if (lengths_.size() == outputLogStart_) return {lengths_.size(), bytes_.size()};
    std::size_t first = lengths_.size() - 1;
    std::size_t characters = 0;
    while (first > outputLogStart_ && characters + lengths_[first - 1] <= kLogLimit)
        characters += lengths_[--first];
    return {first, bytes_.size() - characters - lengths_.back()};
}

void OutputLogs::updateScrollback() const {
    const std::span<const PieceLength> pending = std::span(lengths_).subspan(piecesInScrollback_);
    // The filtered pieces counted from the first pending one.
    for (std::size_t& piece : filteredPieces_)
        piece -= piecesInScrollback_;
    scrollback_.appendPieces(bytes_.view().substr(bytesInScrollback_), pending, filteredPieces_);
    filteredPieces_.clear();
    piecesInScrollback_ = lengths_.size();
    bytesInScrollback_ = bytes_.size();
}

// Lets go of the pieces that neither log needs any more.
void OutputLogs::compact() {
    updateScrollback();
    const PiecePosition first = outputLogFirstPiece();
    bytes_.eraseFront(first.offset);
    lengths_.erase(lengths_.begin(), lengths_.begin() + static_cast<std::ptrdiff_t>(first.index));
    outputLogStart_ = 0;
    piecesInScrollback_ = lengths_.size();
    bytesInScrollback_ = bytes_.size();
}

} // namespace rux
