#include "ui/options_bridge.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#if __has_include("ui/settings_file.h")
#include "ui/settings_file.h"
#define RUX_HAS_SETTINGS_FILE 1
#endif
#if __has_include("ui/file_history.h")
#include "ui/file_history.h"
#define RUX_HAS_FILE_HISTORY 1
#endif
#if __has_include("ui/screen_placement.h")
#include "ui/screen_placement.h"
#define RUX_HAS_SCREEN_PLACEMENT 1
#endif
#if __has_include("ui/style_dialog.h")
#include "ui/style_dialog.h"
#define RUX_HAS_STYLE_DIALOG 1
#endif
#if __has_include("ui/about_box.h")
#include "ui/about_box.h"
#define RUX_HAS_ABOUT_BOX 1
#endif
#if __has_include("ui/help_viewer.h")
#include "ui/help_viewer.h"
#define RUX_HAS_HELP_VIEWER 1
#endif

namespace rux::ui {

namespace {

[[maybe_unused]] QString executablePath() {
    return QCoreApplication::applicationFilePath();
}

} // namespace

WindowSettings loadWindowSettings() {
#ifdef RUX_HAS_SETTINGS_FILE
    return readSettings(settingsFilePath(executablePath()));
#else
    return {};
#endif
}

void saveWindowSettings([[maybe_unused]] const WindowSettings& settings) {
#ifdef RUX_HAS_SETTINGS_FILE
    writeSettings(settingsFilePath(executablePath()), settings);
#endif
}

void addStoryToHistory(FileHistory& history, const QString& path) {
#ifdef RUX_HAS_FILE_HISTORY
    addToHistory(history, path);
#else
    FileHistory updated{path};
    int next = 1;
    for (const QString& entry : history)
        if (!entry.isEmpty() && entry != path && next < static_cast<int>(updated.size()))
            updated[next++] = entry;
    history = updated;
#endif
}

QRect placedOnScreen(const QRect& geometry) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) return geometry;
#ifdef RUX_HAS_SCREEN_PLACEMENT
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    return placeOnScreen(geometry, screens, primary->availableGeometry());
#else
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(geometry)) return geometry;
    QRect moved = geometry;
    moved.moveTopLeft(primary->availableGeometry().topLeft());
    return moved;
#endif
}

WindowDialogs::WindowDialogs(QWidget* parent) : parent_(parent) {
#ifdef RUX_HAS_ABOUT_BOX
    auto* about = new Taboutbox(parent);
    about->setVersionLine(QStringLiteral("Version 0.1 beta (23.11.2003)"));
    aboutBox_ = about;
#endif
#ifdef RUX_HAS_STYLE_DIALOG
    auto* dialog = new Tstyledialog(parent);
    QObject::connect(dialog, &Tstyledialog::optionsApplied, parent,
                     [this](const DisplayOptions& options) {
                         if (applied_) applied_(options);
                     });
    styleDialog_ = dialog;
#endif
}

bool WindowDialogs::displayOptionsAvailable() const {
    return styleDialog_ != nullptr;
}

void WindowDialogs::showDisplayOptions([[maybe_unused]] const DisplayOptions& current,
                                       std::function<void(const DisplayOptions&)> applied) {
    applied_ = std::move(applied);
#ifdef RUX_HAS_STYLE_DIALOG
    static_cast<Tstyledialog*>(styleDialog_)->showFor(current);
#endif
}

void WindowDialogs::showAbout() {
    if (aboutBox_ != nullptr) {
        aboutBox_->show();
        aboutBox_->raise();
        return;
    }
    QMessageBox::about(parent_, QStringLiteral("Info über WinRUX"),
                       QStringLiteral("WinRUX\nRux-Spielwerk\nVersion 0.1 beta (23.11.2003)"));
}

QString findHelpFile() {
#ifdef RUX_HAS_HELP_VIEWER
    return helpFilePath(executablePath());
#else
    return {};
#endif
}

bool openHelpTopic([[maybe_unused]] QWidget* parent, [[maybe_unused]] const QString& helpFile,
                   [[maybe_unused]] const QString& topic) {
#ifdef RUX_HAS_HELP_VIEWER
    return showHelpTopic(parent, helpFile, topic);
#else
    return false;
#endif
}

} // namespace rux::ui
