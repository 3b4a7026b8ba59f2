#include "settings/TSetForm.h"

#include "core/ConfigFiles.h"
#include "core/Prompts.h"
#include "core/StoredColor.h"
#include "core/TitleSplit.h"
#include "core/WebSite.h"
#include "settings/MouseUpCheckBox.h"
#include "settings/SettingsTarget.h"
#include "storage/AppState.h"
#include "storage/Cp1250.h"
#include "widgets/ColorBox.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogLook.h"
#include "widgets/PrinterSetUp.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kHelpPage = QStringLiteral("/tavrosk/help/nastaveni.html");
const QString kRestartMessage =
    QStringLiteral("Pro použití této změny musíte restartovat Pelvarin Kartotéku");

// Buttons that, like tool buttons, never take the focus: Enter anywhere in the
// dialog applies, whatever was clicked last.
QPushButton* makeButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TSetForm::TSetForm(AppState& state, Prompts& prompts, SettingsTarget& target, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), target_(target) {
    setObjectName(QStringLiteral("SetForm"));
    dialoglook::makeFixedDialog(*this, QStringLiteral("Nastavení"), QSize(546, 306));
    createControls();
    layOutControls();
    connectHandlers();
    setBackColor(state_.BackColor);
}

void TSetForm::createControls() {
    Label1 = new QLabel(QStringLiteral("Nastavení Kartotéky"), this);
    QFont headerFont = Label1->font();
    headerFont.setBold(true);
    if (headerFont.pointSizeF() > 0)
        headerFont.setPointSizeF(headerFont.pointSizeF() * 1.4);
    Label1->setFont(headerFont);

    GroupBox1 = new QGroupBox(QStringLiteral(" Chování Kartotéky "), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Automaticky ukládat"), GroupBox1);
    CheckBox2 = new QCheckBox(QStringLiteral("Používat klávesu TAB v tabulce"), GroupBox1);
    CheckBox3 = new MouseUpCheckBox(QStringLiteral("Používat klávesy navigace"), GroupBox1);
    CheckBox3->setToolTip(QStringLiteral("PgUp, PgDn, Home, End"));

    GroupBox2 = new QGroupBox(QStringLiteral(" Vzhled Kartotéky "), this);
    Label3 = new QLabel(QStringLiteral("Barva pozadí:"), GroupBox2);
    ColorBox1 = new ColorBox(GroupBox2);
    Label3->setBuddy(ColorBox1);
    CheckBox5 = new MouseUpCheckBox(QStringLiteral("Zobrazit popisky v horní liště"), GroupBox2);
    SpeedButton2 = makeButton(QStringLiteral("Font a barva písma"), GroupBox2);

    GroupBox3 = new QGroupBox(QStringLiteral(" Tisk "), this);
    SpeedButton5 = makeButton(QStringLiteral("Nastavení tiskárny"), GroupBox3);

    GroupBox4 = new QGroupBox(QStringLiteral(" Nadpisy tabulky "), this);
    NadpisEdit1 = new QLineEdit(QStringLiteral(" 1 <---"), GroupBox4);
    NadpisEdit2 = new QLineEdit(QStringLiteral("---> 2"), GroupBox4);
    NadpisEdit1->setAccessibleName(QStringLiteral("Nadpis prvního sloupce tabulky"));
    NadpisEdit2->setAccessibleName(QStringLiteral("Nadpis druhého sloupce tabulky"));
    ColorBox1->setAccessibleName(QStringLiteral("Barva pozadí"));

    Label4 = new QLabel(QStringLiteral("<a href=\"help\">Nápověda</a>"), this);
    Label4->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    Label4->setCursor(Qt::PointingHandCursor);
    SpeedButton3 = makeButton(QStringLiteral("Zrušit"), this);
    SpeedButton4 = makeButton(QStringLiteral("Použít"), this);
    nameControls();
}

// The controls keep the names the rest of the program and its tests use.
void TSetForm::nameControls() {
    const std::pair<QObject*, const char*> controls[] = {
        {Label1, "Label1"},
        {GroupBox1, "GroupBox1"},
        {CheckBox1, "CheckBox1"},
        {CheckBox2, "CheckBox2"},
        {CheckBox3, "CheckBox3"},
        {GroupBox2, "GroupBox2"},
        {Label3, "Label3"},
        {ColorBox1, "ColorBox1"},
        {CheckBox5, "CheckBox5"},
        {SpeedButton2, "SpeedButton2"},
        {GroupBox3, "GroupBox3"},
        {SpeedButton5, "SpeedButton5"},
        {GroupBox4, "GroupBox4"},
        {NadpisEdit1, "NadpisEdit1"},
        {NadpisEdit2, "NadpisEdit2"},
        {Label4, "Label4"},
        {SpeedButton3, "SpeedButton3"},
        {SpeedButton4, "SpeedButton4"},
    };
    for (const auto& [control, name] : controls)
        control->setObjectName(QLatin1String(name));
}

void TSetForm::layOutControls() {
    auto* behaviour = new QVBoxLayout(GroupBox1);
    behaviour->addWidget(CheckBox1);
    behaviour->addWidget(CheckBox2);
    behaviour->addWidget(CheckBox3);

    auto* appearance = new QGridLayout(GroupBox2);
    appearance->addWidget(Label3, 0, 0);
    appearance->addWidget(ColorBox1, 0, 1);
    appearance->addWidget(CheckBox5, 1, 0, 1, 2);
    appearance->addWidget(SpeedButton2, 2, 0, 1, 2, Qt::AlignLeft);
    appearance->setColumnStretch(1, 1);

    auto* printing = new QHBoxLayout(GroupBox3);
    printing->addWidget(SpeedButton5);
    printing->addStretch();

    auto* titles = new QHBoxLayout(GroupBox4);
    titles->addWidget(NadpisEdit1);
    titles->addWidget(NadpisEdit2);

    auto* groups = new QGridLayout;
    groups->addWidget(GroupBox1, 0, 0);
    groups->addWidget(GroupBox2, 0, 1);
    groups->addWidget(GroupBox4, 1, 0);
    groups->addWidget(GroupBox3, 1, 1);
    groups->setColumnStretch(0, 1);
    groups->setColumnStretch(1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label4);
    bottom->addStretch();
    for (QPushButton* button : {SpeedButton3, SpeedButton4}) {
        button->setMinimumWidth(90);
        bottom->addWidget(button);
    }

    auto* dialog = new QVBoxLayout(this);
    dialog->addWidget(Label1);
    dialog->addLayout(groups, 1);
    dialog->addSpacing(4);
    dialog->addLayout(bottom);
}

void TSetForm::connectHandlers() {
    connect(SpeedButton5, &QPushButton::clicked, this, &TSetForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TSetForm::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TSetForm::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TSetForm::SpeedButton4Click);
    connect(Label4, &QLabel::linkActivated, this, &TSetForm::Label4Click);
    connect(CheckBox3, &MouseUpCheckBox::mouseUp, this, &TSetForm::CheckBox3MouseUp);
    connect(CheckBox5, &MouseUpCheckBox::mouseUp, this, &TSetForm::CheckBox3MouseUp);
    connect(ColorBox1, &QComboBox::currentIndexChanged, this, &TSetForm::ColorBox1Change);
    for (QWidget* control : std::initializer_list<QWidget*>{
             CheckBox1, CheckBox2, CheckBox3, ColorBox1, CheckBox5, NadpisEdit1, NadpisEdit2})
        control->installEventFilter(this);
}

void TSetForm::setBackColor(qint32 color) {
    dialoglook::setBackground(*this, storedcolor::colorFromStored(color));
}

void TSetForm::FormShow() {
    const QStringList titles = target_.titleCaptions();
    NadpisEdit1->setText(titles.value(0));
    NadpisEdit2->setText(titles.value(1));
    ColorBox1->setSelected(state_.BackColor);
    FontDlg1 = target_.mainFont();
    if (state_.TableTabKey)
        CheckBox2->setChecked(true);
    if (state_.AutoSave)
        CheckBox1->setChecked(true);
    if (!CheckBox3->isChecked() && target_.navigationShortcutsPresent())
        CheckBox3->setChecked(true);
    if (!target_.undoButtonVisible())
        CheckBox5->setChecked(true);
}

void TSetForm::ApplySettings() {
    const QString titlesLine = NadpisEdit1->text() + u';' + NadpisEdit2->text();
    // Both files hold code page 1250; refuse before anything changes rather
    // than apply a title or font name that could not be kept.
    cp1250::encode(titlesLine);
    cp1250::encode(FontDlg1.font.family());

    target_.setTitleCaptions(titlesplit::splitTitles(titlesLine));

    state_.BackColor = ColorBox1->selected();
    setBackColor(state_.BackColor);
    target_.applyBackColor(state_.BackColor);

    configfiles::writeConfigFile(state_.programDir + QStringLiteral("config.ini"), titlesLine,
                                 state_.BackColor, CheckBox1->isChecked(), CheckBox2->isChecked(),
                                 CheckBox3->isChecked(), CheckBox5->isChecked());
    state_.AutoSave = CheckBox1->isChecked();
    state_.TableTabKey = CheckBox2->isChecked();
    target_.setTableTabOption(state_.TableTabKey);
    // The navigation keys, and the captions coming back, wait for the next start.
    if (!CheckBox5->isChecked()) {
        target_.makeToolbarCompact();
        state_.ToolbarCaptions = false;
    }

    target_.setMainFont(FontDlg1);
    configfiles::writeFontFile(state_.programDir + QStringLiteral("font.ini"), FontDlg1.font,
                               FontDlg1.color);

    accept();
}

bool TSetForm::FormKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        commandguard::runGuarded(prompts_, [this] { ApplySettings(); });
        return true;
    }
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    return false;
}

void TSetForm::SpeedButton1Click() {
    commandguard::runGuarded(
        prompts_, [this] { printersetup::runPrinterSetUp(prompts_, target_.printer()); });
}

void TSetForm::SpeedButton2Click() {
    commandguard::runGuarded(prompts_, [this] {
        FontDlg1 = target_.mainFont();
        QFont font = FontDlg1.font;
        qint32 color = FontDlg1.color;
        if (prompts_.chooseFont(font, color))
            FontDlg1 = {font, color};
    });
}

void TSetForm::SpeedButton3Click() {
    reject();
}

void TSetForm::SpeedButton4Click() {
    commandguard::runGuarded(prompts_, [this] { ApplySettings(); });
}

void TSetForm::Label4Click() {
    QDesktopServices::openUrl(QUrl(kWebSite + kHelpPage));
}

void TSetForm::CheckBox3MouseUp() {
    prompts_.message(kRestartMessage);
}

// A colour takes effect only through "Použít".
void TSetForm::ColorBox1Change() {}

void TSetForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TSetForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyPress(event->key(), event->modifiers()))
        QDialog::keyPressEvent(event);
}

bool TSetForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyPress(key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
