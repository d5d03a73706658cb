#include "ui/accessibility.h"

#include <QAccessible>
#include <QWidget>
#include <string_view>

namespace rux::ui {

void announce(QWidget* widget, const QString& text) {
    widget->setAccessibleDescription(text);
    if (!QAccessible::isActive()) return;
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

std::string addedText(const std::string& before, const std::string& after) {
    // Lines leave the log only at its start: find the first line of the old
    // log from which on it still stands at the start of the new one.
    for (std::size_t from = 0; from <= before.size();) {
        const std::string_view kept = std::string_view(before).substr(from);
        if (std::string_view(after).starts_with(kept)) return after.substr(kept.size());
        const std::size_t lf = before.find('\n', from);
        if (lf == std::string::npos) break;
        from = lf + 1;
    }
    return after;
}

} // namespace rux::ui
