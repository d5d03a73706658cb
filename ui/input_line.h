#pragma once
// The borderless command field inside the text area. Its owner sees every
// key before the field does and may swallow it (Enter, Up, Down, F1..F10).

#include <QLineEdit>
#include <functional>

namespace rux::ui {

class InputLine : public QLineEdit {
    Q_OBJECT
  public:
    explicit InputLine(QWidget* parent);

    std::function<bool(QKeyEvent*)> onKeyDown;
    std::function<bool(QWheelEvent*)> onWheel;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace rux::ui
