#pragma once
// Reads the parameters of markup codes from the text being formatted.
// Reading past the end yields the character 0, which counts as a bad digit,
// so a cut-off code still produces a value and never reads outside the text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

// The grammatical case a letter of a markup code names: "1"/"A"/"a"
// accusative (1), "2"/"D"/"d" dative (2), anything else nominative (0).
int caseOfLetter(char letter);

class MarkupReader {
  public:
    MarkupReader(Engine& engine, std::string_view text) : engine_(engine), text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    // The character `ahead` places after the next one, 0 past the end.
    char peekAhead(std::size_t ahead) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }
    bool peekIsDigit() const { return peek() >= '0' && peek() <= '9'; }
    char next() {
        if (atEnd()) return '\0';
        previous_ = text_[pos_++];
        return previous_;
    }
    char previous() const { return previous_; }

    // The plain text up to the next "/" (or the end); leaves the reader on it.
    std::string_view upToSlash() {
        const std::size_t start = pos_;
        pos_ = std::min(text_.find('/', pos_), text_.size());
        return text_.substr(start, pos_ - start);
    }
    // The text up to the character, which is consumed too.
    std::string_view upTo(char stop);

    // Two upper-case hex digits; any other character counts as -1; modulo 256.
    int hexPair();
    // Operand kind and operand as two hex pairs, read as a value.
    int32_t valueRef();
    // A selector and a hex pair read as a value, or "*" for the last object.
    uint8_t objectRef();
    // The next character read as a case letter (caseOfLetter).
    int caseLetter() { return caseOfLetter(next()); }

  private:
    Engine& engine_;
    std::string_view text_;
    std::size_t pos_ = 0;
    char previous_ = '\0';
};

} // namespace rux
