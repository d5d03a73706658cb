#include "ui/style_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace rux::ui {
namespace {

class StyleDialog : public testing::Test {
  protected:
    void SetUp() override {
        dialog_.setColourChooser([this](const QColor& initial, QWidget*) {
            offered_ = initial;
            return chosen_;
        });
        dialog_.showFor(current_);
    }

    template <typename W> W* child(const char* name) {
        W* found = dialog_.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void select(const char* radio) { child<QRadioButton>(radio)->click(); }
    void typeInto(const char* name, const QString& text) {
        QLineEdit* edit = child<QLineEdit>(name);
        edit->clear();
        QTest::keyClicks(edit, text);
        emit edit->editingFinished();
    }
    void typeSize(const QString& text) {
        QComboBox* combo = child<QComboBox>("sizecombo");
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), text);
        emit combo->lineEdit()->editingFinished();
    }
    QRgb swatchPixel(const char* button) {
        QPushButton* shown = child<QPushButton>(button);
        const QIcon::Mode mode = shown->isEnabled() ? QIcon::Normal : QIcon::Disabled;
        return shown->icon().pixmap(QSize(96, 24), mode).toImage().pixel(40, 10);
    }

    DisplayOptions current_;
    QColor chosen_;
    QColor offered_;
    Tstyledialog dialog_;
};

TEST_F(StyleDialog, ControlsCarryTheirNamesAndCaptions) {
    EXPECT_EQ(dialog_.windowTitle(), "Anzeige");
    EXPECT_FALSE(dialog_.isModal());
    const std::pair<const char*, const char*> buttons[] = {
        {"normalradio", "normaler Text"},
        {"boldradio", "fetter Text"},
        {"inputradio", "Eingabetext"},
        {"statusradio", "Statuszeile"},
        {"scrollradio", "Rückblick"},
        {"boldbutton", "F"},
        {"italicbutton", "K"},
        {"underlinebutton", "U"},
        {"OKbutton", "OK"},
        {"cancelbutton", "Abbrechen"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child<QAbstractButton>(name)->text(), QString::fromUtf8(caption)) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"fontlabel", "Schriftart:"},          {"sizelabel", "Schriftgröße:"},
        {"fontstylelabel", "Schriftschnitt:"}, {"fglabel", "Textfarbe:"},
        {"bglabel", "Hintergrundfarbe:"},      {"lineheightlabel", "Zeilenabstand:"},
        {"borderlabel", "Seitenrand:"},
    };
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(child<QLabel>(name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(child<QGroupBox>("fontbox")->title(), "Schrift und Farbe");
    EXPECT_EQ(child<QGroupBox>("generalbox")->title(), "Seiteneinstellungen");
    EXPECT_EQ(child<QPushButton>("boldbutton")->toolTip(), "Fettdruck");
    EXPECT_EQ(child<QPushButton>("italicbutton")->toolTip(), "Kursiv");
    EXPECT_EQ(child<QPushButton>("underlinebutton")->toolTip(), "Unterstrichen");
    EXPECT_EQ(child<QPushButton>("fgbutton")->iconSize(), QSize(96, 24));
    QComboBox* sizes = child<QComboBox>("sizecombo");
    ASSERT_EQ(sizes->count(), 18);
    EXPECT_EQ(sizes->itemText(0), "6");
    EXPECT_EQ(sizes->itemText(17), "48");
    EXPECT_NE(child<QWidget>("sample"), nullptr);
}

TEST_F(StyleDialog, OpensOnTheNormalStyleWithTheCurrentValues) {
    EXPECT_TRUE(child<QRadioButton>("normalradio")->isChecked());
    EXPECT_EQ(child<QComboBox>("fontcombo")->currentText(), "Verdana");
    EXPECT_EQ(child<QComboBox>("sizecombo")->currentText(), "10");
    EXPECT_EQ(child<QLineEdit>("lineheightedit")->text(), "120");
    EXPECT_EQ(child<QLineEdit>("borderedit")->text(), "6");
    select("inputradio");
    EXPECT_EQ(child<QComboBox>("fontcombo")->currentText(), "Courier New");
    EXPECT_EQ(child<QComboBox>("sizecombo")->currentText(), "11");
    EXPECT_FALSE(child<QPushButton>("boldbutton")->isChecked());
}

TEST_F(StyleDialog, BoldAndInputHaveNoBackgroundOfTheirOwn) {
    const std::tuple<const char*, bool, QColor> cases[] = {
        {"normalradio", true, current_.textBackground},
        {"boldradio", false, QColor(0xC0, 0xC0, 0xC0)},
        {"inputradio", false, QColor(0xC0, 0xC0, 0xC0)},
        {"statusradio", true, current_.statusBackground},
        {"scrollradio", true, current_.scrollBackground},
    };
    for (const auto& [radio, enabled, colour] : cases) {
        select(radio);
        EXPECT_EQ(child<QPushButton>("bgbutton")->isEnabled(), enabled) << radio;
        EXPECT_EQ(swatchPixel("bgbutton"), colour.rgb()) << radio;
    }
    select("boldradio");
    EXPECT_EQ(swatchPixel("fgbutton"), current_.font(TextStyle::Bold).colour.rgb());
}

TEST_F(StyleDialog, LineSpacingAndMarginFieldsTakeOnlyUsableNumbers) {
    typeInto("lineheightedit", "150");
    EXPECT_DOUBLE_EQ(dialog_.workingCopy().lineSpacing, 1.5);
    const std::pair<const char*, const char*> refused[] = {
        {"abc", "150"}, {"20", "150"}, {"", "150"}};
    for (const auto& [typed, restored] : refused) {
        typeInto("lineheightedit", typed);
        EXPECT_EQ(child<QLineEdit>("lineheightedit")->text(), restored) << typed;
        EXPECT_DOUBLE_EQ(dialog_.workingCopy().lineSpacing, 1.5) << typed;
    }
    typeInto("borderedit", "12");
    typeInto("borderedit", "zwei");
    EXPECT_EQ(child<QLineEdit>("borderedit")->text(), "12");
    EXPECT_EQ(dialog_.workingCopy().margin, 12);
}

TEST_F(StyleDialog, AnUnparsableSizeIsReportedAndChangesNothing) {
    typeSize("12");
    EXPECT_EQ(dialog_.workingCopy().font(TextStyle::Normal).pointSize, 12);
    EXPECT_EQ(dialog_.findChild<QMessageBox*>("sizeerror"), nullptr);
    for (const char* typed : {"zwei", "900"}) {
        typeSize(QString::fromUtf8(typed));
        auto* report = dialog_.findChild<QMessageBox*>("sizeerror");
        ASSERT_NE(report, nullptr) << typed;
        EXPECT_TRUE(report->isVisible());
        EXPECT_TRUE(report->text().contains(QString::fromUtf8("Schriftgröße"))) << typed;
        delete report;
        EXPECT_EQ(dialog_.workingCopy().font(TextStyle::Normal).pointSize, 12) << typed;
        EXPECT_EQ(child<QComboBox>("sizecombo")->currentText(), "12") << typed;
    }
}

TEST_F(StyleDialog, OkEmitsTheEditedCopyAndCloses) {
    QSignalSpy applied(&dialog_, &Tstyledialog::optionsApplied);
    select("boldradio");
    child<QPushButton>("italicbutton")->click();
    child<QPushButton>("boldbutton")->click();
    chosen_ = QColor(0x80, 0, 0);
    child<QPushButton>("fgbutton")->click();
    EXPECT_EQ(offered_, current_.font(TextStyle::Bold).colour);
    select("scrollradio");
    chosen_ = QColor(0xEE, 0xEE, 0xEE);
    child<QPushButton>("bgbutton")->click();
    chosen_ = QColor(); // the player cancels the chooser
    child<QPushButton>("fgbutton")->click();
    typeInto("borderedit", "30");
    child<QPushButton>("OKbutton")->click();

    ASSERT_EQ(applied.count(), 1);
    DisplayOptions expected = current_;
    expected.font(TextStyle::Bold).styleBits = kItalicBit;
    expected.font(TextStyle::Bold).colour = QColor(0x80, 0, 0);
    expected.scrollBackground = QColor(0xEE, 0xEE, 0xEE);
    expected.margin = 30;
    EXPECT_EQ(applied.at(0).at(0).value<DisplayOptions>(), expected);
    EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(StyleDialog, CancelDropsTheEditsAndTheNextOpeningStartsAfresh) {
    QSignalSpy applied(&dialog_, &Tstyledialog::optionsApplied);
    typeInto("borderedit", "40");
    child<QPushButton>("boldbutton")->click();
    child<QPushButton>("cancelbutton")->click();
    EXPECT_EQ(applied.count(), 0);
    EXPECT_FALSE(dialog_.isVisible());

    dialog_.showFor(current_);
    EXPECT_EQ(dialog_.workingCopy(), current_);
    EXPECT_EQ(child<QLineEdit>("borderedit")->text(), "6");

    typeInto("borderedit", "40");
    dialog_.showFor(current_); // asked again while open: the edits stay
    EXPECT_EQ(dialog_.workingCopy().margin, 40);
}

TEST_F(StyleDialog, OkNeverPassesOnValuesOutOfRange) {
    QSignalSpy applied(&dialog_, &Tstyledialog::optionsApplied);
    DisplayOptions wild;
    wild.lineSpacing = 40.0;
    wild.margin = -3;
    dialog_.hide();
    dialog_.showFor(wild);
    child<QPushButton>("OKbutton")->click();
    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).value<DisplayOptions>(), DisplayOptions{});
}

TEST_F(StyleDialog, PreviewSpacesLinesByTheLineSpacing) {
    // The bold line's "fett gedruckter Text" is green: find the first green
    // row and compare it for two spacings.
    auto firstGreenRow = [this] {
        QImage image(400, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        dialog_.samplePaint(painter, image.width());
        painter.end();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(0, 0x80, 0)) return y;
        return -1;
    };
    typeInto("lineheightedit", "100");
    const int single = firstGreenRow();
    typeInto("lineheightedit", "200");
    const int twice = firstGreenRow();
    ASSERT_GT(single, 0);
    EXPECT_GT(twice, single);
}

} // namespace
} // namespace rux::ui
