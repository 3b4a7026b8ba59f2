#include "core/CardImport.h"
#include "core/CardImportPlan.h"
#include "core/CsvReader.h"
#include "storage/Cp1250.h"
#include "storage/NewCardBatch.h"
#include "storage/StaleTemporaryCards.h"
#include "storage/TableFile.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCards.h"

#include <QProcess>
#include <QtTest>

// Cards imported in batches: whole card files only, never one over another,
// counts that tell what is in the card folder.
namespace {

// More rows than two batches hold, so that an import crosses batches.
constexpr int kRows = 450;

QByteArray booksCsv(int rows) {
    QByteArray csv = "Název;Autor\r\n";
    for (int i = 0; i < rows; ++i)
        csv += QStringLiteral("Kniha %1;Autor %1\r\n").arg(i).toUtf8();
    return csv;
}

CardImportTarget targetOf(const TestCardDir& cards) {
    return {cards.state.libraryPath(), cards.state.CardDir, cards.state.historyDir()};
}

CardImportPlan planFor(const TestCardDir& cards, const QByteArray& csv) {
    return cardimport::plan(csvreader::readCsvBytes(csv), 0,
                            cardimport::existingCardNames(cards.state.CardDir));
}

// Everything in the card folder, hidden names and folders too.
QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList cardFileNames(const TestCardDir& cards) {
    return QDir(cards.state.CardDir)
        .entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

// The table a card file holds, read through the archive library: a card file
// that is not a whole archive fails the test.
QString tableOf(const TestCardDir& cards, const QString& name) {
    const QMap<QString, QByteArray> members =
        testcards::readCard(cards.dir, name + QStringLiteral(".krt"));
    return cp1250::decode(members.value(name + QStringLiteral(".tbl")));
}

qint64 deadProcessId() {
    QProcess process;
    process.start(QStringLiteral("true"), QStringList());
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

} // namespace

class ImportBatchesTest : public QObject {
    Q_OBJECT

private slots:
    // Names taken before the import (a folder standing where a card must go)
    // and while it runs (between batches, in the same and in another letter
    // case) are skipped with their rows and reasons; nothing there is replaced.
    void takenNamesAreSkippedAndKept() {
        TestCardDir cards;
        QVERIFY(QDir().mkpath(cards.state.CardDir + QStringLiteral("Kniha 5.krt")));
        const CardImportPlan plan = planFor(cards, booksCsv(kRows));
        const CardImportResult result =
            cardimport::importCards(targetOf(cards), plan, [&cards](int done) {
                if (done == 250) { // the first batch is in place, the second packing
                    cards.writeCard(QStringLiteral("Kniha 260"), {QStringLiteral("A=cizí")}, {});
                    cards.writeCard(QStringLiteral("KNIHA 420"), {QStringLiteral("A=velká")}, {});
                }
                return true;
            });
        QVERIFY(result.failure.isEmpty());
        QVERIFY(!result.stopped);
        QCOMPARE(result.made, kRows - 3);
        QCOMPARE(result.skipped, QStringList({"řádek 7: karta \"Kniha 5\" již existuje",
                                              "řádek 262: karta \"Kniha 260\" již existuje",
                                              "řádek 422: karta \"Kniha 420\" již existuje"}));
        QVERIFY(QFileInfo(cards.state.CardDir + QStringLiteral("Kniha 5.krt")).isDir());
        QCOMPARE(tableOf(cards, QStringLiteral("Kniha 260")), QStringLiteral("A=cizí\r\n"));
        QCOMPARE(tableOf(cards, QStringLiteral("KNIHA 420")), QStringLiteral("A=velká\r\n"));
        QVERIFY(!QFile::exists(cards.state.CardDir + QStringLiteral("Kniha 420.krt")));
        QCOMPARE(tableOf(cards, QStringLiteral("Kniha 449")),
                 QStringLiteral("Autor=Autor 449\r\n"));
        // Every card made is in the folder, and nothing else is left there.
        QCOMPARE(cardFileNames(cards).size(), result.made + 2);
        QCOMPARE(folderEntries(cards.state.CardDir).size(), result.made + 3);
    }

    // Esc in the middle of a batch: what was packed is put in place, the rest
    // of the file is not, and the count is what the folder holds.
    void stoppingLeavesWholeCardsAndATrueCount() {
        TestCardDir cards;
        const CardImportPlan plan = planFor(cards, booksCsv(kRows));
        const CardImportResult result =
            cardimport::importCards(targetOf(cards), plan, [](int done) { return done < 321; });
        QVERIFY(result.stopped);
        QVERIFY(result.failure.isEmpty());
        QCOMPARE(result.made, 321);
        const QStringList made = cardFileNames(cards);
        QCOMPARE(made.size(), 321);
        QCOMPARE(folderEntries(cards.state.CardDir).size(), 321);
        for (const QString& file : made) {
            const QString name = file.chopped(4);
            QCOMPARE(tableOf(cards, name), QStringLiteral("Autor=Autor %1\r\n").arg(name.mid(6)));
        }
        QVERIFY(cardimport::importSummary(result).startsWith(
            "Vytvořeno karet: 321.\nImport byl přerušen."));
    }

    // A card that cannot be packed (a folder stands where its card file is
    // written in the private folder) ends the import with its row named; the
    // cards packed before it are in place and counted.
    void failureKeepsTheCardsBefore() {
        TestCardDir cards;
        const CardImportPlan plan = planFor(cards, booksCsv(30));
        bool blocked = false;
        const CardImportResult result =
            cardimport::importCards(targetOf(cards), plan, [&](int done) {
                if (done == 12) { // the private folder numbers its card files from 1
                    const QStringList batches = QDir(cards.state.CardDir)
                                                    .entryList({QStringLiteral(".import.tmp-*")},
                                                               QDir::Dirs | QDir::Hidden);
                    blocked =
                        batches.size() == 1 && QDir().mkpath(cards.state.CardDir + batches.first() +
                                                             QStringLiteral("/13.krt/x"));
                }
                return true;
            });
        QVERIFY(blocked);
        QVERIFY2(result.failure.startsWith("řádek 14: "), qPrintable(result.failure));
        QCOMPARE(result.made, 12);
        QCOMPARE(cardFileNames(cards).size(), 12);
        QCOMPARE(folderEntries(cards.state.CardDir).size(), 12);
        QVERIFY(cardimport::importSummary(result).contains(
            "Import skončil chybou, další karty nevznikly:"));
    }

    // A batch shows nothing in the card folder before it is published, and
    // leaves nothing behind when dropped.
    void stagedCardsAreInvisibleUntilPublished() {
        TestCardDir cards;
        const QByteArray table = tablefile::formatTable({QStringLiteral("A=1")});
        {
            NewCardBatch batch(cards.state.libraryPath(), cards.state.CardDir);
            batch.stage(QStringLiteral("Nová"), table, {});
            QCOMPARE(cardFileNames(cards), QStringList());
            const QStringList hidden = folderEntries(cards.state.CardDir);
            QCOMPARE(hidden.size(), 1);
            QVERIFY(hidden.first().startsWith(QStringLiteral(".import.tmp-")));
            QCOMPARE(QFileInfo(cards.state.CardDir + hidden.first()).permissions() &
                         (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
                     QFile::Permissions());
        }
        QCOMPARE(folderEntries(cards.state.CardDir), QStringList());

        NewCardBatch batch(cards.state.libraryPath(), cards.state.CardDir);
        batch.stage(QStringLiteral("Nová"), table, {});
        batch.stage(QStringLiteral("Nová"), {}, {});
        batch.publish();
        QCOMPARE(batch.fates(), (QList<NewCardBatch::Fate>{NewCardBatch::Fate::Placed,
                                                           NewCardBatch::Fate::NameTaken}));
        QCOMPARE(batch.stagedCount(), 0);
        QCOMPARE(tableOf(cards, QStringLiteral("Nová")), QStringLiteral("A=1\r\n"));
        QCOMPARE(cardFileNames(cards), QStringList({QStringLiteral("Nová.krt")}));
    }

    // After a crash in the middle of an import, the next start removes its
    // private folder with the card files that never got into place.
    void staleBatchFoldersGo() {
        TestCardDir cards;
        const QString dead = cards.state.CardDir + QStringLiteral(".import.tmp-") +
                             QString::number(deadProcessId()) + QStringLiteral("-a1B2c3");
        const QString alive = cards.state.CardDir + QStringLiteral(".import.tmp-") +
                              QString::number(QCoreApplication::applicationPid()) +
                              QStringLiteral("-d4E5f6");
        QVERIFY(QDir().mkpath(dead));
        QVERIFY(QDir().mkpath(alive));
        cards.dir.writeFile(QStringLiteral("FILES/") + QFileInfo(dead).fileName() +
                                QStringLiteral("/1.krt"),
                            "half");
        cards.writeCard(QStringLiteral("Karta"), {QStringLiteral("A=1")}, {});
        QCOMPARE(temporarycards::removeStaleTemporaryCards(cards.state.CardDir), 1);
        QCOMPARE(folderEntries(cards.state.CardDir),
                 QStringList({QFileInfo(alive).fileName(), QStringLiteral("Karta.krt")}));
    }
};

QTEST_GUILESS_MAIN(ImportBatchesTest)
#include "tst_core_importbatches.moc"
