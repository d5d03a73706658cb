#include "ui/help_viewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace rux::ui {
namespace {

// Help files are small; anything larger is not ours.
constexpr qint64 kMaxHelpSize = 4 << 20;

bool hasAnchor(const QString& html, const QString& topic) {
    const QString quoted = QRegularExpression::escape(topic);
    const QRegularExpression anchor(
        QStringLiteral("\\b(name|id)\\s*=\\s*[\"']?%1[\"'\\s>]").arg(quoted),
        QRegularExpression::CaseInsensitiveOption);
    return anchor.match(html).hasMatch();
}

// The one help window of a parent, made on first use.
QTextBrowser* helpBrowser(QWidget* parent) {
    if (parent) {
        if (auto* existing = parent->findChild<QTextBrowser*>("helpbrowser")) return existing;
    }
    auto* window = new QWidget(parent, Qt::Window);
    window->setObjectName("helpviewer");
    window->setWindowTitle(QStringLiteral("WinRUX-Hilfe"));
    if (!parent) window->setAttribute(Qt::WA_DeleteOnClose);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName("helpbrowser");
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    window->resize(640, 560);
    return browser;
}

} // namespace

QString helpFilePath(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    QString name = executable.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0) name.truncate(dot);
    const QString path = executable.dir().filePath(name + QStringLiteral(".HLP"));
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? path : QString();
}

bool showHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic) {
    if (helpFile.isEmpty()) return false;
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString html = QString::fromUtf8(file.read(kMaxHelpSize));
    if (!topic.isEmpty() && !hasAnchor(html, topic)) return false;

    QTextBrowser* browser = helpBrowser(parent);
    // The ending is ours, so the browser is told that the file is HTML.
    QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
    url.setFragment(topic);
    QWidget* window = browser->window();
    window->show();
    browser->setSource(url, QTextDocument::HtmlResource);
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace rux::ui
