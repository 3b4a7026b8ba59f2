#include "print/CardExports.h"

#include "core/CardTableCsv.h"
#include "core/Prompts.h"
#include "print/CardPdfFiles.h"
#include "print/PrintSource.h"
#include "print/ScaledCardPage.h"
#include "print/TPrintForm.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/FileNames.h"

#include <QProgressDialog>
#include <QSaveFile>

namespace {

const QString TitlePrefix = QStringLiteral("Pelvarin Kartotéka - ");
const QStringList PdfFilters{QStringLiteral("Dokument PDF (*.pdf)")};
const QStringList CsvFilters{QStringLiteral("Hodnoty oddělené čárkami (*.csv)")};

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(
            QStringLiteral("Soubor \"%1\" nelze uložit: %2").arg(path, file.errorString()));
}

QString unreadableText(const QStringList& entries) {
    return QStringLiteral("Tyto soubory nelze přečíst a v souboru CSV chybí:\n") +
           entries.join(u'\n');
}

} // namespace

CardExports::CardExports(AppState& state, Prompts& prompts, PrintSource& source,
                         const TPrintForm& printForm)
    : state_(state), prompts_(prompts), source_(source), printForm_(printForm) {}

void CardExports::saveCardPdf() {
    const QString name = source_.currentCardName();
    const QString path = prompts_.saveFile(QStringLiteral("Uložit kartu do PDF"),
                                           name + QStringLiteral(".pdf"), PdfFilters);
    if (path.isEmpty())
        return;
    PageOptions options = printForm_.pageOptions();
    options.picture =
        options.picture && filenames::exists(source_.workDir(), name + QStringLiteral("1.bmp"));
    cardpdf::writeCardPagePdf(path, cardpage::makeCardPage(source_, options), TitlePrefix + name);
}

void CardExports::saveListPdf() {
    const QString path = prompts_.saveFile(QStringLiteral("Uložit seznam do PDF"),
                                           QStringLiteral("Seznam souborů.pdf"), PdfFilters);
    if (path.isEmpty())
        return;
    cardpdf::writeCardListPdf(path, source_.cardList(),
                              TitlePrefix + QStringLiteral("Seznam souborů"));
}

void CardExports::exportCsv() {
    const QString path = prompts_.saveFile(QStringLiteral("Exportovat do CSV"),
                                           QStringLiteral("Kartotéka.csv"), CsvFilters);
    if (path.isEmpty())
        return;
    const QStringList entries = source_.cardList();
    // Modal, so that nothing else runs while it keeps the window painted.
    QProgressDialog progress(QStringLiteral("Probíhá export do CSV..."), QStringLiteral("Zrušit"),
                             0, int(entries.size()), prompts_.owner());
    progress.setWindowTitle(QStringLiteral("Exportovat do CSV"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    const CardTableCsv csv =
        tablecsv::exportCardTables(state_.libraryPath(), state_.CardDir, entries,
                                   source_.titleCaptions(), [&progress](int done) {
                                       progress.setValue(done);
                                       return !progress.wasCanceled();
                                   });
    progress.reset();
    if (csv.stopped)
        return;
    writeFile(path, csv.bytes());
    if (!csv.unreadable.isEmpty())
        prompts_.message(unreadableText(csv.unreadable));
}
