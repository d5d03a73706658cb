#include "ui/screenshot_tour.h"

#include "ui/input_line.h"
#include "ui/main_window.h"
#include "ui/more_form.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <iostream>

namespace rux::ui {

namespace {
constexpr int kPollMilliseconds = 40;
constexpr int kCommandsBeforeTurnPicture = 6;
constexpr int kTicksBeforeEmptyPicture = 10;
} // namespace

ScreenshotTour::ScreenshotTour(Tmainform& window, QString folder, QStringList commands)
    : window_(window), folder_(std::move(folder)), commands_(std::move(commands)) {
    QDir().mkpath(folder_);
    window_.dialogs.storeSettings = nullptr; // pictures leave the player's settings alone
    window_.dialogs.confirm = [](const QString&) { return true; };
    window_.dialogs.message = [](const QString& text) { std::cerr << text.toStdString() << '\n'; };
    connect(&poll_, &QTimer::timeout, this, &ScreenshotTour::tick);
    poll_.start(kPollMilliseconds);
}

void ScreenshotTour::save(QWidget* widget, const QString& name) {
    const QString path = folder_ + QStringLiteral("/") + name;
    if (widget->grab().save(path)) return;
    std::cerr << "cannot write " << path.toStdString() << '\n';
    ++failures_;
}

// Runs inside the engine's waits too: a paging prompt is answered, the
// first one with a text box pictured first.
void ScreenshotTour::tick() {
    if (window_.moreform()->waiting()) {
        if (window_.hasTextBox() && !textBoxTaken_) {
            textBoxTaken_ = true;
            save(&window_, QStringLiteral("textbox.png"));
        }
        window_.moreform()->answer(Qt::Key_Return);
        return;
    }
    if (window_.engineBusy() || stepRunning_) return;
    if (!window_.storyLoaded()) {
        // Without a story there is the window with its banner to picture.
        if (window_.isVisible() && commands_.isEmpty() && ++idleTicks_ > kTicksBeforeEmptyPicture) {
            poll_.stop();
            save(&window_, QStringLiteral("nostory.png"));
            window_.close();
            QCoreApplication::exit(failures_ == 0 ? 0 : 1);
        }
        return;
    }
    stepRunning_ = true;
    QTimer::singleShot(0, this, [this] {
        nextStep();
        stepRunning_ = false;
    });
}

void ScreenshotTour::enter(const QString& command) {
    window_.inputline()->setText(command);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(window_.inputline(), &enter);
}

void ScreenshotTour::nextStep() {
    const int step = step_++;
    if (step == 0) {
        save(&window_, QStringLiteral("start.png"));
        return;
    }
    if (step <= commands_.size()) {
        enter(commands_[step - 1]);
        if (step == kCommandsBeforeTurnPicture) save(&window_, QStringLiteral("turn.png"));
        return;
    }
    const int after = step - static_cast<int>(commands_.size());
    switch (after) {
    case 1: save(&window_, QStringLiteral("played.png")); break;
    case 2: window_.resize(window_.width() * 2 / 3, window_.height()); break;
    case 3: save(&window_, QStringLiteral("narrow.png")); break;
    case 4: window_.showscrollbackClick(); break;
    case 5:
        save(&window_, QStringLiteral("scrollback.png"));
        window_.showscrollbackClick();
        break;
    case 6:
        if (QWidget* dialog = window_.displayOptionsDialog()) {
            window_.fontandcolorClick();
            QApplication::processEvents();
            save(dialog, QStringLiteral("options.png"));
            dialog->close();
        }
        break;
    default:
        poll_.stop();
        if (!textBoxTaken_) {
            std::cerr << "no text box was shown\n";
            ++failures_;
        }
        window_.close();
        QCoreApplication::exit(failures_ == 0 ? 0 : 1);
        break;
    }
}

} // namespace rux::ui
