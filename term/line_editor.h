#pragma once
// The text of an input field and its caret, in Windows-1252 (one byte is
// one character and one terminal cell).

#include <cstddef>
#include <string>

namespace rux::term {

class LineEditor {
  public:
    explicit LineEditor(std::size_t maxLength) : maxLength_(maxLength) {}

    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }

    // Replaces the text (cut to the field's length); the caret goes to its end.
    void set(const std::string& text);
    void clear() { set(std::string()); }

    // Inserts at the caret; false when the field is full.
    bool insert(char c);
    void left() { caret_ -= caret_ > 0 ? 1 : 0; }
    void right() { caret_ += caret_ < text_.size() ? 1 : 0; }
    void home() { caret_ = 0; }
    void end() { caret_ = text_.size(); }
    void backspace();
    void deleteForward();

    // The first character to show when `width` cells are available, so that
    // the caret stays in view.
    std::size_t firstVisible(std::size_t width);

  private:
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t scroll_ = 0;
    std::size_t maxLength_;
};

} // namespace rux::term
