#include "search/TFindForm.h"

#include "core/UnreadableCardsMessage.h"
#include "search/QuickSearchBusy.h"
#include "search/SearchHost.h"
#include "search/SearchInputGuard.h"
#include "search/SearchSettings.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogKeys.h"
#include "widgets/DialogLook.h"
#include "widgets/LinkLabel.h"
#include "widgets/WebLinks.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

namespace {

const QString kIdleHeading = QStringLiteral("Hledat:");
const QString kBusyHeading = QStringLiteral("Probíhá vyhledávání...");

QCheckBox* hiddenCheckBox(const QString& caption, QWidget* parent, int x, int y) {
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(x, y, 185, 17);
    box->hide();
    return box;
}

// Buttons of the foot act on a click only, so Enter always means "search"
// wherever the focus is, and Esc always closes.
QPushButton* footButton(const QString& caption, QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TFindForm::TFindForm(SearchHost& host, Prompts& prompts, QWidget* parent)
    : QDialog(parent), host_(host), prompts_(prompts) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Najít soubor"), QSize(271, 224));
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    buildInputPage();
    buildResultsPage();
    buildFoot();
    InFilClick();
    setHeading(kIdleHeading);
    watchSession();
}

// `lBox` shows the session's results, and its selection and the session's
// position follow each other.
void TFindForm::watchSession() {
    connect(&session_, &SearchSession::resultsCleared, lBox, &QListWidget::clear);
    connect(&session_, &SearchSession::resultsAdded, lBox,
            [this](const QStringList& entries) { lBox->addItems(entries); });
    connect(&session_, &SearchSession::positionChanged, this, &TFindForm::showPosition);
    // Tied to the session, which goes before lBox, so lBox's own end is not heard.
    connect(lBox, &QListWidget::itemSelectionChanged, &session_, [this] {
        const QList<QListWidgetItem*> selected = lBox->selectedItems();
        session_.setPosition(selected.isEmpty() ? -1 : lBox->row(selected.first()));
    });
}

void TFindForm::showPosition(int row) {
    if (row < 0)
        lBox->clearSelection();
    else
        lBox->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TFindForm::buildInputPage() {
    Label7 = new QLabel(this);
    QFont headingFont = font();
    headingFont.setPixelSize(16);
    headingFont.setBold(true);
    Label7->setFont(headingFont);
    Label7->move(8, 8);

    // The search box starts where the idle heading ends, whatever face stands
    // in for the designed one; its right edge stays.
    const int headingRight =
        Label7->x() + QFontMetrics(headingFont).horizontalAdvance(kIdleHeading);
    const int boxLeft = qMax(72, headingRight + 6);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(boxLeft, 8, 265 - boxLeft, 21);
    Edit1->setAccessibleName(QStringLiteral("Hledaný text"));

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 40, 257, 137);
    InNam = new QRadioButton(QStringLiteral("Hledat v názvech"), Panel1);
    InNam->setGeometry(56, 16, 185, 17);
    FullNam = hiddenCheckBox(QStringLiteral("Pouze celý název"), Panel1, 56, 64);
    InFil = new QRadioButton(QStringLiteral("Hledat uvnitř záznamů"), Panel1);
    InFil->setGeometry(56, 80, 185, 17);
    InFil->setChecked(true);
    CaSen = hiddenCheckBox(QStringLiteral("Rozlišovat velikost písmen"), Panel1, 56, 88);
    WholWorld = hiddenCheckBox(QStringLiteral("Pouze celá slova"), Panel1, 56, 112);
    WithoutAccents = new QCheckBox(QStringLiteral("Bez ohledu na diakritiku"), Panel1);
    WithoutAccents->setObjectName(QStringLiteral("WithoutAccents"));
    WithoutAccents->setGeometry(56, 108, 185, 17);
    const QString programDir = host_.programDir();
    WithoutAccents->setChecked(!programDir.isEmpty() && searchsettings::withoutAccents(programDir));
    connect(WithoutAccents, &QCheckBox::clicked, this, &TFindForm::withoutAccentsClick);
    connect(InNam, &QRadioButton::clicked, this, &TFindForm::InNamClick);
    connect(InFil, &QRadioButton::clicked, this, &TFindForm::InFilClick);
}

void TFindForm::buildResultsPage() {
    Panel2 = new QFrame(this);
    Panel2->setGeometry(8, 41, 257, 137);
    Panel2->setAutoFillBackground(true);
    lBox = new QListWidget(Panel2);
    lBox->setGeometry(0, 0, 257, 120);
    lBox->setAccessibleName(QStringLiteral("Nalezené karty"));
    lBox->setSelectionMode(QAbstractItemView::SingleSelection);
    lBox->setUniformItemSizes(true);
    lBox->installEventFilter(this);
    connect(lBox, &QListWidget::itemDoubleClicked, this, &TFindForm::lBoxDblClick);
    Progress = new QProgressBar(Panel2);
    Progress->setGeometry(0, 120, 257, 17);
    Progress->setTextVisible(false);
    Progress->setAccessibleName(QStringLiteral("Průběh hledání"));
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Panel2->hide();
}

void TFindForm::buildFoot() {
    Bevel2 = new QFrame(this);
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel2->setGeometry(-19, 184, 290, 2);

    Label4 = new LinkLabel(QStringLiteral("Nápověda"), this);
    Label4->move(8, 196);
    Label4->adjustSize();
    connect(Label4, &LinkLabel::clicked, this, &TFindForm::Label4Click);

    SpeedButton3 = footButton(QStringLiteral("Zrušit"), this, QRect(111, 188, 66, 30));
    SpeedButton2 = footButton(QStringLiteral("Hledat"), this, QRect(183, 188, 82, 30));
    connect(SpeedButton3, &QPushButton::clicked, this, &TFindForm::reject);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFindForm::SpeedButton2Click);
}

void TFindForm::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void TFindForm::setHeading(const QString& text) {
    Label7->setText(text);
    Label7->adjustSize();
}

SearchOptions TFindForm::currentOptions() const {
    SearchOptions options;
    options.inNames = InNam->isChecked();
    options.caseSensitive = CaSen->isChecked();
    options.fullName = FullNam->isChecked();
    options.wholeWords = WholWorld->isChecked();
    options.withoutAccents = WithoutAccents->isChecked();
    return options;
}

bool TFindForm::SearchCardFiles(const QString& text) {
    if (session_.SearchRunning)
        return false;
    const QStringList entries = host_.cardEntries();
    // A range of 0..0 would make the bar an endless busy indicator.
    Progress->setRange(0, qMax<int>(1, entries.size()));
    Progress->setValue(0);
    cardsDone_ = 0;
    foundResults_.clear();
    const SearchOptions options = currentOptions();
    session_.begin(text, options);
    setHeading(kBusyHeading);
    Edit1->hide();
    Panel2->show();

    sinceEvents_.start();
    // Hidden, the dialog serves the quick search: its box shows the progress.
    std::optional<SearchInputGuard> inputGuard;
    std::optional<QuickSearchBusy> busy;
    if (!isVisible()) {
        inputGuard.emplace([this] { closeDialog(); });
        busy.emplace(host_.quickSearchField(), *Progress);
    }
    CardSearch search(SearchPlace{host_.cardDir(), host_.libraryPath()}, session_, *this);
    const SearchOutcome outcome = search.run(entries, text, options);
    busy.reset();
    inputGuard.reset();
    showFoundResults();
    session_.finish(!outcome.stopped);
    Progress->setValue(cardsDone_);
    if (outcome.wholeNameRow >= 0) {
        host_.selectCardRow(outcome.wholeNameRow);
        closeDialog();
    }
    if (outcome.stopped)
        return false;
    setHeading(QStringLiteral("Nalezeno %1 výsledků.").arg(outcome.count));
    if (!outcome.unreadable.isEmpty())
        prompts_.message(unreadablecards::unreadableCardsMessage(outcome.unreadable));
    return true;
}

void TFindForm::resultFound(const QString& entry) {
    foundResults_.append(entry);
}

void TFindForm::showFoundResults() {
    session_.addResults(foundResults_);
    foundResults_.clear();
}

void TFindForm::progressed(int cardsDone) {
    cardsDone_ = cardsDone;
    if (sinceEvents_.elapsed() >= eventIntervalMs_)
        letEventsIn();
}

void TFindForm::waiting() {
    if (sinceEvents_.elapsed() >= eventIntervalMs_)
        letEventsIn();
}

void TFindForm::letEventsIn() {
    showFoundResults();
    Progress->setValue(cardsDone_);
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

int TFindForm::selectedResult() const {
    return session_.position();
}

void TFindForm::selectResult(int row) {
    session_.setPosition(row);
}

void TFindForm::takeQuickSearchText() {
    const QString quickText = host_.quickSearchText();
    Edit1->setText(quickText);
    if (session_.text() != quickText)
        session_.forgetText();
}

void TFindForm::openSelectedResult() {
    const int row = selectedResult();
    if (row < 0)
        return;
    const QString entry = session_.results().at(row);
    host_.selectCardRow(cardentries::findCardEntry(host_.cardEntries(), entry));
    host_.openSelectedCard();
    closeDialog();
}

void TFindForm::closeDialog() {
    if (isVisible())
        reject();
    else
        FormClose();
}

void TFindForm::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TFindForm::FormShow() {
    Edit1->clear();
    const QString quickText = host_.quickSearchText();
    if (!quickText.trimmed().isEmpty())
        Edit1->setText(quickText);
}

void TFindForm::FormClose() {
    session_.SearchRunning = false;
    setHeading(kIdleHeading);
    Edit1->show();
    Panel2->hide();
}

void TFindForm::SpeedButton2Click() {
    commandguard::runGuarded(prompts_, [this] {
        SearchCardFiles(Edit1->text());
        host_.setQuickSearchText(Edit1->text());
    });
}

void TFindForm::InNamClick() {
    FullNam->setEnabled(true);
    CaSen->setEnabled(false);
    WholWorld->setEnabled(false);
}

void TFindForm::InFilClick() {
    FullNam->setEnabled(false);
    CaSen->setEnabled(true);
    WholWorld->setEnabled(true);
}

void TFindForm::withoutAccentsClick(bool on) {
    commandguard::runGuarded(prompts_, [&] {
        const QString programDir = host_.programDir();
        if (!programDir.isEmpty())
            searchsettings::setWithoutAccents(programDir, on);
    });
}

void TFindForm::Label4Click() {
    weblinks::openHelp(QStringLiteral("hledani.html"));
}

void TFindForm::lBoxDblClick() {
    commandguard::runGuarded(prompts_, [this] { openSelectedResult(); });
}

void TFindForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFindForm::keyPressEvent(QKeyEvent* event) {
    if (!dialogkeys::handleConfirmCancel(
            *event, [this] { SpeedButton2Click(); }, [this] { reject(); }))
        QDialog::keyPressEvent(event);
}

bool TFindForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (dialogkeys::handleConfirmCancel(
                *key, [this] { lBoxDblClick(); }, [this] { reject(); }))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
