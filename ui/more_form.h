#pragma once
// The paging prompt: ". . ." in bold right after the text of the current
// line, waiting in a nested event loop for Enter (almost a screenful more)
// or Space (one more line). Other keys are ignored.

#include "engine/host.h"

#include <QEventLoop>
#include <QFont>
#include <QWidget>
#include <optional>

namespace rux::ui {

class Tmoreform : public QWidget {
    Q_OBJECT
  public:
    explicit Tmoreform(QWidget* parent);

    // Shows the prompt with its top-left corner at `position` in the given
    // font (made bold), height and colours, and waits for the answer.
    PagingAnswer wait(QPoint position, const QFont& font, int height, const QColor& text,
                      const QColor& background);
    bool waiting() const { return loop_ != nullptr; }
    // How often the prompt has been shown.
    int timesShown() const { return timesShown_; }
    // Answers the open prompt with a key; false when the key is not one.
    bool answer(int qtKey);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QEventLoop* loop_ = nullptr;
    std::optional<PagingAnswer> answer_;
    int timesShown_ = 0;
    QColor text_;
    QColor background_;
};

} // namespace rux::ui
