#pragma once
// The window's use of the settings file, the file history, the screen
// placement, the display options dialog, the about box and the help viewer:
// the window calls these and need not know where the program keeps its
// settings or help file.

#include "ui/display_settings.h"

#include <QList>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace rux::ui {
class Taboutbox;
class Tstyledialog;
} // namespace rux::ui

namespace rux::ui {

WindowSettings loadWindowSettings();
void saveWindowSettings(const WindowSettings& settings);

// The front of the history, without duplicates, at most four entries.
void addStoryToHistory(FileHistory& history, const QString& path);

// A saved geometry moved onto a screen where it lies off every screen.
QRect placedOnScreen(const QRect& geometry);

// The non-modal dialogs the window owns; both are created once.
class WindowDialogs {
  public:
    explicit WindowDialogs(QWidget* parent);
    // Shows the display options dialog on the current options; `applied`
    // receives the player's choice when it is confirmed.
    void showDisplayOptions(const DisplayOptions& current,
                            std::function<void(const DisplayOptions&)> applied);
    void showAbout();
    QWidget* displayOptionsDialog() const;

  private:
    Tstyledialog* styleDialog_ = nullptr;
    Taboutbox* aboutBox_ = nullptr;
    std::function<void(const DisplayOptions&)> applied_;
};

// The help file beside the program, or empty when there is none.
QString findHelpFile();
// Opens the help file at a topic; false when that fails.
bool openHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic);

} // namespace rux::ui
