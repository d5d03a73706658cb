#include "term/line_editor.h"

namespace rux::term {

void LineEditor::set(const std::string& text) {
    text_ = text.substr(0, maxLength_);
    caret_ = text_.size();
    scroll_ = 0;
}

bool LineEditor::insert(char c) {
    if (text_.size() >= maxLength_) return false;
    text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(caret_), c);
    ++caret_;
    return true;
}

void LineEditor::backspace() {
    if (caret_ == 0) return;
    text_.erase(--caret_, 1);
}

void LineEditor::deleteForward() {
    if (caret_ < text_.size()) text_.erase(caret_, 1);
}

// The caret needs a cell of its own, also behind the last character.
std::size_t LineEditor::firstVisible(std::size_t width) {
    if (width == 0) width = 1;
    if (caret_ < scroll_) scroll_ = caret_;
    if (caret_ >= scroll_ + width) scroll_ = caret_ - width + 1;
    return scroll_;
}

} // namespace rux::term
