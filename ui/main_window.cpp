#include "ui/main_window.h"

#include "engine/fatal_error.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "engine/world/engine_start.h"
#include "engine/world/loader.h"
#include "term/game_session.h"
#include "ui/accessibility.h"
#include "ui/engine_access.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"
#include "ui/more_form.h"
#include "ui/options_bridge.h"
#include "ui/paint_box.h"
#include "ui/text_conversion.h"
#include "ui/text_painter.h"
#include "ui/window_host.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

// The icons are compiled into the library; a static library's resources
// are registered by hand, outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace rux::ui {

namespace {

constexpr int kStatusLineCountVariable = 20; // byte variable: the story's status lines
constexpr int kMaxStatusLines = 10;
constexpr int kBoxTopLines = 3; // text lines between the status line and a text box
constexpr int kMinInputWidth = 16;
constexpr int kSmallestFont = 6;
constexpr int kLargestFont = 72;
const QString kCaptionEnd = QStringLiteral(" - WinRUX");

void setColours(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QString fileChoiceTitle(FileChoice kind) {
    switch (kind) {
    case FileChoice::SaveGame: return QStringLiteral("Spielstand speichern");
    case FileChoice::RestoreGame: return QStringLiteral("Spielstand laden");
    case FileChoice::Transcript: return QStringLiteral("Manuskript erstellen");
    }
    return {};
}

QString fileChoiceFilter(FileChoice kind) {
    if (kind == FileChoice::Transcript)
        return QStringLiteral("Manuskripte (*.skr *.SKR);;Alle Dateien (*)");
    return QStringLiteral("Spielstände (*.sav *.SAV);;Alle Dateien (*)");
}

} // namespace

Tmainform::Tmainform(const QStringList& arguments, const WindowSettings& settings)
    : host_(std::make_unique<WindowHost>(*this)), engine_(std::make_unique<Engine>(*host_)),
      settings_(settings) {
    registerIconResources();
    installTextAccessibility();
    setObjectName("mainform");
    setWindowTitle(QStringLiteral("WinRUX"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/winrux.svg")));

    dialogs.message = [this](const QString& text) {
        QMessageBox::warning(this, QApplication::applicationName(), text);
    };
    dialogs.confirm = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                        QMessageBox::NoButton, this);
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        box.setDefaultButton(box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole));
        box.exec();
        return box.clickedButton() == yes;
    };
    dialogs.chooseFile = [this](FileChoice kind, const QString& suggested) {
        if (kind == FileChoice::RestoreGame)
            return QFileDialog::getOpenFileName(this, fileChoiceTitle(kind), suggested,
                                                fileChoiceFilter(kind));
        return QFileDialog::getSaveFileName(this, fileChoiceTitle(kind), suggested,
                                            fileChoiceFilter(kind));
    };
    dialogs.chooseStory = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Spieldatei öffnen"), {},
                                            QStringLiteral("Spieldatei (*.vux *.VUX);;"
                                                           "Alle Dateien (*)"));
    };
    dialogs.storeSettings = saveWindowSettings;

    buildComponents();
    actions_ = buildWindowMenus(*this);
    windowDialogs_ = std::make_unique<WindowDialogs>(this); // the about box and the options
    connectHandlers();
    actions_.toolbar->setVisible(settings_.toolbarVisible);
    setGeometry(placedOnScreen(settings_.geometry));
    startEngine(arguments);
    rebuildHistoryMenu();
    updateCommandStates();
}

Tmainform::~Tmainform() = default;

void Tmainform::buildComponents() {
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    textpanel_ = new QFrame(client);
    textpanel_->setObjectName("textpanel");
    textpanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    textpanel_->installEventFilter(this);
    column->addWidget(textpanel_);

    statusline_ = new PaintBox(textpanel_);
    statusline_->setObjectName("statusline");
    statusline_->setAccessibleName(QStringLiteral("Statuszeile"));
    statusline_->onPaint = [this](QPainter& painter) { statuslinePaint(painter); };
    statusline_->accessibleText = [this] { return statusLineText(); };

    textarea_ = new PaintBox(textpanel_);
    textarea_->setObjectName("textarea");
    textarea_->setAccessibleName(QStringLiteral("Spieltext"));
    textarea_->setFocusPolicy(Qt::StrongFocus);
    textarea_->onPaint = [this](QPainter& painter) { textareaPaint(painter); };
    textarea_->onKey = [this](QKeyEvent* event) { return textareaKeyDown(event); };
    textarea_->onWheel = [this](QWheelEvent* event) { return wheelTurn(event); };
    textarea_->accessibleText = [this] { return shownText(); };

    inputline_ = new InputLine(textarea_);
    inputline_->setAccessibleName(QStringLiteral("Eingabe"));
    inputline_->onKeyDown = [this](QKeyEvent* event) { return inputlineKeyDown(event); };
    inputline_->onWheel = [this](QWheelEvent* event) { return wheelTurn(event); };
    inputline_->hide();

    moreform_ = new Tmoreform(textarea_);

    scrollpanel_ = new QFrame(client);
    scrollpanel_->setObjectName("scrollpanel");
    scrollpanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* scrollColumn = new QVBoxLayout(scrollpanel_);
    scrollColumn->setContentsMargins(0, 0, 0, 0);
    scrollback_ = new QPlainTextEdit(scrollpanel_);
    scrollback_->setObjectName("scrollback");
    scrollback_->setReadOnly(true);
    scrollback_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    scrollback_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollback_->setAccessibleName(QStringLiteral("Zurückblättern"));
    scrollColumn->addWidget(scrollback_);
    column->addWidget(scrollpanel_);
    scrollpanel_->hide();

    // Carries the bold style's font, as the settings file knows it; never shown.
    more_ = new QLabel(QStringLiteral(" [ . . . ] "), this);
    more_->setObjectName("more");
    more_->hide();
}

void Tmainform::connectHandlers() {
    const WindowActions& a = actions_;
    const auto on = [this](QAction* action, void (Tmainform::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(a.openstory, &Tmainform::openstoryClick);
    on(a.openstoryspeed, &Tmainform::openstoryClick);
    on(a.restartgame, &Tmainform::restartgameClick);
    on(a.restartspeed, &Tmainform::restartgameClick);
    on(a.restoregame, &Tmainform::restoregameClick);
    on(a.restorespeed, &Tmainform::restoregameClick);
    on(a.savegame, &Tmainform::savegameClick);
    on(a.savespeed, &Tmainform::savegameClick);
    on(a.transcript, &Tmainform::transcriptClick);
    on(a.transcriptspeed, &Tmainform::transcriptClick);
    on(a.showscrollback, &Tmainform::showscrollbackClick);
    on(a.scrollspeed, &Tmainform::showscrollbackClick);
    on(a.fontandcolor, &Tmainform::fontandcolorClick);
    on(a.displayspeed, &Tmainform::fontandcolorClick);
    on(a.toolbartoggle, &Tmainform::toolbartoggleClick);
    on(a.helpTopics, &Tmainform::helpTopicsClick);
    on(a.helpspeed, &Tmainform::helpTopicsClick);
    on(a.about, &Tmainform::aboutClick);
    on(a.aboutspeed, &Tmainform::aboutClick);
    on(a.quit, &Tmainform::quitClick);
    on(a.readStatusLine, &Tmainform::readStatusLineAloud);
    connect(a.largerFont, &QAction::triggered, this, [this] { changeFontSizes(1); });
    connect(a.smallerFont, &QAction::triggered, this, [this] { changeFontSizes(-1); });
    for (int i = 0; i < kFileHistoryItems; ++i)
        connect(a.filehist[i], &QAction::triggered, this, [this, i] { filehistClick(i); });
}

// The engine starts before the window is shown; the layout and the story
// wait for the first showing (FormShow).
void Tmainform::startEngine(const QStringList& arguments) {
    term::initialiseEngine(*engine_, std::nullopt);
    std::vector<std::string> named;
    for (const QString& argument : arguments)
        named.push_back(argument.toStdString());
    readCommandLine(*engine_, named);
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!started_) FormShow();
}

void Tmainform::FormShow() {
    started_ = true;
    engine_->output.linesSincePrompt = 1;
    boxLines_.clear();
    if (QLayout* column = centralWidget()->layout()) column->activate();
    computeLayout(false);
    helpFile_ = findHelpFile();
    actions_.helpTopics->setEnabled(!helpFile_.isEmpty());
    actions_.helpspeed->setEnabled(!helpFile_.isEmpty());
    // The story named on the command line starts once the window is
    // visible; a story that cannot be opened is not tried again.
    if (!engine_->storyFileName.empty()) {
        const QString path = QString::fromStdString(engine_->storyFileName);
        engine_->storyFileName.clear();
        QTimer::singleShot(0, this, [this, path] { loadInFreshEngine(path); });
    }
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textpanel_ && event->type() == QEvent::Resize) FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void Tmainform::FormResize() {
    if (!started_) return;
    placePanel();
    if (engineBusy()) {
        // Never in the middle of an output call or while a prompt waits:
        // the answer must be taken in the mode it was asked in.
        layoutPending_ = true;
        update();
        return;
    }
    computeLayout(true);
}

void Tmainform::computeLayout(bool layOutAgain) {
    look_ = WindowLook::from(settings_.display);
    const DisplayOptions& options = look_.options;
    inputline_->setFont(look_.font(TextStyle::Input));
    setColours(inputline_, look_.colour(TextStyle::Input), options.textBackground);
    more_->setFont(look_.font(TextStyle::Bold));
    scrollback_->setFont(look_.font(TextStyle::Scroll));
    setColours(scrollback_, look_.colour(TextStyle::Scroll), options.scrollBackground);
    statusLines_ = -1; // the status line's height follows its font
    fitStatusLine();
    const OutputLayout layout = look_.outputLayout(textarea_->size());
    if (layOutAgain)
        relayout(*engine_, layout);
    else
        rux::setLayout(*engine_, layout);
    placeInputLine();
    textarea_->update();
    statusline_->update();
}

void Tmainform::placePanel() {
    const QRect inside = textpanel_->contentsRect();
    const int statusHeight = std::max(statusLines_, 0) * look_.statusLineHeight;
    statusline_->setGeometry(inside.x(), inside.y(), inside.width(), statusHeight);
    textarea_->setGeometry(inside.x(), inside.y() + statusHeight, inside.width(),
                           std::max(inside.height() - statusHeight, 0));
}

// The story may change its number of status lines at any time; the text
// area gives or takes the room and keeps its lines.
void Tmainform::fitStatusLine() {
    const int wanted =
        std::clamp<int>(engine_->world.byteVariables[kStatusLineCountVariable], 0, kMaxStatusLines);
    if (wanted != statusLines_) {
        statusLines_ = wanted;
        placePanel();
        if (started_)
            setVisibleLines(*engine_, std::max(textarea_->height() / look_.lineHeight, 1));
    }
    statusline_->update();
}

void Tmainform::placeInputLine() {
    const OutputBuffer& out = engine_->output;
    const int left = out.lineWidth + look_.margin();
    const int width = std::max(out.wrapWidth - out.lineWidth, kMinInputWidth);
    inputline_->setGeometry(left, (out.currentLine - 1) * look_.lineHeight, width,
                            look_.lineHeight);
}

void Tmainform::repaintTextArea() {
    fitStatusLine();
    placeInputLine();
    textarea_->update();
}

void Tmainform::textareaPaint(QPainter& painter) {
    paintDisplayLines(painter, textarea_->size(), engine_->output, look_);
    if (!boxLines_.empty())
        paintTextBox(painter, textarea_->width(), kBoxTopLines * look_.lineHeight, boxLines_,
                     look_);
}

void Tmainform::statuslinePaint(QPainter& painter) {
    paintStatusTexts(painter, statusline_->size(), engine_->text.statusTexts, look_);
}

void Tmainform::setTextBox(const std::vector<std::string>& lines) {
    boxLines_ = lines;
    textarea_->update();
}

// ---- Engine runs and waits ----

bool Tmainform::runEngine(const std::function<void()>& work) {
    ++busy_;
    updateCommandStates();
    try {
        work();
    } catch (const FatalError& error) {
        --busy_;
        fatalEnd_ = true;
        updateCommandStates();
        dialogs.message(fromCp1252(error.what()));
        close();
        return false;
    }
    --busy_;
    engineIdle();
    return true;
}

void Tmainform::engineIdle() {
    if (engineBusy()) return;
    if (layoutPending_) {
        layoutPending_ = false;
        computeLayout(true);
    }
    updateCommandStates();
    repaintTextArea();
    if (quitFromGame_) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    std::vector<std::function<void()>> actions;
    actions.swap(idleActions_);
    for (const auto& action : actions)
        action();
}

void Tmainform::whenIdle(std::function<void()> action) {
    idleActions_.push_back(std::move(action));
}

PagingAnswer Tmainform::waitForPagingAnswer() {
    repaintTextArea();
    const OutputBuffer& out = engine_->output;
    const QPoint at(std::min(look_.margin() + out.lineWidth, std::max(textarea_->width() - 8, 0)),
                    (out.currentLine - 1) * look_.lineHeight);
    announce(textarea_, QStringLiteral("Weiter mit der Eingabetaste."));
    const PagingAnswer answer =
        moreform_->wait(at, look_.font(TextStyle::Input), look_.lineHeight,
                        look_.colour(TextStyle::Input), look_.options.textBackground);
    boxLines_.clear(); // a text box stays until its prompt is answered
    textarea_->update();
    return answer;
}

int Tmainform::waitForKey() {
    repaintTextArea();
    textarea_->setFocus();
    answerKey_.reset();
    QEventLoop loop;
    keyLoop_ = &loop;
    loop.exec();
    keyLoop_ = nullptr;
    return answerKey_.value_or(27); // only the application's end leaves unanswered
}

bool Tmainform::textareaKeyDown(QKeyEvent* event) {
    if (keyLoop_ != nullptr) {
        const std::optional<int> code = keyQuestionCode(event->key(), event->text());
        if (!code) return false;
        answerKey_ = *code;
        keyLoop_->quit();
        return true;
    }
    if (moreform_->answer(event->key())) return true;
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(lastTurnText_);
        return true;
    }
    // Typing into the text area goes to the input line. A key the input
    // line leaves alone comes back up to its parent, the text area, and
    // ends here.
    if (forwardingKey_ || !inputline_->isVisible() || event->text().isEmpty()) return false;
    inputline_->setFocus();
    forwardingKey_ = true;
    QApplication::sendEvent(inputline_, event);
    forwardingKey_ = false;
    return true;
}

void Tmainform::quitFromGame() {
    quitFromGame_ = true;
}

// ---- Input ----

bool Tmainform::inputlineKeyDown(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        submitInput();
        return true;
    }
    if (key == Qt::Key_Up) {
        if (const auto entry = history_.older(toCp1252(inputline_->text())))
            inputline_->setText(fromCp1252(*entry));
        return true;
    }
    if (key == Qt::Key_Down) {
        if (const auto entry = history_.newer()) inputline_->setText(fromCp1252(*entry));
        return true;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F10) {
        const std::string& text = engine_->world.functionKeyCommands[key - Qt::Key_F1];
        inputline_->setText(fromCp1252(term::visibleText(text)));
        submitInput();
        return true;
    }
    if (event->matches(QKeySequence::Copy) && !inputline_->hasSelectedText()) {
        QApplication::clipboard()->setText(lastTurnText_);
        return true;
    }
    return false;
}

void Tmainform::submitInput() {
    if (engineBusy() || !storyLoaded_ || quitFromGame_) return;
    const std::string command = term::commandFromUtf8(inputline_->text().toStdString());
    if (command.empty()) return;
    history_.add(command);
    inputline_->clear();
    inputline_->hide();
    const std::string before = scrollbackText(*engine_);
    runEngine([&] {
        term::enterCommand(*engine_, command);
        announceTurn(before);
    });
}

void Tmainform::announceTurn(const std::string& scrollbackBefore) {
    std::string added = addedText(scrollbackBefore, scrollbackText(*engine_));
    // The first line is the echoed command; the turn's text follows it.
    added.erase(0, std::min(added.size(), added.find('\n') + 1));
    // The prompt for the next command is not part of the answer.
    if (added.ends_with("> ")) added.resize(added.size() - 2);
    lastTurnText_ = fromCp1252(added).trimmed();
    announce(textarea_, lastTurnText_);
}

QString Tmainform::shownText() const {
    const OutputBuffer& out = engine_->output;
    std::string text;
    for (int line = 1; line <= out.currentLine; ++line) {
        if (line > 1) text += '\n';
        text += term::visibleText(out.screenLines[line]);
    }
    return fromCp1252(text);
}

QString Tmainform::statusLineText() const {
    QStringList parts;
    if (statusLines_ <= 0) return {};
    for (int position = 1; position <= 3; ++position) {
        const QString text = fromCp1252(engine_->text.statusTexts[position]).simplified();
        if (!text.isEmpty()) parts.push_back(text);
    }
    return parts.join(QStringLiteral(", "));
}

void Tmainform::readStatusLineAloud() {
    announce(statusline_, statusLineText());
}

void Tmainform::gameWord(const char* word) {
    if (!actions_.restartgame->isEnabled()) return;
    inputline_->setText(QString::fromLatin1(word));
    submitInput();
}

void Tmainform::restartgameClick() {
    gameWord("neu");
}
void Tmainform::restoregameClick() {
    gameWord("laden");
}
void Tmainform::savegameClick() {
    gameWord("speichern");
}
void Tmainform::transcriptClick() {
    gameWord("manuskript");
}

// ---- Commands and their states ----

bool Tmainform::scrollbackShowing() const {
    return !scrollpanel_->isHidden();
}

QWidget* Tmainform::textarea() const {
    return textarea_;
}

QWidget* Tmainform::displayOptionsDialog() const {
    return windowDialogs_->displayOptionsDialog();
}

void Tmainform::updateCommandStates() {
    const bool idle = !engineBusy();
    const bool playing = storyLoaded_ && !quitFromGame_ && !fatalEnd_;
    const bool game = playing && idle && !scrollbackShowing();
    for (QAction* action : {actions_.restartgame, actions_.restoregame, actions_.savegame,
                            actions_.transcript, actions_.restartspeed, actions_.restorespeed,
                            actions_.savespeed, actions_.transcriptspeed})
        action->setEnabled(game);
    actions_.showscrollback->setEnabled(playing && idle);
    actions_.scrollspeed->setEnabled(playing && idle);
    actions_.showscrollback->setChecked(scrollbackShowing());
    const bool inputWanted = game;
    if (inputWanted && inputline_->isHidden()) {
        inputline_->show();
        inputline_->setFocus();
    } else if (!inputWanted && !inputline_->isHidden()) {
        inputline_->hide();
    }
}

void Tmainform::showscrollbackClick() {
    if (engineBusy() || !storyLoaded_) return;
    if (scrollbackShowing()) {
        scrollpanel_->hide();
        textpanel_->show();
        updateCommandStates();
        inputline_->setFocus();
        return;
    }
    scrollback_->setPlainText(fromCp1252(scrollbackText(*engine_)));
    textpanel_->hide();
    scrollpanel_->show();
    updateCommandStates();
    scrollback_->setFocus();
    scrollback_->moveCursor(QTextCursor::End);
    scrollback_->ensureCursorVisible();
}

void Tmainform::toolbartoggleClick() {
    actions_.toolbar->setVisible(actions_.toolbar->isHidden());
}

void Tmainform::fontandcolorClick() {
    windowDialogs_->showDisplayOptions(
        settings_.display, [this](const DisplayOptions& options) { applyDisplayOptions(options); });
}

void Tmainform::applyDisplayOptions(const DisplayOptions& options) {
    settings_.display = options;
    if (engineBusy()) {
        layoutPending_ = true;
        return;
    }
    placePanel();
    computeLayout(true);
}

void Tmainform::changeFontSizes(int step) {
    DisplayOptions options = settings_.display;
    for (StyleFont& font : options.fonts)
        font.pointSize = std::clamp(font.pointSize + step, kSmallestFont, kLargestFont);
    applyDisplayOptions(options);
}

bool Tmainform::wheelTurn(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) return false;
    changeFontSizes(event->angleDelta().y() > 0 ? 1 : -1);
    return true;
}

void Tmainform::helpTopicsClick() {
    if (!openHelpTopic(this, helpFile_, QStringLiteral("index")))
        dialogs.message(QStringLiteral("Die Hilfedatei konnte leider nicht gefunden werden."));
}

void Tmainform::aboutClick() {
    windowDialogs_->showAbout();
}

void Tmainform::quitClick() {
    close();
}

// ---- Stories ----

void Tmainform::openstoryClick() {
    if (engineBusy()) {
        whenIdle([this] { openstoryClick(); });
        return;
    }
    const QString path = dialogs.chooseStory();
    if (!path.isEmpty()) openStory(path);
}

void Tmainform::filehistClick(int index) {
    const QString path = settings_.history[index];
    if (!path.isEmpty()) openStory(path);
}

bool Tmainform::confirmLosingProgress(const QString& question) {
    if (!storyLoaded_ || quitFromGame_ || fatalEnd_ || !engine_->saves.unsavedProgress) return true;
    return dialogs.confirm(question);
}

bool Tmainform::openStory(const QString& path) {
    if (engineBusy()) {
        whenIdle([this, path] { openStory(path); });
        return false;
    }
    if (!confirmLosingProgress(QStringLiteral("Seit dem letzten Speichern hast du weitergespielt. "
                                              "Trotzdem ein anderes Spiel öffnen?")))
        return false;
    if (scrollbackShowing()) showscrollbackClick();
    if (!loadInFreshEngine(path)) return false;
    addStoryToHistory(settings_.history, path);
    rebuildHistoryMenu();
    return true;
}

// The story is loaded into an engine of its own, which replaces the running
// one only once the story has started: a file that cannot be opened leaves
// the running game with its screen, logs and history as they were.
bool Tmainform::loadInFreshEngine(const QString& path) {
    auto fresh = std::make_unique<Engine>(*host_);
    term::initialiseEngine(*fresh, std::nullopt);
    fresh->output.linesSincePrompt = 1;
    rux::setLayout(*fresh, look_.outputLayout(textarea_->size()));
    fresh->storyFileName = path.toStdString();
    std::unique_ptr<Engine> previous = std::exchange(engine_, std::move(fresh));
    std::vector<std::string> previousBox = std::exchange(boxLines_, {});
    const bool wasLoaded = storyLoaded_;
    const int previousStatusLines = statusLines_;
    storyLoaded_ = false;
    std::string failure;
    ++busy_;
    updateCommandStates();
    try {
        loadStory(*engine_);
    } catch (const FatalError& error) {
        failure = error.what();
    }
    --busy_;
    if (!failure.empty()) {
        engine_ = std::move(previous);
        boxLines_ = std::move(previousBox);
        storyLoaded_ = wasLoaded;
        quitFromGame_ = false;
        statusLines_ = previousStatusLines;
        placePanel();
        dialogs.message(fromCp1252(failure));
        engineIdle();
        return false;
    }
    storyLoaded_ = true;
    lastTurnText_.clear();
    scrollback_->clear();
    setWindowTitle(fromCp1252(engine_->world.storyTitle) + kCaptionEnd);
    fitStatusLine();
    engineIdle();
    return true;
}

void Tmainform::rebuildHistoryMenu() {
    bool any = false;
    for (int i = 0; i < kFileHistoryItems; ++i) {
        const QString& path = settings_.history[i];
        actions_.filehist[i]->setText(fileHistoryCaption(i, path));
        actions_.filehist[i]->setVisible(!path.isEmpty());
        any = any || !path.isEmpty();
    }
    actions_.filehistseparator->setVisible(any);
}

// ---- Closing ----

void Tmainform::closeEvent(QCloseEvent* event) {
    if (engineBusy()) {
        event->ignore();
        whenIdle([this] { close(); });
        return;
    }
    if (!confirmLosingProgress(QStringLiteral("Seit dem letzten Speichern hast du weitergespielt. "
                                              "Trotzdem beenden?"))) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}

void Tmainform::saveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    settings_.geometry = normalGeometry();
    settings_.toolbarVisible = !actions_.toolbar->isHidden();
    if (dialogs.storeSettings) dialogs.storeSettings(settings_);
}

} // namespace rux::ui
