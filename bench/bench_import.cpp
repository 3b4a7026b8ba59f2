#include "bench/Bench.h"
#include "core/CardImport.h"
#include "core/CardImportPlan.h"
#include "core/CsvReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

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
    // Each run imports into a program directory of its own, removed only after
    // the last run: removing ten thousand files is no part of an import, and
    // the file system would be busy with it during the next run.
    constexpr int kRuns = 5;
    std::vector<std::unique_ptr<QTemporaryDir>> programDirs;
    for (int run = 0; run < kRuns; ++run)
        programDirs.push_back(std::make_unique<QTemporaryDir>());
    int runs = 0;
    int made = 0;
    const double ms = bench::medianMs(kRuns, [&] {
        const QString programDir = programDirs.at(runs++)->path();
        const QString cardDir = programDir + QStringLiteral("/FILES/");
        QDir().mkpath(cardDir);
        const CardImportPlan plan = cardimport::plan(csvreader::readCsvBytes(csv), 0,
                                                     cardimport::existingCardNames(cardDir));
        made = cardimport::importCards({library, cardDir, programDir + QStringLiteral("/HISTORY/")},
                                       plan)
                   .made;
    });
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    loadAverage.open(QIODevice::ReadOnly);
    bench::print(QStringLiteral("import of %1 CSV rows into an empty folder: median of %2 %3 ms "
                                "(%4 cards made, %5 ms a card); load average %6")
                     .arg(kRows)
                     .arg(kRuns)
                     .arg(ms, 0, 'f', 0)
                     .arg(made)
                     .arg(ms / kRows, 0, 'f', 2)
                     .arg(QString::fromLatin1(loadAverage.readAll().trimmed())));
}
