#include "ui/accessibility.h"

#include "ui/paint_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>
#include <string_view>

namespace rux::ui {

namespace {

// A painted box read as a read-only text without a caret or selection.
class PaintedTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit PaintedTextAccessible(PaintBox* box)
        : QAccessibleWidget(box, QAccessible::StaticText), box_(box) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return shown();
        return QAccessibleWidget::text(kind);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString all = shown();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QString shown() const { return box_->accessibleText ? box_->accessibleText() : QString(); }
    PaintBox* box_;
};

QAccessibleInterface* paintedTextFactory(const QString&, QObject* object) {
    // Asked as soon as the box exists, before its owner has given it text.
    auto* box = qobject_cast<PaintBox*>(object);
    return box == nullptr ? nullptr : new PaintedTextAccessible(box);
}

} // namespace

void installTextAccessibility() {
    QAccessible::installFactory(paintedTextFactory);
}

void announce(QWidget* widget, const QString& text) {
    widget->setAccessibleDescription(text);
    if (!QAccessible::isActive()) return;
    if (auto* box = qobject_cast<PaintBox*>(widget); box && box->accessibleText) {
        const int end = static_cast<int>(box->accessibleText().size());
        QAccessibleTextInsertEvent inserted(widget,
                                            std::max(0, end - static_cast<int>(text.size())), text);
        QAccessible::updateAccessibility(&inserted);
    }
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
