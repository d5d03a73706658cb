#pragma once
// Tstyledialog, the "Anzeige" dialog: font, size, font style, text colour
// and, for the text area, status line and scrollback, the background
// colour of each of the five text styles, plus page margin and line
// spacing, with a live preview. It edits a working copy; OK emits the
// sanitised copy through optionsApplied and closes, Cancel drops it. The
// main window owns the live values and applies what the signal brings.

#include "ui/display_settings.h"

#include <QDialog>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QWidget;

namespace rux::ui {

class Tstyledialog : public QDialog {
    Q_OBJECT
  public:
    // Opens the colour chooser preset to a colour; an invalid result means
    // the player cancelled it. Replaceable so that tests need no modal loop.
    using ColourChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;

    explicit Tstyledialog(QWidget* parent = nullptr);

    // Makes a fresh working copy of current and shows the dialog non-modally;
    // while it is already open it only comes to the front.
    void showFor(const DisplayOptions& current);

    const DisplayOptions& workingCopy() const { return working_; }
    TextStyle selectedStyle() const { return selected_; }
    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

    // Draws the preview for the working copy into a painter of the given width.
    void samplePaint(QPainter& painter, int width) const;

  signals:
    void optionsApplied(const rux::ui::DisplayOptions& options);

  private:
    void FormCreate();
    void FormShow();
    void selectStyle(TextStyle style);
    void refreshSwatches();
    void fontcomboChange();
    void sizecomboChange();
    void styleButtonClick(QAbstractButton* button, int bit);
    void fgbuttonClick();
    void bgbuttonClick();
    void lineheighteditChange();
    void lineheighteditDone();
    void bordereditChange();
    void bordereditDone();
    void OKbuttonClick();
    void cancelbuttonClick();

    QColor* selectedBackground();
    void repaintSample();

    DisplayOptions working_;
    TextStyle selected_ = TextStyle::Normal;
    ColourChooser chooseColour_;

    std::array<QRadioButton*, kTextStyleCount> radios_{};
    QComboBox* fontcombo_ = nullptr;
    QComboBox* sizecombo_ = nullptr;
    QPushButton* boldbutton_ = nullptr;
    QPushButton* italicbutton_ = nullptr;
    QPushButton* underlinebutton_ = nullptr;
    QPushButton* fgbutton_ = nullptr;
    QPushButton* bgbutton_ = nullptr;
    QLineEdit* lineheightedit_ = nullptr;
    QLineEdit* borderedit_ = nullptr;
    QWidget* sample_ = nullptr;
    bool filling_ = false; // controls are being set from the working copy
};

} // namespace rux::ui
