#include "import/CsvImport.h"

#include "core/CsvReader.h"
#include "core/Prompts.h"
#include "import/CsvImportDialog.h"

#include <QPointer>
#include <QProgressDialog>

namespace {

CardImportResult importWithProgress(const CardImportTarget& target, const CardImportPlan& plan,
                                    QWidget* parent) {
    // Modal, so that nothing else runs while it keeps the window painted.
    QProgressDialog progress(QStringLiteral("Probíhá import z CSV..."), QStringLiteral("Zrušit"), 0,
                             int(plan.cards.size()), parent);
    progress.setWindowTitle(QStringLiteral("Import z CSV"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    const CardImportResult result = cardimport::importCards(target, plan, [&progress](int done) {
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.reset();
    return result;
}

} // namespace

namespace csvimport {

QString csvImportDialogTitle() {
    return QStringLiteral("Importovat z CSV");
}

QStringList csvImportFilters() {
    return {QStringLiteral("Hodnoty oddělené čárkami (*.csv *.CSV *.txt *.TXT)"),
            QStringLiteral("Všechny soubory (*)")};
}

void importCsvFile(const QString& path, const CardImportTarget& target, Prompts& prompts,
                   QWidget* parent, const std::function<void()>& cardsWritten) {
    CsvImportDialog dialog(path, csvreader::readCsvFile(path),
                           cardimport::existingCardNames(target.cardDir), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The folder may have changed while the preview was open.
    const CardImportPlan plan = cardimport::plan(dialog.csv(), dialog.plan().namingColumn,
                                                 cardimport::existingCardNames(target.cardDir));
    const CardImportResult result = importWithProgress(target, plan, parent);
    if (cardsWritten)
        cardsWritten();
    prompts.message(cardimport::importSummary(result));
}

} // namespace csvimport
