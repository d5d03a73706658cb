#include "engine/text/markup_reader.h"

#include "engine/engine.h"
#include "engine/script/values.h"

namespace rux {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string_view MarkupReader::upTo(char stop) {
    const std::size_t start = pos_;
    const std::size_t at = text_.find(stop, pos_);
    pos_ = at == std::string_view::npos ? text_.size() : at + 1;
    return text_.substr(start, (at == std::string_view::npos ? text_.size() : at) - start);
}

int MarkupReader::hexPair() {
    const int high = hexDigit(next());
    const int low = hexDigit(next());
    return ((high * 16 + low) % 256 + 256) % 256;
}

int32_t MarkupReader::valueRef() {
    const int kind = hexPair();
    const int operand = hexPair();
    return readValue(engine_, static_cast<uint8_t>(kind), static_cast<uint8_t>(operand));
}

uint8_t MarkupReader::objectRef() {
    const char selector = next();
    uint8_t& last = engine_.text.lastObject;
    if (selector == '*') return last;
    const int operand = hexPair();
    const int kind = (static_cast<uint8_t>(selector) - 32 + 256) % 256;
    last = static_cast<uint8_t>(
        readValue(engine_, static_cast<uint8_t>(kind), static_cast<uint8_t>(operand)) & 0xFF);
    return last;
}

int caseOfLetter(char letter) {
    switch (letter) {
    case '1':
    case 'A':
    case 'a': return 1;
    case '2':
    case 'D':
    case 'd': return 2;
    default: return 0;
    }
}

} // namespace rux
