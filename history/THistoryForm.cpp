#include "history/THistoryForm.h"

#include "core/OpenCard.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogKeys.h"
#include "widgets/DialogLook.h"

#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QSize kClientSize(640, 400);
const QSize kPictureSize(160, 120);
const QString kUnreadable = QStringLiteral("nečitelná");

QString localTimeText(const QDateTime& savedUtc) {
    return savedUtc.toLocalTime().toString(QStringLiteral("d. M. yyyy  H:mm:ss"));
}

// A table line as the editor's two columns show it: the key is the text
// before the first "=", a line without "=" is all key.
QPair<QString, QString> splitLine(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {line, QString()};
    return {line.left(equals), line.mid(equals + 1)};
}

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

THistoryForm::THistoryForm(AppState& state, OpenCard& card, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), card_(card), prompts_(prompts) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Historie karty"), kClientSize);
    buildList();
    buildPreview();
    buildButtons();
}

void THistoryForm::buildList() {
    Heading = new QLabel(this);
    QFont headingFont = Heading->font();
    headingFont.setBold(true);
    Heading->setFont(headingFont);
    Heading->setGeometry(10, 8, 620, 20);

    VersionList = new QTreeWidget(this);
    VersionList->setGeometry(10, 32, 220, 320);
    VersionList->setColumnCount(2);
    VersionList->setAccessibleName(QStringLiteral("Dřívější verze karty"));
    VersionList->setHeaderLabels({QStringLiteral("Uloženo"), QStringLiteral("Řádků")});
    VersionList->setRootIsDecorated(false);
    VersionList->setUniformRowHeights(true);
    VersionList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The time takes what the row count leaves, so both always show whole.
    QHeaderView* header = VersionList->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, 66);
    connect(VersionList, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });

    EmptyNote = new QLabel(QStringLiteral("Karta zatím nemá žádnou dřívější verzi. Verze vzniká "
                                          "při každém uložení karty."),
                           VersionList->viewport());
    EmptyNote->setWordWrap(true);
    EmptyNote->setGeometry(8, 8, 200, 60);
    EmptyNote->hide();
}

void THistoryForm::buildPreview() {
    PreviewTable = new QTableWidget(0, 2, this);
    PreviewTable->setGeometry(240, 32, 390, 170);
    PreviewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewTable->setFocusPolicy(Qt::NoFocus);
    PreviewTable->verticalHeader()->hide();
    PreviewTable->verticalHeader()->setDefaultSectionSize(PreviewTable->fontMetrics().height() + 6);
    PreviewTable->horizontalHeader()->setStretchLastSection(true);
    PreviewTable->setColumnWidth(0, 140);
    PreviewTable->setAccessibleName(QStringLiteral("Tabulka vybrané verze"));

    PreviewNotes = new QPlainTextEdit(this);
    PreviewNotes->setGeometry(240, 210, 220, 142);
    PreviewNotes->setReadOnly(true);
    PreviewNotes->setAccessibleName(QStringLiteral("Poznámky vybrané verze"));
    PreviewNotes->setFocusPolicy(Qt::NoFocus);

    PreviewPicture = new QLabel(this);
    PreviewPicture->setGeometry(QRect(QPoint(470, 210), kPictureSize));
    PreviewPicture->setAlignment(Qt::AlignCenter);
    PreviewPicture->setAccessibleName(QStringLiteral("Obrázek vybrané verze"));
    PreviewPicture->setFrameShape(QFrame::StyledPanel);

    PreviewProblem = new QLabel(this);
    PreviewProblem->setGeometry(240, 32, 390, 320);
    PreviewProblem->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    PreviewProblem->setWordWrap(true);
    PreviewProblem->hide();
}

void THistoryForm::buildButtons() {
    RestoreButton = dialoglook::makeButton(*this, QStringLiteral("Obnovit"),
                                           QStyle::SP_BrowserReload, QRect(448, 363, 88, 27));
    RestoreButton->setToolTip(
        QStringLiteral("Vybranou verzi vloží do karty jako neuložené změny (Enter)"));
    connect(RestoreButton, &QToolButton::clicked, this, &THistoryForm::restoreSelected);
    CloseButton = dialoglook::makeButton(*this, QStringLiteral("Zavřít"),
                                         QStyle::SP_DialogCloseButton, QRect(542, 363, 88, 27));
    connect(CloseButton, &QToolButton::clicked, this, &QDialog::reject);
}

void THistoryForm::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void THistoryForm::showForOpenCard(const QStringList& columnTitles) {
    PreviewTable->setHorizontalHeaderLabels(columnTitles);
    loadVersions();
    // Centred over the main window at every opening, wherever either was moved.
    setAttribute(Qt::WA_Moved, false);
    exec();
}

void THistoryForm::loadVersions() {
    Heading->setText(QStringLiteral("Dřívější verze karty ") + card_.CurrentCardName());
    versions_ =
        cardversionreader::summarizeCardVersions(state_.libraryPath(), card_.historyFolder());
    fillList();
    EmptyNote->setVisible(versions_.isEmpty());
    if (versions_.isEmpty())
        clearPreview();
    else
        selectVersion(0);
    VersionList->setFocus();
}

void THistoryForm::fillList() {
    // Filled without previews: only the selection made afterwards reads a version.
    const QSignalBlocker quiet(VersionList);
    VersionList->clear();
    for (const CardVersionSummary& summary : versions_) {
        auto* item = new QTreeWidgetItem(VersionList);
        item->setText(0, localTimeText(summary.version.stamp.savedUtc));
        item->setText(1, summary.readable ? QString::number(summary.rows) : kUnreadable);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        if (!summary.readable)
            item->setToolTip(1, summary.problem);
    }
}

int THistoryForm::selectedVersion() const {
    QTreeWidgetItem* item = VersionList->currentItem();
    return item ? VersionList->indexOfTopLevelItem(item) : -1;
}

void THistoryForm::selectVersion(int row) {
    VersionList->setCurrentItem(VersionList->topLevelItem(row));
    // Selecting the row already current reports no change.
    showSelected();
}

void THistoryForm::showSelected() {
    const int row = selectedVersion();
    content_.reset();
    if (row < 0) {
        clearPreview();
        return;
    }
    const CardVersionSummary& summary = versions_[row];
    if (!summary.readable) {
        showUnreadable(row, summary.problem);
        return;
    }
    try {
        content_ = cardversionreader::readCardVersion(state_.libraryPath(), summary.version.path);
    } catch (const AppError& error) {
        // Damage beyond the table member shows only when the version is read whole.
        showUnreadable(row, error.text());
        return;
    }
    showContent(*content_);
}

void THistoryForm::showContent(const CardVersionContent& content) {
    PreviewProblem->hide();
    for (QWidget* preview :
         std::initializer_list<QWidget*>{PreviewTable, PreviewNotes, PreviewPicture})
        preview->show();
    PreviewTable->setRowCount(int(content.table.size()));
    for (int row = 0; row < content.table.size(); ++row) {
        const auto [key, value] = splitLine(content.table[row]);
        PreviewTable->setItem(row, 0, readOnlyItem(key));
        PreviewTable->setItem(row, 1, readOnlyItem(value));
    }
    PreviewNotes->setPlainText(content.notes);
    const QImage picture = QImage::fromData(content.picture, "BMP");
    if (picture.isNull()) {
        PreviewPicture->setPixmap({});
        PreviewPicture->setText(content.picture.isEmpty()
                                    ? QStringLiteral("bez obrázku")
                                    : QStringLiteral("obrázek nelze zobrazit"));
    } else {
        PreviewPicture->setPixmap(QPixmap::fromImage(
            picture.scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    RestoreButton->setEnabled(true);
}

void THistoryForm::showUnreadable(int row, const QString& problem) {
    versions_[row].readable = false;
    versions_[row].problem = problem;
    QTreeWidgetItem* item = VersionList->topLevelItem(row);
    item->setText(1, kUnreadable);
    item->setToolTip(1, problem);
    clearPreview();
    PreviewProblem->setText(QStringLiteral("Tuto verzi nelze přečíst, a proto ani obnovit.\n\n") +
                            problem);
    PreviewProblem->show();
}

void THistoryForm::clearPreview() {
    for (QWidget* preview :
         std::initializer_list<QWidget*>{PreviewTable, PreviewNotes, PreviewPicture})
        preview->hide();
    PreviewProblem->hide();
    PreviewTable->setRowCount(0);
    PreviewNotes->clear();
    PreviewPicture->clear();
    RestoreButton->setEnabled(false);
}

void THistoryForm::restoreSelected() {
    if (!content_)
        return;
    commandguard::runGuarded(prompts_, [this] {
        card_.restoreVersion(*content_);
        accept();
    });
}

void THistoryForm::keyPressEvent(QKeyEvent* event) {
    if (!dialogkeys::handleConfirmCancel(
            *event, [this] { restoreSelected(); }, [this] { reject(); }))
        QDialog::keyPressEvent(event);
}
