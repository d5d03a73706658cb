#include "ui/more_form.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace rux::ui {

namespace {
const QString kPromptText = QStringLiteral(". . .");
}

Tmoreform::Tmoreform(QWidget* parent) : QWidget(parent) {
    setObjectName("moreform");
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Weiter mit der Eingabetaste oder der Leertaste"));
    hide();
}

PagingAnswer Tmoreform::wait(QPoint position, const QFont& font, int height, const QColor& text,
                             const QColor& background) {
    QFont bold = font;
    bold.setBold(true);
    setFont(bold);
    text_ = text;
    background_ = background;
    const int width = QFontMetrics(bold).horizontalAdvance(kPromptText) + 4;
    setGeometry(position.x(), position.y(), width, height);
    answer_.reset();
    ++timesShown_;
    show();
    raise();
    setFocus();
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    // Only the application's end leaves the loop without an answer.
    if (!answer_) answer_ = PagingAnswer::Enter;
    hide();
    return *answer_;
}

bool Tmoreform::answer(int qtKey) {
    if (loop_ == nullptr) return false;
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        answer_ = PagingAnswer::Enter;
    else if (qtKey == Qt::Key_Space)
        answer_ = PagingAnswer::Space;
    else
        return false;
    loop_->quit();
    return true;
}

void Tmoreform::keyPressEvent(QKeyEvent* event) {
    answer(event->key());
}

void Tmoreform::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(text_);
    painter.setFont(font());
    painter.drawText(QPoint(0, QFontMetrics(font()).ascent()), kPromptText);
}

} // namespace rux::ui
