#include "mainwindow/TForm1.h"

#include "core/MainFont.h"
#include "core/OpenCard.h"
#include "core/Prompts.h"
#include "core/ReadableText.h"
#include "core/StoredColor.h"
#include "core/WindowTitle.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/CommandRegistry.h"
#include "mainwindow/EditorPanel.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/MainToolBar.h"
#include "mainwindow/Resources.h"
#include "mainwindow/WelcomeArea.h"
#include "storage/AppState.h"
#include "storage/CardFileNames.h"
#include "widgets/CommandGuard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QSplitter>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The colour between text and background nearest the background that still
// reads at 4.5 : 1 (with a little to spare for smoothed edges).
QColor dimmedTextColor(const QColor& text, const QColor& background) {
    constexpr double kLegible = 4.8;
    constexpr int kSteps = 20;
    QColor dimmed = text;
    for (int step = 1; step < kSteps; ++step) {
        const auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        const QColor mixed(mix(text.red(), background.red()), mix(text.green(), background.green()),
                           mix(text.blue(), background.blue()));
        if (readabletext::contrastRatio(mixed, background) < kLegible)
            break;
        dimmed = mixed;
    }
    return dimmed;
}

} // namespace

TForm1::TForm1(AppState& state, Prompts& prompts, ProcessEnd endProcess, QWidget* parent)
    : QMainWindow(parent), state_(state), prompts_(prompts), endProcess_(std::move(endProcess)),
      mainFont_(fonts::designedMainFont().font), mainFontColor_(fonts::designedMainFont().color) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowtitle::applicationTitle());
    setWindowIcon(resources::applicationIcon());

    createClient();
    createParts();
    card_ = std::make_unique<OpenCard>(state_, prompts_, *editor_, *listPanel_);
    connectParts();
    bindOwnCommands();
    applyMainFont(mainFont_, mainFontColor_);

    qApp->installEventFilter(this);
    keepDesignedSize();
    move(kDesignedLeft, kDesignedTop);
    prompts_.setOwner(this);
    // The window starts in the state "no card open", also when a damaged file
    // stops the start-up before its last step.
    UpdateWindowState();

    commandguard::runGuarded(prompts_, [this] { FormCreate(); });
    if (!processEnded_ && centreOnDesktop_)
        centreOnDesktop();
}

TForm1::~TForm1() = default;

void TForm1::createClient() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    QPalette designed = client_->palette();
    designed.setColor(QPalette::Window, Qt::white);
    client_->setPalette(designed);
    client_->installEventFilter(this);
    setCentralWidget(client_);
}

void TForm1::createParts() {
    commands_ = new CommandRegistry(prompts_, this);
    toolBar_ = new MainToolBar;
    const int editorHeight = kDesignedClientHeight - MainToolBar::kHeight;
    listPanel_ = new CardListPanel;
    listPanel_->resize(CardListPanel::kDesignedWidth, editorHeight);
    listPanel_->Panel9CanResize(listPanel_->width(), listPanel_->height());
    editor_ =
        new EditorPanel(QSize(kDesignedClientWidth - CardListPanel::kDesignedWidth, editorHeight));

    // The editor lies over the welcome area; with no card open it is hidden
    // and the welcome labels show.
    auto* editorArea = new QWidget;
    editorArea->setMinimumWidth(100);
    editorlayout::fillWith(editorArea, editor_);
    Splitter4_ =
        editorlayout::createSplitter("Splitter4", Qt::Horizontal, listPanel_, editorArea, 1, false);
    Splitter4_->setSizes(
        {CardListPanel::kDesignedWidth, kDesignedClientWidth - CardListPanel::kDesignedWidth - 3});

    auto* layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(Splitter4_, 1);
    welcome_ = new WelcomeArea(*client_);
    menu_ = new MainMenu(*this, *commands_);
}

void TForm1::connectParts() {
    toolBar_->forwardTo(*commands_);
    listPanel_->forwardTo(*commands_);
    connect(welcome_, &WelcomeArea::addClicked, this,
            [this] { commands_->trigger(Command::NewCard); });
    connect(welcome_, &WelcomeArea::helpClicked, this,
            [this] { commands_->trigger(Command::Help); });
    connect(welcome_, &WelcomeArea::homePageClicked, this,
            [this] { commands_->trigger(Command::HomePage); });
    connect(welcome_, &WelcomeArea::supportClicked, this, &TForm1::supportLinkClicked);
    connect(editor_, &EditorPanel::pictureClicked, this,
            [this] { commands_->trigger(Command::ChoosePicture); });
    connect(editor_, &EditorPanel::tableMenuRequested, menu_, &MainMenu::popUpTableMenu);
    connect(editor_, &EditorPanel::pictureMenuRequested, menu_, &MainMenu::popUpPictureMenu);

    connect(editor_, &EditorPanel::edited, this, [this] { card_->markModified(); });
    connect(editor_, &EditorPanel::errorRaised, this,
            [this](const QString& text) { prompts_.error(text); });
    connect(editor_, &EditorPanel::cardTitleDue, this, &TForm1::showCardTitle);
    connect(editor_, &EditorPanel::windowStateDue, this, &TForm1::UpdateWindowState);
    connect(editor_, &EditorPanel::splitterMoved, this, &TForm1::Splitter2Moved);
    connect(Splitter4_, &QSplitter::splitterMoved, this, &TForm1::Splitter2Moved);
    // Enter typed in the table adds a row, once the table is done with the key:
    // a cell editor closes itself on Enter through a call it queues after the
    // key is reported, and adding the row before that call runs would move the
    // cursor, which closes the editor already, so the queued call would find
    // its editor gone.
    connect(editor_, &EditorPanel::keyTyped, this, [this](QChar key) {
        if (key != u'\r')
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                QMetaObject::invokeMethod(
                    this, [this] { commands_->trigger(Command::AddLine); }, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    });

    connect(listPanel_, &CardListPanel::openRequested, this,
            [this] { commandguard::runGuarded(prompts_, [this] { ListDblClick(); }); });
    connect(listPanel_, &CardListPanel::keyReleased, this, [this](int key) {
        commandguard::runGuarded(prompts_, [this, key] { ListKeyUp(key); });
    });
    connect(listPanel_, &CardListPanel::listChanged, this, &TForm1::ListChange);
}

// The commands that need nothing but the window itself.
void TForm1::bindOwnCommands() {
    const QList<QPair<Command, std::function<void()>>> table = {
        {Command::SaveCard, [this] { SpeedButton3Click(); }},
        {Command::RenameCard, [this] { Pejmenovat1Click(); }},
        {Command::Exit, [this] { SpeedButton5Click(); }},
        {Command::RevertCard, [this] { Undo1Click(); }},
        {Command::AddLine, [this] { Addline1Click(); }},
        {Command::DeleteLine, [this] { Delete2Click(); }},
        {Command::ChoosePicture, [this] { Image1Click(); }},
        {Command::PastePicture, [this] { Nastzeschrnky1Click(); }},
        {Command::RemovePicture, [this] { Odstranitobrzek1Click(); }},
        {Command::Next, [this] { SpeedButton9Click(); }},
        {Command::Previous, [this] { SpeedButton8Click(); }},
        {Command::GoToFirst, [this] { Pejtnaprvn1Click(); }},
        {Command::GoToLast, [this] { Pejtnaposledn1Click(); }},
        {Command::GoToCard, [this] { Pejtnakartu1Click(); }},
    };
    for (const auto& [command, handler] : table)
        commands_->bind(command, handler);
}

QLineEdit* TForm1::quickSearchBox() const {
    return toolBar_->quickSearchBox();
}

void TForm1::UpdateWindowState() {
    const bool open = card_ && card_->CardLoaded();
    editor_->setCardOpen(open);
    // The welcome area shows where the editor is hidden.
    welcome_->setVisible(!open);
    menu_->setCardOpen(open);
    toolBar_->setCardOpen(open);
    if (!open)
        setWindowTitle(windowtitle::applicationTitle());
}

void TForm1::showCardTitle(const QString& cardName) {
    const int number = listPanel_->indexOf(cardfile::fileNameOf(cardName)) + 1;
    setWindowTitle(windowtitle::cardWindowTitle(number, cardName));
}

void TForm1::ListChange() {
    listPanel_->showCardCount();
}

void TForm1::Splitter2Moved() {
    editor_->fitPicture();
}

void TForm1::placeWelcomeArea() {
    welcome_->place(listPanel_->listRight());
}

void TForm1::applyBackColor(qint32 storedColor) {
    state_.BackColor = storedColor;
    const QColor color = storedcolor::colorFromStored(storedColor);
    const QPalette system = QGuiApplication::palette();
    QList<QWidget*> surfaces = toolBar_->colouredBands();
    for (QWidget* surface : QList<QWidget*>{client_} + surfaces) {
        QPalette palette = surface->palette();
        palette.setColor(QPalette::Window, color);
        palette.setColor(QPalette::WindowText, readabletext::readableTextColor(
                                                   color, system.color(QPalette::WindowText)));
        surface->setPalette(palette);
    }
    // The flat tool buttons on the coloured bands and beside the card list
    // draw their captions straight on the background; a disabled one is
    // dimmed, so that it does not look available, yet still legible.
    const QColor caption =
        readabletext::readableTextColor(color, system.color(QPalette::ButtonText));
    for (QWidget* surface : surfaces + QList<QWidget*>{listPanel_}) {
        QPalette palette = surface->palette();
        palette.setColor(QPalette::ButtonText, caption);
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, dimmedTextColor(caption, color));
        surface->setPalette(palette);
    }
    applyMainFont(mainFont_, mainFontColor_);
    emit backColorChanged(storedColor);
}

QColor TForm1::welcomeTextColor(qint32 storedColor) const {
    // The system's text colour is the default; it gives way where it would not
    // stand out from the background. A colour the user chose stays as chosen.
    const QColor color = storedcolor::colorFromStored(storedColor);
    if (storedColor != kWindowTextColor)
        return color;
    return readabletext::readableTextColor(storedcolor::colorFromStored(state_.BackColor), color);
}

void TForm1::applyMainFont(const QFont& font, qint32 storedColor) {
    mainFont_ = font;
    mainFontColor_ = storedColor;
    const QColor color = storedcolor::colorFromStored(storedColor);
    // The controls that take the window's font; the labels with fonts of their
    // own keep them.
    editor_->applyFont(font, color);
    listPanel_->applyFont(font, color);
    QLineEdit* quickSearch = quickSearchBox();
    quickSearch->setFont(font);
    QPalette palette = quickSearch->palette();
    palette.setColor(QPalette::Text, color);
    quickSearch->setPalette(palette);
    welcome_->applyFont(font, welcomeTextColor(storedColor));
    if (client_->width() > 0)
        placeWelcomeArea();
}

void TForm1::setNavigationKeys(bool on) {
    menu_->setNavigationKeys(on);
}

void TForm1::CompactToolbar() {
    toolBar_->CompactToolbar();
}

QStringList TForm1::titleCaptions() const {
    return editor_->titleCaptions();
}

void TForm1::setTitleCaptions(const QStringList& titles) {
    editor_->setTitleCaptions(titles);
}

void TForm1::setTableTabOption(bool on) {
    editor_->setTabKeyOption(on);
}

bool TForm1::navigationShortcutsPresent() const {
    return menu_->navigationKeysPresent();
}

bool TForm1::undoButtonVisible() const {
    return toolBar_->undoButtonVisible();
}

QPrinter& TForm1::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Text controls claim keys such as Home, End, PgUp, PgDn and Ctrl+A for
        // themselves; the window's shortcuts win over them. Leaving the event
        // unaccepted lets the shortcut run.
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this &&
            commands_->isShortcut(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::Resize && watched == client_) {
        placeWelcomeArea();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the window by any means is the exit, which ends the process
    // itself or, when it stops, keeps the window open.
    if (processEnded_) {
        event->accept();
        return;
    }
    event->ignore();
    commandguard::runGuarded(prompts_, [this] { SpeedButton5Click(); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (!paths.isEmpty())
        commandguard::runGuarded(prompts_, [this, &paths] { WMDropFiles(paths); });
}

void TForm1::keepDesignedSize() {
    const QSize designed(kDesignedClientWidth,
                         kDesignedClientHeight + menuBar()->sizeHint().height());
    // The normal window has the designed size and no smaller; it grows only
    // when maximised (resizeEvent puts an edge drag back).
    setMinimumSize(designed);
    resize(designed);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A window manager offers no "maximisable but not resizable" window, so
    // the window is resizable in principle and goes back to its designed size
    // whenever it is resized in the normal state. A window manager that insists
    // on another size (a tiling one) is not fought: one try per second.
    if (sizeRestorePending_)
        return;
    sizeRestorePending_ = true;
    QTimer::singleShot(0, this, [this] {
        sizeRestorePending_ = false;
        const bool normal =
            !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
        if (!normal || size() == minimumSize())
            return;
        if (lastSizeRestore_.isValid() && lastSizeRestore_.elapsed() < 1000)
            return;
        lastSizeRestore_.start();
        resize(minimumSize());
    });
}
