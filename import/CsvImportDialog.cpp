#include "import/CsvImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum PreviewColumn { RowColumn, NameColumn, FateColumn, TableColumn, NotesColumn, ColumnCount };

QTableWidgetItem* previewItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

// The lines of a text in one line of the preview.
QString oneLine(QString text) {
    return text.replace(u'\n', QStringLiteral(" ⏎ "));
}

} // namespace

CsvImportDialog::CsvImportDialog(const QString& path, CsvTable csv, QSet<QString> existingNames,
                                 QWidget* parent)
    : QDialog(parent), path_(path), csv_(std::move(csv)), existingNames_(std::move(existingNames)) {
    setWindowTitle(QStringLiteral("Import z CSV"));
    resize(760, 480);

    reading_ = new QLabel(readingText(), this);
    reading_->setWordWrap(true);

    namingColumn_ = new QComboBox(this);
    namingColumn_->addItems(csv_.header);
    namingColumn_->setAccessibleName(QStringLiteral("Název karty ze sloupce"));
    auto* form = new QFormLayout;
    auto* namingLabel = new QLabel(QStringLiteral("&Název karty ze sloupce:"), this);
    namingLabel->setBuddy(namingColumn_);
    form->addRow(namingLabel, namingColumn_);

    counts_ = new QLabel(this);

    preview_ = new QTableWidget(0, ColumnCount, this);
    preview_->setHorizontalHeaderLabels({QStringLiteral("Řádek"), QStringLiteral("Karta"),
                                         QStringLiteral("Výsledek"), QStringLiteral("Tabulka"),
                                         QStringLiteral("Poznámky")});
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
    preview_->verticalHeader()->hide();
    preview_->horizontalHeader()->setStretchLastSection(true);
    preview_->setAccessibleName(QStringLiteral("Náhled karet"));

    auto* buttons = new QDialogButtonBox(this);
    importButton_ = buttons->addButton(QStringLiteral("&Importovat"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    importButton_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reading_);
    layout->addLayout(form);
    layout->addWidget(counts_);
    layout->addWidget(preview_, 1);
    layout->addWidget(buttons);

    replan();
    // The table export names its cards in its first column, whatever is chosen.
    namingColumn_->setEnabled(!plan_.tableExport);
    connect(namingColumn_, &QComboBox::currentIndexChanged, this, [this] { replan(); });
    namingColumn_->setFocus();
}

QString CsvImportDialog::readingText() const {
    return QStringLiteral("Soubor: %1\nKódování: %2, oddělovač: %3.")
        .arg(path_, csvreader::encodingName(csv_.encoding),
             csvreader::separatorName(csv_.separator));
}

void CsvImportDialog::replan() {
    plan_ = cardimport::plan(csv_, std::max(0, namingColumn_->currentIndex()), existingNames_);
    showPlan();
}

void CsvImportDialog::showPlan() {
    const int total = int(plan_.cards.size());
    const int made = plan_.newCards();
    QString counts = QStringLiteral("Karet v souboru: %1, nových: %2, vynechaných: %3.")
                         .arg(total)
                         .arg(made)
                         .arg(total - made);
    if (total > kPreviewCards)
        counts += QStringLiteral(" Náhled ukazuje prvních %1.").arg(kPreviewCards);
    counts_->setText(counts);

    const int shown = std::min(total, int(kPreviewCards));
    preview_->setRowCount(shown);
    for (int i = 0; i < shown; ++i) {
        const ImportedCard& card = plan_.cards.at(i);
        preview_->setItem(i, RowColumn, previewItem(QString::number(card.row)));
        preview_->setItem(i, NameColumn, previewItem(card.name));
        preview_->setItem(i, FateColumn, previewItem(cardimport::fateText(card)));
        preview_->setItem(i, TableColumn, previewItem(oneLine(card.table.join(u'\n'))));
        preview_->setItem(i, NotesColumn, previewItem(oneLine(card.notes)));
    }
    preview_->resizeColumnsToContents();
}
