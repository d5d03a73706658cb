#pragma once
// Taboutbox, the non-modal "Info über WinRUX" box: icon, title, subtitle,
// platform line, version line and an OK button that closes it.

#include <QDialog>

class QLabel;

namespace rux::ui {

class Taboutbox : public QDialog {
    Q_OBJECT
  public:
    explicit Taboutbox(QWidget* parent = nullptr);

    // The main window sets the version line at start-up.
    void setVersionLine(const QString& text);
    QString versionLine() const;

  private:
    QLabel* versionlabel_;
};

} // namespace rux::ui
