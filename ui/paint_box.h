#pragma once
// A widget that leaves its painting and its keys to its owner: the text
// area and the status line are painted by the main window's handlers.

#include <QWidget>
#include <functional>

namespace rux::ui {

class PaintBox : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    std::function<void(QPainter&)> onPaint;
    // Returns true when the key was taken.
    std::function<bool(QKeyEvent*)> onKey;
    // Returns true when the wheel turn was taken.
    std::function<bool(QWheelEvent*)> onWheel;
    // The text shown, for screen readers; none for a box without text.
    std::function<QString()> accessibleText;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace rux::ui
