#pragma once
// Numbers as German prose needs them: cardinal words, ordinal stems, roman
// numerals and letters of the alphabet.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

// 0..100 in words ("ein" for 1, "hundert" for 100); other numbers in digits.
std::string numberWords(int32_t n);

// The same words in a buffer of their own: printing a number builds no string.
class NumberWords {
  public:
    explicit NumberWords(int32_t n);
    std::string_view view() const { return {text_, size_}; }

  private:
    // Room for the longest word ("siebenundsiebzig") and for any 32-bit
    // number in digits with its sign.
    static constexpr std::size_t capacity = 16;
    char text_[capacity];
    std::size_t size_ = 0;
};
// The ordinal without its adjective ending ("zweit", "zwanzigst"); beyond
// 100 (either sign) the digits and a full stop.
std::string ordinalStem(int32_t n);
// Small roman letters for 1..3500, at most 12 of them; digits otherwise.
std::string romanNumeral(int32_t n);
// "a" for 1 up to "z" for 26, "`" for 0, "?" for anything else.
char letterFor(int32_t n);

} // namespace rux
