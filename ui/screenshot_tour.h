#pragma once
// `winrux --screenshot DIR STORY`: plays the first part of a story by
// itself, answering every paging prompt, and saves pictures of the window
// along the way (start, a turn, a text box, a narrower window, the
// scrollback, the display options) as PNG files in DIR, then closes. The
// program's exit status tells whether every picture was written. Without a
// story and walkthrough it pictures the empty window (nostory.png).

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace rux::ui {

class Tmainform;

class ScreenshotTour : public QObject {
    Q_OBJECT
  public:
    ScreenshotTour(Tmainform& window, QString folder, QStringList commands);

  private:
    void tick();
    void nextStep();
    void enter(const QString& command);
    void save(QWidget* widget, const QString& name);

    Tmainform& window_;
    QString folder_;
    QStringList commands_;
    QTimer poll_;
    int step_ = 0;
    bool stepRunning_ = false;
    bool textBoxTaken_ = false;
    int failures_ = 0;
    int idleTicks_ = 0;
};

} // namespace rux::ui
