#include "engine/world/story_reader.h"

#include <algorithm>
#include <array>

#include "engine/fatal_error.h"
#include "engine/text/codepage.h"
#include "engine/world/load_messages.h"

namespace rux {

namespace {

// Story titles are stored in the DOS code page; this maps its upper half
// (0x80..0xFF) to Windows-1252, line-drawing characters to "#", "|", "*", "-".
constexpr std::array<uint8_t, 128> highCharacterMap = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0x7F, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x23, 0x23, 0x23, 0x7C, 0x2A, 0xC1, 0xC2, 0xC0, 0xA9, 0x2A, 0x7C, 0x2A, 0x2A, 0xA2, 0xA5, 0x2A,
    0x2A, 0x2A, 0x2A, 0x2A, 0x2D, 0x2A, 0xE3, 0xC3, 0x2A, 0x2A, 0x2A, 0x2A, 0x2A, 0x2D, 0x2A, 0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE, 0xCF, 0x2A, 0x2A, 0x23, 0x23, 0xA6, 0xCC, 0x23,
    0xD2, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xD9, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0x60,
    0x2D, 0xB1, 0x5F, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0x95, 0x20,
};

}  // namespace

std::string decodeScrambled(std::string_view text) {
    const unsigned n = static_cast<unsigned>(text.size());
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<uint8_t>(ch);
        unsigned t = ((c & 0x0F) << 4) | (c >> 4);
        if (n % 2 == 1) t -= 128;
        ch = static_cast<char>((t - n) & 0xFF);
    }
    return out;
}

std::string mapHighCharacters(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<uint8_t>(ch);
        if (c >= 0x80) ch = static_cast<char>(highCharacterMap[c - 0x80]);
    }
    return out;
}

void StoryReader::truncated() const {
    throw FatalError(loadMessages::truncatedFile(fileName_));
}

uint8_t StoryReader::u8() {
    if (pos_ >= bytes_.size()) truncated();
    return bytes_[pos_++];
}

uint16_t StoryReader::u16be() {
    const uint16_t high = u8();
    return static_cast<uint16_t>((high << 8) | u8());
}

int32_t StoryReader::i32le() {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{u8()} << shift;
    return static_cast<int32_t>(value);
}

std::string StoryReader::readPlainString() {
    const std::size_t n = u8();
    if (bytes_.size() - pos_ < n) truncated();
    std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
    pos_ += n;
    return text;
}

std::string StoryReader::readScrambledString() { return decodeScrambled(readPlainString()); }

CodeBlock StoryReader::readCode(std::vector<uint8_t>& codeArea, std::size_t& codeFill) {
    const std::size_t n = u16be();
    if (bytes_.size() - pos_ < n) truncated();
    if (codeFill + n > codeArea.size()) throw FatalError(loadMessages::codeAreaFull());
    CodeBlock block{static_cast<uint16_t>(codeFill / 4), static_cast<uint16_t>(n)};
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), n,
                codeArea.begin() + static_cast<std::ptrdiff_t>(codeFill));
    pos_ += n;
    codeFill = (codeFill + n + 3) & ~std::size_t{3};
    return block;
}

ObjectSet StoryReader::readSet() {
    ObjectSet set;
    const int n = u8();
    for (int i = 0; i < n; ++i) set.insert(u8());
    return set;
}

void StoryReader::expectMarker(std::string_view marker) {
    if (readScrambledString() != marker)
        throw FatalError(loadMessages::wrongSectionMarker(marker),
                         FatalError::Report::ConsoleLines);
}

}  // namespace rux
