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

// The same words without a string of their own: 0..100 from a table made at
// compile time, other numbers in digits in a small buffer.
class NumberWords {
  public:
    explicit NumberWords(int32_t n);
    NumberWords(const NumberWords&) = delete; // the view may point into the object
    NumberWords& operator=(const NumberWords&) = delete;
    std::string_view view() const { return view_; }

  private:
    char digits_[12]; // any 32-bit number with its sign
    std::string_view view_;
};

// The ordinal without its adjective ending ("zweit", "zwanzigst"); beyond
// 100 (either sign) the digits and a full stop.
std::string ordinalStem(int32_t n);
// Small roman letters for 1..3500, at most 12 of them; digits otherwise.
std::string romanNumeral(int32_t n);
// "a" for 1 up to "z" for 26, "`" for 0, "?" for anything else.
char letterFor(int32_t n);

} // namespace rux
