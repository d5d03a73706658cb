#include "ui/paint_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace rux::ui {

void PaintBox::paintEvent(QPaintEvent*) {
    if (!onPaint) return;
    QPainter painter(this);
    onPaint(painter);
}

void PaintBox::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(event)) return;
    QWidget::keyPressEvent(event);
}

void PaintBox::wheelEvent(QWheelEvent* event) {
    if (onWheel && onWheel(event)) return;
    QWidget::wheelEvent(event);
}

} // namespace rux::ui
