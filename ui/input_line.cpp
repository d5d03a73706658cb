#include "ui/input_line.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace rux::ui {

InputLine::InputLine(QWidget* parent) : QLineEdit(parent) {
    setObjectName("inputline");
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
}

// The function keys would otherwise reach the menus' shortcuts first.
bool InputLine::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F10) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InputLine::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown && onKeyDown(event)) return;
    QLineEdit::keyPressEvent(event);
}

void InputLine::wheelEvent(QWheelEvent* event) {
    if (onWheel && onWheel(event)) return;
    QLineEdit::wheelEvent(event);
}

} // namespace rux::ui
