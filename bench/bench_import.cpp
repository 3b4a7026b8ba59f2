#include "bench/Bench.h"
#include "core/CardImport.h"
#include "core/CardImportPlan.h"
#include "core/CsvReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Importing 10,000 rows of a spreadsheet's CSV file (UTF-8, ";", five columns)
// into an empty card folder: reading, planning and writing every card file
// through 7z.so, as "Importovat z CSV…" does after its preview.
namespace {

constexpr int kRows = 10000;

QByteArray spreadsheetCsv() {
    QString text = QStringLiteral("Název;Autor;Rok;Místo;Poznámky\r\n");
    for (int i = 0; i < kRows; ++i)
        text += QStringLiteral("Kniha č. %1;Autor %2;%3;Brno;\"Poznámka\r\nna dva řádky\"\r\n")
                    .arg(i)
                    .arg(i % 97)
                    .arg(1900 + i % 120);
    return text.toUtf8();
}

} // namespace

BENCHMARK("import of 10000 CSV rows") {
    const QByteArray csv = spreadsheetCsv();
    const QString library = QStringLiteral(KARTOTEKA_7Z_SO);
    int made = 0;
    const double ms = bench::medianMs(5, [&] {
        QTemporaryDir programDir;
        const QString cardDir = programDir.path() + QStringLiteral("/FILES/");
        QDir().mkpath(cardDir);
        const CardImportPlan plan = cardimport::plan(csvreader::readCsvBytes(csv), 0,
                                                     cardimport::existingCardNames(cardDir));
        made = cardimport::importCards(
                   {library, cardDir, programDir.path() + QStringLiteral("/HISTORY/")}, plan)
                   .made;
    });
    bench::print(QStringLiteral("import of %1 CSV rows into an empty folder: median of 5 %2 ms "
                                "(%3 cards made, %4 ms a card)")
                     .arg(kRows)
                     .arg(ms, 0, 'f', 0)
                     .arg(made)
                     .arg(ms / kRows, 0, 'f', 2));
}
