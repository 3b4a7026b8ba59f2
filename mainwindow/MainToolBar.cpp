#include "mainwindow/MainToolBar.h"

#include "mainwindow/CommandRegistry.h"
#include "mainwindow/Resources.h"
#include "settings/CompactToolbar.h"

#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr int kBandHeight = MainToolBar::kHeight - 4;
constexpr int kButtonTop = 2;
constexpr int kButtonHeight = 30;

QWidget* createBand(const char* name, int width) {
    auto* band = new QWidget;
    band->setObjectName(QString::fromLatin1(name));
    band->setFixedSize(width, kBandHeight);
    return band;
}

} // namespace

MainToolBar::MainToolBar(QWidget* parent) : BandBar(parent) {
    setObjectName(QStringLiteral("CBar"));
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    createBands();
}

QToolButton* MainToolBar::speedButton(QWidget* band, const char* name, const QString& caption,
                                      const QString& hint, const QString& iconName,
                                      QRect geometry) {
    auto* button = new QToolButton(band);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(resources::themedIcon(iconName));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    button->setFixedWidth(geometry.width());
    // A narrow face keeps the captions within the designed band widths.
    QFont captions(QStringLiteral("DejaVu Sans Condensed"));
    captions.setPixelSize(12);
    button->setFont(captions);
    return button;
}

// Bands and their controls at their designed places (left, top, width, height
// within the band).
void MainToolBar::createBands() {
    Panel2_ = createBand("Panel2", 158);
    SpeedButton4_ = speedButton(Panel2_, "SpeedButton4", QStringLiteral("Nový"),
                                QStringLiteral("Nový soubor (F7)"), QStringLiteral("document-new"),
                                {2, kButtonTop, 66, kButtonHeight});
    SpeedButton6_ = speedButton(Panel2_, "SpeedButton6", QStringLiteral("Odstranit"),
                                QStringLiteral("Odstranit soubor (F8)"),
                                QStringLiteral("edit-delete"), {70, kButtonTop, 86, kButtonHeight});

    Panel4_ = createBand("Panel4", 203);
    Edit2_ = new QLineEdit(Panel4_);
    Edit2_->setObjectName(QStringLiteral("Edit2"));
    Edit2_->setGeometry(2, 6, 108, 22);
    SpeedButton14_ =
        speedButton(Panel4_, "SpeedButton14", QStringLiteral("Hledat"),
                    QStringLiteral("Vyhledat / Najít další (F3)"), QStringLiteral("system-search"),
                    {113, kButtonTop, 66, kButtonHeight});
    SpeedButton13_ = speedButton(
        Panel4_, "SpeedButton13", QStringLiteral(">>"), QStringLiteral("Pokročilé vyhledávání"),
        QStringLiteral("edit-find-replace"), {181, kButtonTop, 20, kButtonHeight});
    // The advanced-search button keeps its caption in both tool bar forms and
    // has no room for a picture beside it.
    SpeedButton13_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    Panel6_ = createBand("Panel6", 158);
    SpeedButton11_ =
        speedButton(Panel6_, "SpeedButton11", QStringLiteral("Tisknout"),
                    QStringLiteral("Tisk otevřeného souboru (F5)"),
                    QStringLiteral("document-print"), {2, kButtonTop, 80, kButtonHeight});
    SpeedButton3_ = speedButton(
        Panel6_, "SpeedButton3", QStringLiteral("Uložit"), QStringLiteral("Uložit soubor (F2)"),
        QStringLiteral("document-save"), {84, kButtonTop, 72, kButtonHeight});
    SpeedButton12_ =
        speedButton(Panel6_, "SpeedButton12", QString(), QStringLiteral("Vrátit změny (F11)"),
                    QStringLiteral("edit-undo"), {40, kButtonTop, 30, kButtonHeight});
    SpeedButton12_->hide();

    Panel3_ = createBand("Panel3", 56);
    SpeedButton1_ =
        speedButton(Panel3_, "SpeedButton1", QString(), QStringLiteral("Přidat řádek (Ctrl+A)"),
                    QStringLiteral("list-add"), {2, kButtonTop, 26, kButtonHeight});
    SpeedButton2_ =
        speedButton(Panel3_, "SpeedButton2", QString(), QStringLiteral("Odebrat řádek (Ctrl+D)"),
                    QStringLiteral("list-remove"), {28, kButtonTop, 26, kButtonHeight});
    Panel3_->setEnabled(false);

    Panel5_ = createBand("Panel5", 90);
    SpeedButton10_ = speedButton(Panel5_, "SpeedButton10", QStringLiteral("Nápověda"),
                                 QStringLiteral("Nápověda (F1)"), QStringLiteral("help-browser"),
                                 {2, kButtonTop, 86, kButtonHeight});

    // The last band ends a little before the window's designed right edge.
    Panel1_ = createBand("Panel1", 54);
    SpeedButton5_ =
        speedButton(Panel1_, "SpeedButton5", QStringLiteral("Konec"), QStringLiteral("Konec (F10)"),
                    QStringLiteral("application-exit"), {0, kButtonTop, 54, kButtonHeight});

    // The order of the bands is the order of the lines of cbar.ini.
    addBand(Panel2_, 11);
    addBand(Panel3_, 563);
    addBand(Panel1_, 728);
    addBand(Panel5_, 629);
    addBand(Panel6_, 395);
    addBand(Panel4_, 182);
    for (QWidget* band : {Panel1_, Panel2_, Panel3_})
        band->setAutoFillBackground(true);
    nameForScreenReaders();
}

// What a screen reader says for each control, the buttons without caption too.
void MainToolBar::nameForScreenReaders() {
    const QList<QPair<QWidget*, QString>> names = {
        {SpeedButton4_, QStringLiteral("Nový soubor")},
        {SpeedButton6_, QStringLiteral("Odstranit soubor")},
        {Edit2_, QStringLiteral("Rychlé hledání")},
        {SpeedButton14_, QStringLiteral("Hledat")},
        {SpeedButton13_, QStringLiteral("Pokročilé vyhledávání")},
        {SpeedButton11_, QStringLiteral("Tisknout kartu")},
        {SpeedButton3_, QStringLiteral("Uložit soubor")},
        {SpeedButton12_, QStringLiteral("Vrátit změny")},
        {SpeedButton1_, QStringLiteral("Přidat řádek")},
        {SpeedButton2_, QStringLiteral("Odebrat řádek")},
        {SpeedButton10_, QStringLiteral("Nápověda")},
        {SpeedButton5_, QStringLiteral("Konec")},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(name);
}

void MainToolBar::forwardTo(CommandRegistry& commands) {
    const QList<QPair<QToolButton*, Command>> buttons = {
        {SpeedButton4_, Command::NewCard},     {SpeedButton6_, Command::DeleteCard},
        {SpeedButton14_, Command::FindNext},   {SpeedButton13_, Command::AdvancedSearch},
        {SpeedButton11_, Command::PrintCard},  {SpeedButton3_, Command::SaveCard},
        {SpeedButton12_, Command::RevertCard}, {SpeedButton1_, Command::AddLine},
        {SpeedButton2_, Command::DeleteLine},  {SpeedButton10_, Command::Help},
        {SpeedButton5_, Command::Exit},
    };
    for (const auto& [button, command] : buttons)
        commands.forward(button, command);
}

void MainToolBar::setCardOpen(bool open) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{Panel3_, SpeedButton1_, SpeedButton2_, SpeedButton3_,
                                         SpeedButton6_, SpeedButton11_, SpeedButton12_})
        control->setEnabled(open);
}

void MainToolBar::fitRowBand() {
    Panel3_->setFixedWidth(SpeedButton1_->width() + SpeedButton2_->width() + 4);
}

void MainToolBar::CompactToolbar() {
    toolbar::CompactToolbar({SpeedButton3_, SpeedButton4_, SpeedButton5_, SpeedButton6_,
                             SpeedButton10_, SpeedButton11_, SpeedButton12_, SpeedButton13_,
                             SpeedButton14_, Panel1_, Panel2_, Panel4_, Panel5_, Panel6_});
    // A button without caption shows its picture centred.
    for (QToolButton* button : {SpeedButton3_, SpeedButton4_, SpeedButton5_, SpeedButton6_,
                                SpeedButton10_, SpeedButton11_, SpeedButton12_, SpeedButton14_}) {
        if (button->text().isEmpty())
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
}

bool MainToolBar::undoButtonVisible() const {
    return !SpeedButton12_->isHidden();
}

QList<QWidget*> MainToolBar::colouredBands() const {
    return {Panel1_, Panel2_, Panel3_};
}
