#include "ui/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace rux::ui {
namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

Taboutbox::Taboutbox(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutbox");
    setWindowTitle(QStringLiteral("Info über WinRUX"));
    setModal(false);

    auto* icon = namedLabel("icon", QString(), this);
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull()) appIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    icon->setPixmap(appIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* title = namedLabel("title", QStringLiteral("WinRUX"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* subtitle = namedLabel("subtitle", QStringLiteral("Rux-Spielwerk"), this);
    auto* platform = namedLabel("platform", QStringLiteral("für Windows 9x, NT"), this);
    versionlabel_ = namedLabel("version", QString(), this);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName("OKbutton");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::close);

    auto* texts = new QVBoxLayout;
    for (QLabel* label : {title, subtitle, platform, versionlabel_})
        texts->addWidget(label);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Taboutbox::setVersionLine(const QString& text) {
    versionlabel_->setText(text);
}

QString Taboutbox::versionLine() const {
    return versionlabel_->text();
}

} // namespace rux::ui
