#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/CardTextMembers.h"
#include "core/MemberMatcher.h"
#include "core/SearchSession.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "tests/support/SearchRecorder.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCards.h"

#include <QDir>
#include <QtTest>

namespace {

int threadCount() {
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

// What a search must report, found the plain way: one card file after another,
// each read on its own.
struct Expected {
    QStringList results;
    QStringList unreadable;
};

Expected oneCardAtATime(const AppState& state, const QStringList& entries, const QString& text) {
    const MemberMatcher matcher(text, false);
    Expected expected;
    for (const QString& entry : entries) {
        try {
            const CardTextMembers members = textmembers::readCardTextMembers(
                state.libraryPath(), state.CardDir + entry, cardfile::cardNameOf(entry));
            const int lines =
                matcher.matchingLines(members.notes) + matcher.matchingLines(members.table);
            for (int i = 0; i < lines; ++i)
                expected.results << entry;
        } catch (const AppError&) {
            expected.unreadable << entry;
        }
    }
    return expected;
}

QList<int> oneToN(int n) {
    QList<int> numbers;
    for (int i = 1; i <= n; ++i)
        numbers << i;
    return numbers;
}

} // namespace

// The content search reads card files side by side on worker threads; what it
// reports must not show it.
class TestParallelSearch : public QObject {
    Q_OBJECT

    // One program directory for all cases: writing card files takes long.
    TestCardDir* host_ = nullptr;
    SearchSession session_;
    QStringList mixed_;   // the mixed corpus, as the card list shows it
    QStringList matches_; // card files with one matching line each

    // 120 card files: misses, cards with one match and with many (notes and
    // table), unreadable files of several kinds, entries whose file is missing,
    // and entries spelled in other letter case than their members.
    void writeMixedCorpus() {
        for (int i = 0; i < 120; ++i) {
            const QString name = QStringLiteral("K%1").arg(i, 3, 10, QChar(u'0'));
            switch (i % 10) {
            case 0:
                host_->dir.writeFile("FILES/" + name + ".krt", "not a zip archive");
                break;
            case 3:
                host_->writeCard(name, {"a=needle", "b=x", "c=NEEDLE twice needle"},
                                 "needle\r\nnone\r\nNeedle\r\nneedle");
                break;
            case 5: // truncated in the middle
                host_->writeCard(name, {"a=needle"}, "needle");
                QFile::resize(host_->dir.cardDir() + name + ".krt", 40);
                break;
            case 7:
                testcards::writeCard(host_->dir, name, {"a=needle"}, "",
                                     testcards::bitmapBytes(32, 24));
                break;
            case 8: // the member names in other letter case
                testcards::writeArchive(host_->dir.library(), host_->dir.cardDir() + name + ".krt",
                                        {{name.toLower() + ".TXT", "needle"}, {name + ".tbl", ""}});
                break;
            case 9:
                cardarchive::createEmptyCardFile(host_->dir.library(),
                                                 host_->dir.cardDir() + name + ".krt");
                break;
            default:
                host_->writeCard(name, {"a=hay", QStringLiteral("n=%1").arg(i)}, "hay");
            }
        }
        QDir().mkpath(host_->dir.cardDir() + "Folder.krt"); // not a file
        host_->listCardDir();
        host_->entries << "Folder.krt";
        for (int at : {5, 50, 100})
            host_->entries.insert(at, QStringLiteral("Missing%1.krt").arg(at));
        mixed_ = host_->entries;
    }

    void writeMatchingCards() {
        for (int i = 0; i < 150; ++i) {
            const QString name = QStringLiteral("M%1").arg(i, 3, 10, QChar(u'0'));
            host_->writeCard(name, {"k=needle"}, "");
            matches_ << name + ".krt";
        }
    }

    SearchOutcome search(SearchRecorder& recorder, CardTextCache& cache, int workers,
                         const QString& text = QStringLiteral("needle")) {
        CardSearch cardSearch(SearchPlace::of(host_->state), session_, recorder, cache);
        cardSearch.setWorkerCount(workers);
        return cardSearch.run(host_->entries, text, SearchOptions());
    }

private slots:
    void initTestCase() {
        host_ = new TestCardDir;
        writeMixedCorpus();
        writeMatchingCards();
    }
    void cleanupTestCase() { delete host_; }

    void givesWhatOneCardAtATimeGives_data() {
        QTest::addColumn<int>("workers");
        for (int workers : {1, 2, 3, 8})
            QTest::addRow("%d workers", workers) << workers;
    }
    void givesWhatOneCardAtATimeGives() {
        QFETCH(int, workers);
        host_->entries = mixed_;
        const Expected expected = oneCardAtATime(host_->state, host_->entries, "needle");
        QVERIFY(expected.results.size() > 50);
        QVERIFY(expected.unreadable.size() > 20);

        CardTextCache cache;
        // The second search takes what it can from the cache.
        for (int round = 0; round < 2; ++round) {
            SearchRecorder recorder(&session_);
            const SearchOutcome outcome = search(recorder, cache, workers);
            QCOMPARE(recorder.results, expected.results);
            QCOMPARE(outcome.count, expected.results.size());
            QCOMPARE(outcome.unreadable, expected.unreadable);
            QCOMPARE(recorder.progress, oneToN(int(host_->entries.size())));
            QVERIFY(!outcome.stopped);
            QVERIFY(!session_.SearchRunning);
        }
    }

    void stoppingLeavesNoWorkerRunning() {
        // Thousands of missing card files after the real ones keep the workers
        // busy long after the stop, so the stop has to end them.
        host_->entries = matches_;
        for (int i = 0; i < 20000; ++i)
            host_->entries << QStringLiteral("Missing%1.krt").arg(i);
        const int threadsBefore = threadCount();
        CardTextCache cache;
        SearchRecorder recorder(&session_);
        recorder.stopAfterCards = 40;
        int threadsWhileSearching = 0;
        recorder.onProgress = [&](int) {
            threadsWhileSearching = qMax(threadsWhileSearching, threadCount());
        };
        const SearchOutcome outcome = search(recorder, cache, 4);
        QVERIFY(outcome.stopped);
        QVERIFY(threadsWhileSearching > threadsBefore);
        QCOMPARE(threadCount(), threadsBefore);
        QCOMPARE(recorder.results, host_->entries.mid(0, 40));
        QCOMPARE(recorder.progress, oneToN(40));
        // Workers read ahead of the cards reported, but not on to the end.
        QVERIFY(outcome.cardFilesRead >= 40 && outcome.cardFilesRead < host_->entries.size());
    }

    void aFinishedSearchLeavesNoWorkerRunning() {
        host_->entries = mixed_;
        const int threadsBefore = threadCount();
        CardTextCache cache;
        SearchRecorder recorder(&session_);
        search(recorder, cache, 3);
        QCOMPARE(threadCount(), threadsBefore);
    }
};

QTEST_MAIN(TestParallelSearch)
#include "tst_core_parallelsearch.moc"
