#pragma once
// Screen readers cannot read a painted text area; the window hands them the
// text it shows through Qt's accessibility events.

#include <QString>
#include <string>

class QWidget;

namespace rux::ui {

// Lets screen readers read the painted boxes (PaintBox) like read-only
// text fields, by the text each gives (PaintBox::accessibleText).
void installTextAccessibility();

// Makes `text` the widget's accessible description and tells an active
// screen reader to read it out; for a painted box with text, as text
// added at its end.
void announce(QWidget* widget, const QString& text);

// The part of `after` that `before` did not hold yet: the text a turn added
// to the scrollback, which may have lost lines at its start meanwhile.
std::string addedText(const std::string& before, const std::string& after);

} // namespace rux::ui
