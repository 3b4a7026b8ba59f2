#include "mainwindow/TForm1.h"

#include "core/MainFont.h"
#include "core/OpenCard.h"
#include "core/Prompts.h"
#include "core/WebSite.h"
#include "core/WindowTitle.h"
#include "mainwindow/BandBar.h"
#include "mainwindow/CardList.h"
#include "mainwindow/Form1CardEditor.h"
#include "mainwindow/Form1CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Resources.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "widgets/CommandGuard.h"
#include "widgets/LinkLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int LeftPanelWidth = 204;
constexpr int BottomPanelHeight = 240;
constexpr int PictureWidth = 320;
constexpr int PictureHeight = 240;
constexpr int NavigationButtonHeight = 23;

// A two-pane splitter with a thin handle; only the stretching pane takes up a
// change of the window's size, and only the second pane may be collapsible.
QSplitter* CreateSplitter(const char* name, Qt::Orientation orientation, QWidget* first,
                          QWidget* second, int stretchingPane, bool secondCollapsible) {
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->addWidget(first);
    splitter->addWidget(second);
    splitter->setStretchFactor(0, stretchingPane == 0 ? 1 : 0);
    splitter->setStretchFactor(1, stretchingPane == 1 ? 1 : 0);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, secondCollapsible);
    splitter->setHandleWidth(3);
    return splitter;
}

// Makes content fill container wholly.
void FillWith(QWidget* container, QWidget* content) {
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace

TForm1::TForm1(AppState& state, Prompts& prompts, ProcessEnd endProcess, QWidget* parent)
    : QMainWindow(parent), state_(state), prompts_(prompts), endProcess_(std::move(endProcess)),
      mainFont_(DesignedMainFont().font), mainFontColor_(DesignedMainFont().color) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ApplicationTitle());
    setWindowIcon(resources::ApplicationIcon());

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    QPalette designed = client_->palette();
    designed.setColor(QPalette::Window, Qt::white);
    client_->setPalette(designed);
    client_->installEventFilter(this);
    setCentralWidget(client_);

    CreateToolbar();
    CreateLeftPanel();
    CreateEditor();
    cardEditor_ = std::make_unique<Form1CardEditor>(*this);
    cardList_ = std::make_unique<Form1CardList>(*List);
    card_ = std::make_unique<OpenCard>(state_, prompts_, *cardEditor_, *cardList_);
    auto* layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CBar);
    layout->addWidget(Splitter4, 1);
    CreateWelcomeArea();
    CreateMenus();
    CreatePopupMenus();
    ForwardControlsToActions();
    ConnectChangeNotifications();
    ApplyMainFont(mainFont_, mainFontColor_);

    qApp->installEventFilter(this);
    KeepDesignedSize();
    move(DesignedLeft, DesignedTop);
    prompts_.setOwner(this);
    // The window starts in the state "no card open", also when a damaged file
    // stops the start-up before its last step.
    UpdateWindowState();

    RunGuarded(prompts_, [this] { FormCreate(); });
    if (!processEnded_ && centreOnDesktop_)
        CentreOnDesktop();
}

TForm1::~TForm1() = default;

void TForm1::Bind(QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this, [this, action, command = std::move(command)] {
        if (IsAvailable(action))
            RunGuarded(prompts_, command);
    });
}

void TForm1::Bind(QAbstractButton* button, std::function<void()> command) {
    connect(button, &QAbstractButton::clicked, this,
            [this, command = std::move(command)] { RunGuarded(prompts_, command); });
}

void TForm1::BindFilesDropped(std::function<void(const QStringList&)> handler) {
    filesDropped_ = std::move(handler);
}

bool TForm1::IsAvailable(const QAction* action) {
    if (!action->isEnabled())
        return false;
    for (const QObject* owner : action->associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(owner)) {
            if (!menu->isEnabled() || !menu->menuAction()->isEnabled())
                return false;
        }
    }
    return true;
}

void TForm1::CreateLeftPanel() {
    Panel9 = new QWidget;
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setMinimumWidth(100);
    Panel9->installEventFilter(this);
    List = new CardList(Panel9);
    List->setObjectName(QStringLiteral("List"));
    SpeedButton8 = new QToolButton(Panel9);
    SpeedButton8->setText(QStringLiteral("<<"));
    SpeedButton8->setToolTip(QStringLiteral("Předchozí (Page up)"));
    SpeedButton9 = new QToolButton(Panel9);
    SpeedButton9->setText(QStringLiteral(">>"));
    SpeedButton9->setToolTip(QStringLiteral("Další (Page down)"));
    for (QToolButton* button : {SpeedButton8, SpeedButton9}) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->resize(100, NavigationButtonHeight);
    }
    Panel9->resize(LeftPanelWidth, DesignedClientHeight - ToolbarHeight);
    Panel9CanResize(Panel9->width(), Panel9->height());
}

void TForm1::CreateEditor() {
    ListB = new KeyValueGrid;
    ListB->setObjectName(QStringLiteral("ListB"));
    ListB->SetTitleCaptions({QStringLiteral("Předmět"), QStringLiteral("Hodnota")});
    ListB->SetColWidth(0, 167);
    ListB->SetColWidth(1, 387);
    ListB->setContextMenuPolicy(Qt::CustomContextMenu);
    ListB->SetTabKeyOption(false);

    Memo1 = new NotesEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setMinimumWidth(10);

    Panel10 = new QWidget;
    Panel10->setObjectName(QStringLiteral("Panel10"));
    Panel10->setMinimumWidth(10);
    Panel10->installEventFilter(this);
    Shape1 = new QFrame(Panel10);
    Shape1->setFrameShape(QFrame::NoFrame);
    Shape1->setAutoFillBackground(true);
    QPalette white = Shape1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Shape1->setPalette(white);
    Image1 = new PictureBox(Panel10);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, PictureWidth, PictureHeight);
    Image1->setToolTip(QStringLiteral("Klikněte pro vybrání obrázku. (Nejlépe 4:3)"));
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    Image1->SetPicture(resources::NselectBitmap());

    Splitter2 = CreateSplitter("Splitter2", Qt::Horizontal, Memo1, Panel10, 0, false);
    Splitter2->setSizes({DesignedClientWidth - LeftPanelWidth - PictureWidth, PictureWidth});

    Panel8 = new QWidget;
    Panel8->setObjectName(QStringLiteral("Panel8"));
    Panel8->setMinimumHeight(10);
    FillWith(Panel8, Splitter2);

    // The bottom panel snaps shut.
    Splitter1 = CreateSplitter("Splitter1", Qt::Vertical, ListB, Panel8, 0, true);
    Splitter1->setSizes(
        {DesignedClientHeight - ToolbarHeight - BottomPanelHeight - 3, BottomPanelHeight});

    Panel7 = new QWidget;
    Panel7->setObjectName(QStringLiteral("Panel7"));
    FillWith(Panel7, Splitter1);

    // The editor lies over the welcome area; with no card open it is hidden
    // and the welcome labels show.
    editorArea_ = new QWidget;
    editorArea_->setMinimumWidth(100);
    FillWith(editorArea_, Panel7);

    Splitter4 = CreateSplitter("Splitter4", Qt::Horizontal, Panel9, editorArea_, 1, false);
    Splitter4->setSizes({LeftPanelWidth, DesignedClientWidth - LeftPanelWidth - 3});

    for (QSplitter* splitter : {Splitter1, Splitter2, Splitter4})
        connect(splitter, &QSplitter::splitterMoved, this, [this] { Splitter2Moved(); });
}

void TForm1::CreateWelcomeArea() {
    auto label = [this](QLabel* created, const char* name) {
        created->setParent(client_);
        created->setObjectName(QString::fromLatin1(name));
        created->adjustSize();
        return created;
    };
    Label1 = label(new QLabel(QStringLiteral("Vítejte v Pelvarin Kartotéce!")), "Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPixelSize(16);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Label2 = label(new QLabel(QStringLiteral("v 0.7.4")), "Label2");
    Label3 = label(new QLabel(QStringLiteral("Nemáte vybraný žádný soubor.")), "Label3");
    Label4 = label(new QLabel(QStringLiteral("Vyberte jeden ze seznamu na levo, nebo")), "Label4");
    Label5 = static_cast<LinkLabel*>(label(new LinkLabel(kWebHost), "Label5"));
    Label5->setToolTip(kWebSite);
    Label6 = label(new QLabel(QStringLiteral("můžete přidat nový.")), "Label6");
    Label7 = label(new QLabel(QStringLiteral("Pokud si nevíte rady, podívejte se do nápovědy.")),
                   "Label7");
    Label8 = static_cast<LinkLabel*>(
        label(new LinkLabel(QStringLiteral("Pomozte s vývojem Kartotéky.")), "Label8"));
    Label8->hide();
    // The two links lie over their words in Label6 and Label7 and hide them.
    Label9 = static_cast<LinkLabel*>(label(new LinkLabel(QStringLiteral("přidat")), "Label9"));
    Label10 = static_cast<LinkLabel*>(label(new LinkLabel(QStringLiteral("nápovědy.")), "Label10"));
    for (QLabel* link : {static_cast<QLabel*>(Label9), static_cast<QLabel*>(Label10)})
        link->setAutoFillBackground(true);
    for (QLabel* each : {Label1, Label2, Label3, Label4, static_cast<QLabel*>(Label5), Label6,
                         Label7, static_cast<QLabel*>(Label9), static_cast<QLabel*>(Label10)})
        each->raise();
    // Plain text must not catch the mouse from the splitter handle beneath it.
    for (QLabel* plain : {Label1, Label2, Label3, Label4, Label6, Label7})
        plain->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TForm1::ConnectChangeNotifications() {
    auto setModified = [this] { card_->MarkModified(); };
    connect(Memo1, &QPlainTextEdit::textChanged, this, setModified);
    connect(ListB, &KeyValueGrid::stringsChanging, this, setModified);
    connect(ListB, &KeyValueGrid::stringsChanged, this, setModified);
    connect(ListB, &KeyValueGrid::topLeftChanged, this, setModified);
    connect(ListB, &KeyValueGrid::keyTyped, this, setModified);
    connect(ListB, &KeyValueGrid::errorRaised, this,
            [this](const QString& text) { prompts_.error(text); });

    connect(List, &CardList::doubleClicked, this,
            [this] { RunGuarded(prompts_, [this] { ListDblClick(); }); });
    connect(List, &CardList::keyReleased, this,
            [this](int key) { RunGuarded(prompts_, [this, key] { ListKeyUp(key); }); });
    connect(List, &CardList::listChanged, this, [this] { ListChange(); });
}
