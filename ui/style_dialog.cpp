#include "ui/style_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace rux::ui {
namespace {

const int kSizeList[] = {6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18, 20, 24, 28, 32, 36, 40, 48};
const QSize kSwatchSize(96, 24);
const QColor kSilver(0xC0, 0xC0, 0xC0);

struct RadioEntry {
    const char* name;
    const char* caption;
};
const RadioEntry kRadios[kTextStyleCount] = {
    {"normalradio", "normaler Text"}, {"boldradio", "fetter Text"}, {"inputradio", "Eingabetext"},
    {"statusradio", "Statuszeile"},   {"scrollradio", "Rückblick"},
};

// The preview pane; the dialog paints it.
class SamplePane : public QWidget {
  public:
    explicit SamplePane(const Tstyledialog* dialog, QWidget* parent)
        : QWidget(parent), dialog_(dialog) {
        setObjectName("sample");
        setMinimumSize(380, 150);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setClipRect(rect());
        dialog_->samplePaint(painter, width());
    }

  private:
    const Tstyledialog* dialog_;
};

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* label(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
    auto* result = named(new QLabel(QString::fromUtf8(text), parent), name);
    result->setBuddy(buddy);
    return result;
}

QPixmap swatch(const QColor& colour) {
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawRect(QRect(3, 3, 87, 15)); // (3, 3) to (91, 19) with its 1-pixel border
    return pixmap;
}

// The same swatch in every button state, so that a disabled button shows
// its silver as it is instead of a greyed copy.
QIcon swatchIcon(const QColor& colour) {
    const QPixmap pixmap = swatch(colour);
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Disabled);
    return icon;
}

// The fonts the preview draws with, and where it draws: text at (x, top)
// with top the upper edge of the line; returns the pen position after it.
int drawAt(QPainter& painter, const StyleFont& font, int x, int top, const QString& text) {
    const QFont qfont = toQFont(font);
    painter.setFont(qfont);
    painter.setPen(font.colour);
    const QFontMetrics metrics(qfont, painter.device());
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
    return x + metrics.horizontalAdvance(text);
}

int textHeight(QPainter& painter, const StyleFont& font) {
    return QFontMetrics(toQFont(font), painter.device()).height();
}

bool parseInt(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok) value = parsed;
    return ok;
}

} // namespace

Tstyledialog::Tstyledialog(QWidget* parent) : QDialog(parent) {
    chooseColour_ = [this](const QColor& initial, QWidget* owner) {
        Q_UNUSED(owner);
        auto* colordialog = findChild<QColorDialog*>("colordialog");
        colordialog->setCurrentColor(initial);
        return colordialog->exec() == QDialog::Accepted ? colordialog->selectedColor() : QColor();
    };
    FormCreate();
}

void Tstyledialog::FormCreate() {
    setObjectName("styledialog");
    setWindowTitle(QStringLiteral("Anzeige"));
    setModal(false);
    named(new QColorDialog(this), "colordialog");

    auto* samplepanel = named(new QFrame(this), "samplepanel");
    samplepanel->setFrameShape(QFrame::StyledPanel);
    samplepanel->setFrameShadow(QFrame::Sunken);
    sample_ = new SamplePane(this, samplepanel);
    auto* sampleLayout = new QVBoxLayout(samplepanel);
    sampleLayout->setContentsMargins(1, 1, 1, 1);
    sampleLayout->addWidget(sample_);

    auto* radioColumn = new QVBoxLayout;
    for (int i = 0; i < kTextStyleCount; ++i) {
        radios_[i] =
            named(new QRadioButton(QString::fromUtf8(kRadios[i].caption), this), kRadios[i].name);
        const auto style = static_cast<TextStyle>(i);
        connect(radios_[i], &QRadioButton::toggled, this, [this, style](bool on) {
            if (on && !filling_) selectStyle(style);
        });
        radioColumn->addWidget(radios_[i]);
    }
    radioColumn->addStretch();

    auto* fontbox = named(new QGroupBox(QStringLiteral("Schrift und Farbe"), this), "fontbox");
    fontcombo_ = named(new QComboBox(fontbox), "fontcombo");
    fontcombo_->setEditable(true);
    fontcombo_->setInsertPolicy(QComboBox::NoInsert);
    fontcombo_->addItems(QFontDatabase::families());
    connect(fontcombo_, &QComboBox::textActivated, this, [this] { fontcomboChange(); });
    connect(fontcombo_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { fontcomboChange(); });

    sizecombo_ = named(new QComboBox(fontbox), "sizecombo");
    sizecombo_->setEditable(true);
    sizecombo_->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizeList)
        sizecombo_->addItem(QString::number(size));
    connect(sizecombo_, &QComboBox::textActivated, this, [this] { sizecomboChange(); });
    connect(sizecombo_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { sizecomboChange(); });

    auto styleButton = [this, fontbox](const char* name, const char* caption, const char* hint,
                                       int bit) {
        auto* button = named(new QPushButton(QString::fromLatin1(caption), fontbox), name);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setToolTip(QString::fromUtf8(hint));
        button->setFixedWidth(button->sizeHint().height() + 4);
        QFont font = button->font();
        font.setBold(bit == kBoldBit);
        font.setItalic(bit == kItalicBit);
        font.setUnderline(bit == kUnderlineBit);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this,
                [this, button, bit] { styleButtonClick(button, bit); });
        return button;
    };
    boldbutton_ = styleButton("boldbutton", "F", "Fettdruck", kBoldBit);
    italicbutton_ = styleButton("italicbutton", "K", "Kursiv", kItalicBit);
    underlinebutton_ = styleButton("underlinebutton", "U", "Unterstrichen", kUnderlineBit);

    auto colourButton = [this, fontbox](const char* name) {
        auto* button = named(new QPushButton(fontbox), name);
        button->setAutoDefault(false);
        button->setIconSize(kSwatchSize);
        return button;
    };
    fgbutton_ = colourButton("fgbutton");
    bgbutton_ = colourButton("bgbutton");
    connect(fgbutton_, &QPushButton::clicked, this, [this] { fgbuttonClick(); });
    connect(bgbutton_, &QPushButton::clicked, this, [this] { bgbuttonClick(); });

    auto* styleRow = new QHBoxLayout;
    for (QPushButton* button : {boldbutton_, italicbutton_, underlinebutton_})
        styleRow->addWidget(button);
    styleRow->addStretch();
    auto* fontGrid = new QGridLayout(fontbox);
    fontGrid->addWidget(label("fontlabel", "Schriftart:", fontcombo_, fontbox), 0, 0);
    fontGrid->addWidget(fontcombo_, 0, 1);
    fontGrid->addWidget(label("sizelabel", "Schriftgröße:", sizecombo_, fontbox), 1, 0);
    fontGrid->addWidget(sizecombo_, 1, 1, Qt::AlignLeft);
    fontGrid->addWidget(label("fontstylelabel", "Schriftschnitt:", boldbutton_, fontbox), 2, 0);
    fontGrid->addLayout(styleRow, 2, 1);
    fontGrid->addWidget(label("fglabel", "Textfarbe:", fgbutton_, fontbox), 3, 0);
    fontGrid->addWidget(fgbutton_, 3, 1, Qt::AlignLeft);
    fontGrid->addWidget(label("bglabel", "Hintergrundfarbe:", bgbutton_, fontbox), 4, 0);
    fontGrid->addWidget(bgbutton_, 4, 1, Qt::AlignLeft);

    auto* generalbox =
        named(new QGroupBox(QStringLiteral("Seiteneinstellungen"), this), "generalbox");
    lineheightedit_ = named(new QLineEdit(generalbox), "lineheightedit");
    borderedit_ = named(new QLineEdit(generalbox), "borderedit");
    for (QLineEdit* edit : {lineheightedit_, borderedit_})
        edit->setMaximumWidth(80);
    connect(lineheightedit_, &QLineEdit::textEdited, this, [this] { lineheighteditChange(); });
    connect(lineheightedit_, &QLineEdit::editingFinished, this, [this] { lineheighteditDone(); });
    connect(borderedit_, &QLineEdit::textEdited, this, [this] { bordereditChange(); });
    connect(borderedit_, &QLineEdit::editingFinished, this, [this] { bordereditDone(); });
    auto* generalGrid = new QGridLayout(generalbox);
    generalGrid->addWidget(label("lineheightlabel", "Zeilenabstand:", lineheightedit_, generalbox),
                           0, 0);
    generalGrid->addWidget(lineheightedit_, 0, 1);
    generalGrid->addWidget(new QLabel(QStringLiteral("%"), generalbox), 0, 2);
    generalGrid->addWidget(label("borderlabel", "Seitenrand:", borderedit_, generalbox), 1, 0);
    generalGrid->addWidget(borderedit_, 1, 1);
    generalGrid->addWidget(new QLabel(QStringLiteral("Pixel"), generalbox), 1, 2);
    generalGrid->setColumnStretch(3, 1);

    auto* okButton = named(new QPushButton(QStringLiteral("OK"), this), "OKbutton");
    okButton->setDefault(true);
    auto* cancelButton = named(new QPushButton(QStringLiteral("Abbrechen"), this), "cancelbutton");
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, [this] { OKbuttonClick(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelbuttonClick(); });

    auto* middle = new QHBoxLayout;
    middle->addLayout(radioColumn);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(fontbox);
    boxes->addWidget(generalbox);
    middle->addLayout(boxes, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(samplepanel, 1);
    layout->addLayout(middle);
    layout->addLayout(buttonRow);

    FormShow();
}

void Tstyledialog::showFor(const DisplayOptions& current) {
    // Asked again while it is open, the dialog comes to the front with the
    // player's edits kept; a fresh copy is made only when it opens.
    if (!isVisible()) {
        working_ = current;
        FormShow();
        show();
    }
    raise();
    activateWindow();
}

void Tstyledialog::FormShow() {
    filling_ = true;
    radios_[0]->setChecked(true);
    lineheightedit_->setText(QString::number(std::lround(working_.lineSpacing * 100)));
    borderedit_->setText(QString::number(working_.margin));
    filling_ = false;
    selectStyle(TextStyle::Normal);
}

void Tstyledialog::selectStyle(TextStyle style) {
    selected_ = style;
    const StyleFont& font = working_.font(style);
    filling_ = true;
    fontcombo_->setCurrentText(font.name);
    sizecombo_->setCurrentText(QString::number(font.pointSize));
    boldbutton_->setChecked(font.styleBits & kBoldBit);
    italicbutton_->setChecked(font.styleBits & kItalicBit);
    underlinebutton_->setChecked(font.styleBits & kUnderlineBit);
    filling_ = false;
    refreshSwatches();
    repaintSample();
}

QColor* Tstyledialog::selectedBackground() {
    switch (selected_) {
    case TextStyle::Normal: return &working_.textBackground;
    case TextStyle::Status: return &working_.statusBackground;
    case TextStyle::Scroll: return &working_.scrollBackground;
    case TextStyle::Bold:
    case TextStyle::Input: break; // drawn on the text area's background
    }
    return nullptr;
}

void Tstyledialog::refreshSwatches() {
    fgbutton_->setIcon(swatchIcon(working_.font(selected_).colour));
    const QColor* background = selectedBackground();
    bgbutton_->setEnabled(background != nullptr);
    bgbutton_->setIcon(swatchIcon(background ? *background : kSilver));
}

void Tstyledialog::repaintSample() {
    sample_->update();
}

void Tstyledialog::fontcomboChange() {
    if (filling_) return;
    const QString name = fontcombo_->currentText().trimmed();
    if (name.isEmpty()) {
        fontcombo_->setCurrentText(working_.font(selected_).name);
        return;
    }
    working_.font(selected_).name = name;
    repaintSample();
}

void Tstyledialog::sizecomboChange() {
    if (filling_) return;
    StyleFont& font = working_.font(selected_);
    const QString text = sizecombo_->currentText().trimmed();
    int size = 0;
    QString problem;
    if (!parseInt(text, size))
        problem = QStringLiteral("„%1“ ist keine gültige Schriftgröße.").arg(text);
    else if (size < kMinPointSize || size > kMaxPointSize)
        problem = QStringLiteral("Die Schriftgröße muss zwischen %1 und %2 Punkt liegen.")
                      .arg(kMinPointSize)
                      .arg(kMaxPointSize);
    if (!problem.isEmpty()) {
        // Putting the size back also keeps a second signal for the same
        // edit from reporting it twice.
        filling_ = true;
        sizecombo_->setCurrentText(QString::number(font.pointSize));
        filling_ = false;
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), problem, QMessageBox::Ok, this);
        box->setObjectName("sizeerror");
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    font.pointSize = size;
    repaintSample();
}

void Tstyledialog::styleButtonClick(QAbstractButton* button, int bit) {
    int& bits = working_.font(selected_).styleBits;
    bits = button->isChecked() ? bits | bit : bits & ~bit;
    repaintSample();
}

void Tstyledialog::fgbuttonClick() {
    QColor& colour = working_.font(selected_).colour;
    const QColor chosen = chooseColour_(colour, this);
    if (!chosen.isValid()) return;
    colour = chosen;
    refreshSwatches();
    repaintSample();
}

void Tstyledialog::bgbuttonClick() {
    QColor* background = selectedBackground();
    if (!background) return;
    const QColor chosen = chooseColour_(*background, this);
    if (!chosen.isValid()) return;
    *background = chosen;
    refreshSwatches();
    repaintSample();
}

// The fields take effect as the player types a value in range; what cannot
// be used is replaced by the current value when the field is left.
void Tstyledialog::lineheighteditChange() {
    int percent = 0;
    if (!parseInt(lineheightedit_->text(), percent)) return;
    if (percent < kMinLineSpacingPercent || percent > kMaxLineSpacingPercent) return;
    working_.lineSpacing = percent / 100.0;
    repaintSample();
}

void Tstyledialog::lineheighteditDone() {
    int percent = 0;
    if (parseInt(lineheightedit_->text(), percent) && percent >= kMinLineSpacingPercent &&
        percent <= kMaxLineSpacingPercent)
        return;
    lineheightedit_->setText(QString::number(std::lround(working_.lineSpacing * 100)));
}

void Tstyledialog::bordereditChange() {
    int margin = 0;
    if (!parseInt(borderedit_->text(), margin)) return;
    if (margin < kMinMargin || margin > kMaxMargin) return;
    working_.margin = margin;
    repaintSample();
}

void Tstyledialog::bordereditDone() {
    int margin = 0;
    if (parseInt(borderedit_->text(), margin) && margin >= kMinMargin && margin <= kMaxMargin)
        return;
    borderedit_->setText(QString::number(working_.margin));
}

void Tstyledialog::OKbuttonClick() {
    emit optionsApplied(sanitised(working_));
    accept();
}

void Tstyledialog::cancelbuttonClick() {
    reject();
}

void Tstyledialog::samplePaint(QPainter& painter, int width) const {
    const int height = painter.device() ? painter.device()->height() : 0;
    const double spacing = working_.lineSpacing;
    if (selected_ == TextStyle::Scroll) {
        const StyleFont& font = working_.font(TextStyle::Scroll);
        painter.fillRect(QRect(0, 0, width, height), working_.scrollBackground);
        const int h = textHeight(painter, font);
        drawAt(painter, font, 0, 0, QStringLiteral("Zurückblättern"));
        drawAt(painter, font, 0, 2 * h, QStringLiteral("In der Vergangenheit"));
        drawAt(painter, font, 0, 3 * h,
               QStringLiteral("Was war, war und kommt nicht einfach so ohne Weiteres wieder"));
        drawAt(painter, font, 0, 4 * h,
               QStringLiteral("Gegenwart und weit im Süden kannst du die Zukunft sehen."));
        drawAt(painter, font, 0, 6 * h, QStringLiteral(">"));
        return;
    }
    painter.fillRect(QRect(0, 0, width, height), working_.textBackground);
    const StyleFont& status = working_.font(TextStyle::Status);
    const StyleFont& normal = working_.font(TextStyle::Normal);
    const StyleFont& bold = working_.font(TextStyle::Bold);
    const StyleFont& input = working_.font(TextStyle::Input);
    const int margin = working_.margin;

    const int a = static_cast<int>(std::lround(textHeight(painter, status) * spacing));
    painter.fillRect(QRect(0, 0, width, a), working_.statusBackground);
    drawAt(painter, status, margin, 0, QStringLiteral("Statuszeile"));

    const int d = static_cast<int>(std::lround(textHeight(painter, normal) * spacing));
    drawAt(painter, normal, margin, a, QStringLiteral("Normaler Text sieht so aus."));
    int x = drawAt(painter, normal, margin, a + d, QStringLiteral("Auch "));
    x = drawAt(painter, bold, x, a + d, QStringLiteral("fett gedruckter Text"));
    drawAt(painter, normal, x, a + d, QStringLiteral(" ist möglich."));
    x = drawAt(painter, normal, margin, a + 3 * d, QStringLiteral("> "));
    drawAt(painter, input, x, a + 3 * d, QStringLiteral("Eingabetext"));
    drawAt(painter, normal, margin, a + 4 * d,
           QStringLiteral("Hier kommt jetzt eine Antwort auf die Eingabe."));
}

} // namespace rux::ui
