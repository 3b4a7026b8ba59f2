#include "mainwindow/TForm1.h"

#include "mainwindow/BandBar.h"
#include "mainwindow/Resources.h"
#include "settings/CompactToolbar.h"

#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr int PanelHeight = TForm1::ToolbarHeight - 4;
constexpr int ButtonTop = 2;
constexpr int ButtonHeight = 30;

QWidget* CreatePanel(const char* name, int width) {
    auto* panel = new QWidget;
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedSize(width, PanelHeight);
    return panel;
}

} // namespace

QToolButton* TForm1::CreateSpeedButton(QWidget* panel, const QString& caption, const QString& hint,
                                       const QString& iconName, QRect geometry) {
    auto* button = new QToolButton(panel);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(resources::ThemedIcon(iconName));
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

void TForm1::CreateToolbar() {
    CBar = new BandBar;
    CBar->setObjectName(QStringLiteral("CBar"));
    CBar->setFixedHeight(ToolbarHeight);
    CBar->setAutoFillBackground(true);
    QPalette face = CBar->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    CBar->setPalette(face);

    // Bands and their controls at their designed places (left, top, width, height
    // within the band's panel).
    Panel2 = CreatePanel("Panel2", 158);
    SpeedButton4 =
        CreateSpeedButton(Panel2, QStringLiteral("Nový"), QStringLiteral("Nový soubor (F7)"),
                          QStringLiteral("document-new"), {2, ButtonTop, 66, ButtonHeight});
    SpeedButton6 = CreateSpeedButton(
        Panel2, QStringLiteral("Odstranit"), QStringLiteral("Odstranit soubor (F8)"),
        QStringLiteral("edit-delete"), {70, ButtonTop, 86, ButtonHeight});

    Panel4 = CreatePanel("Panel4", 203);
    Edit2 = new QLineEdit(Panel4);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(2, 6, 108, 22);
    SpeedButton14 = CreateSpeedButton(
        Panel4, QStringLiteral("Hledat"), QStringLiteral("Vyhledat / Najít další (F3)"),
        QStringLiteral("system-search"), {113, ButtonTop, 66, ButtonHeight});
    SpeedButton13 =
        CreateSpeedButton(Panel4, QStringLiteral(">>"), QStringLiteral("Pokročilé vyhledávání"),
                          QStringLiteral("edit-find-replace"), {181, ButtonTop, 20, ButtonHeight});
    // The advanced-search button keeps its caption in both tool bar forms and
    // has no room for a picture beside it.
    SpeedButton13->setToolButtonStyle(Qt::ToolButtonTextOnly);

    Panel6 = CreatePanel("Panel6", 158);
    SpeedButton11 = CreateSpeedButton(
        Panel6, QStringLiteral("Tisknout"), QStringLiteral("Tisk otevřeného souboru (F5)"),
        QStringLiteral("document-print"), {2, ButtonTop, 80, ButtonHeight});
    SpeedButton3 =
        CreateSpeedButton(Panel6, QStringLiteral("Uložit"), QStringLiteral("Uložit soubor (F2)"),
                          QStringLiteral("document-save"), {84, ButtonTop, 72, ButtonHeight});
    SpeedButton12 =
        CreateSpeedButton(Panel6, QString(), QStringLiteral("Vrátit změny (F11)"),
                          QStringLiteral("edit-undo"), {40, ButtonTop, 30, ButtonHeight});
    SpeedButton12->hide();

    SpeedButton1 = CreateSpeedButton(nullptr, QString(), QStringLiteral("Přidat řádek (Ctrl+A)"),
                                     QStringLiteral("list-add"), {2, ButtonTop, 26, ButtonHeight});
    SpeedButton2 =
        CreateSpeedButton(nullptr, QString(), QStringLiteral("Odebrat řádek (Ctrl+D)"),
                          QStringLiteral("list-remove"), {28, ButtonTop, 26, ButtonHeight});
    Panel3 = CreatePanel("Panel3", 56);
    SpeedButton1->setParent(Panel3);
    SpeedButton2->setParent(Panel3);
    Panel3->setEnabled(false);

    Panel5 = CreatePanel("Panel5", 90);
    SpeedButton10 =
        CreateSpeedButton(Panel5, QStringLiteral("Nápověda"), QStringLiteral("Nápověda (F1)"),
                          QStringLiteral("help-browser"), {2, ButtonTop, 86, ButtonHeight});

    // The last band ends a little before the window's designed right edge.
    Panel1 = CreatePanel("Panel1", 54);
    SpeedButton5 =
        CreateSpeedButton(Panel1, QStringLiteral("Konec"), QStringLiteral("Konec (F10)"),
                          QStringLiteral("application-exit"), {0, ButtonTop, 54, ButtonHeight});

    // The order of the bands is the order of the lines of cbar.ini.
    CBar->AddBand(Panel2, 11);
    CBar->AddBand(Panel3, 563);
    CBar->AddBand(Panel1, 728);
    CBar->AddBand(Panel5, 629);
    CBar->AddBand(Panel6, 395);
    CBar->AddBand(Panel4, 182);
    for (QWidget* panel : {Panel1, Panel2, Panel3})
        panel->setAutoFillBackground(true);
}

void TForm1::CompactToolbar() {
    ::CompactToolbar({SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton10,
                      SpeedButton11, SpeedButton12, SpeedButton13, SpeedButton14, Panel1, Panel2,
                      Panel4, Panel5, Panel6});
    // A button without caption shows its picture centred.
    for (QToolButton* button : {SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
                                SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton14}) {
        if (button->text().isEmpty())
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
}
