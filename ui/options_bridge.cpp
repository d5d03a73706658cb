#include "ui/options_bridge.h"

#include "ui/about_box.h"
#include "ui/file_history.h"
#include "ui/help_viewer.h"
#include "ui/screen_placement.h"
#include "ui/settings_file.h"
#include "ui/style_dialog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace rux::ui {

namespace {

QString executablePath() {
    return QCoreApplication::applicationFilePath();
}

} // namespace

WindowSettings loadWindowSettings() {
    return readSettings(settingsFilePath(executablePath()));
}

void saveWindowSettings(const WindowSettings& settings) {
    const QString path = settingsFilePath(executablePath());
    // The window is closing: the player hears of it now or never.
    if (!writeSettings(path, settings))
        QMessageBox::warning(nullptr, QStringLiteral("R.U.X."),
                             QStringLiteral("Die Einstellungen konnten nicht in „%1“ "
                                            "gespeichert werden.")
                                 .arg(path));
}

void addStoryToHistory(FileHistory& history, const QString& path) {
    addToHistory(history, path);
}

QRect placedOnScreen(const QRect& geometry) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) return geometry;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    return placeOnScreen(geometry, screens, primary->availableGeometry());
}

WindowDialogs::WindowDialogs(QWidget* parent) {
    auto* about = new Taboutbox(parent);
    about->setVersionLine(QStringLiteral("Version 0.1 beta (23.11.2003)"));
    aboutBox_ = about;
    auto* dialog = new Tstyledialog(parent);
    QObject::connect(dialog, &Tstyledialog::optionsApplied, parent,
                     [this](const DisplayOptions& options) {
                         if (applied_) applied_(options);
                     });
    styleDialog_ = dialog;
}

void WindowDialogs::showDisplayOptions(const DisplayOptions& current,
                                       std::function<void(const DisplayOptions&)> applied) {
    applied_ = std::move(applied);
    styleDialog_->showFor(current);
}

void WindowDialogs::showAbout() {
    aboutBox_->show();
    aboutBox_->raise();
}

QWidget* WindowDialogs::displayOptionsDialog() const {
    return styleDialog_;
}

QString findHelpFile() {
    return helpFilePath(executablePath());
}

bool openHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic) {
    return showHelpTopic(parent, helpFile, topic);
}

} // namespace rux::ui
