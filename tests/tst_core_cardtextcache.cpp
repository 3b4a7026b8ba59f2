#include "core/CardFileStamp.h"
#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/OpenCard.h"
#include "core/SearchSession.h"
#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SearchRecorder.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCardEditor.h"
#include "tests/support/TestCards.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether every card file in cardDir is past the moment in which it could still
// change without its stamp changing, as of the wall clock now. The cache keeps
// nothing of a file written this moment; a test that wants it kept waits for
// this.
bool stampsSettled(const QString& cardDir) {
    const qint64 now = cardstamp::wallClockNs();
    for (const QFileInfo& file : QDir(cardDir).entryInfoList(QDir::Files)) {
        const std::optional<CardFileStamp> stamp = cardstamp::of(file.filePath());
        if (stamp && cardstamp::mayChangeUnnoticed(*stamp, now))
            return false;
    }
    return true;
}

CardFileStamp settledStamp(quint64 inode) {
    CardFileStamp stamp;
    stamp.size = 10;
    stamp.modifiedNs = stamp.changedNs = 1'000'000'000;
    stamp.inode = inode;
    return stamp;
}

CardTextMembers members(const QByteArray& notes) {
    return CardTextMembers{notes, QByteArray("k=v\r\n")};
}

// Sets the file's modification time back to what it was.
void restoreModificationTime(const QString& path, const struct stat& before) {
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Counts the files opened in a folder from its making on, as the kernel
// reports them: no search can open a card file unseen.
class OpenedFiles {
public:
    explicit OpenedFiles(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenedFiles() { ::close(fd_); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    // The names opened since the last call; events are queued as the opens
    // happen, so nothing is awaited.
    QStringList take() {
        QStringList names;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length; (length = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0)
                    names << QFile::decodeName(event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return names;
    }

private:
    int fd_;
};

} // namespace

// Repeated content searches take unchanged cards from the cache; whatever
// happens to the card files between two searches, the second one reports
// exactly what the files hold then.
class TestCardTextCache : public QObject {
    Q_OBJECT

    TestCardDir* host_ = nullptr;
    SearchSession session_;
    CardTextCache* cache_ = nullptr;

    SearchOutcome search(SearchRecorder& recorder, const QString& text = QStringLiteral("needle")) {
        CardSearch cardSearch(SearchPlace::of(host_->state), session_, recorder, *cache_);
        return cardSearch.run(host_->entries, text, SearchOptions());
    }
    QString cardPath(const QString& fileName) const { return host_->dir.cardDir() + fileName; }

    // A, B and C with one, two and three matching lines, settled and searched
    // once, so that the cache holds all three.
    void searchedCards() {
        host_->writeCard("A", {"k=needle"}, "");
        ziptools::writeWithPython(cardPath("B.krt"),
                                  {{"B.txt", "needle"}, {"B.tbl", "k=needle\r\n"}}, false);
        host_->writeCard("C", {"k=needle"}, "needle\r\nneedle");
        host_->listCardDir();
        QTRY_VERIFY(stampsSettled(host_->dir.cardDir()));
        SearchRecorder first;
        QCOMPARE(search(first).cardFilesRead, 3);
        QCOMPARE(cache_->entryCount(), 3);
        // The folder's watch listened while they were read: no stamp is needed
        // to trust them until it hears of a change.
        for (const QString& name : host_->entries)
            QVERIFY(cache_->trusts(cardPath(name)));
    }

    // The search after a change the watch cannot have heard finds it by the
    // stamps: B rewritten in place (through `b`), the same size, its old
    // modification time put back.
    void rewriteUnheard(const QString& b) {
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(b).constData(), &before), 0);
        const QString other = host_->dir.path() + "other.zip";
        ziptools::writeWithPython(other, {{"B.txt", "NEEDLX"}, {"B.tbl", "k=needle\r\n"}}, false);
        const QByteArray edited = testcards::fileBytes(other);
        QCOMPARE(edited.size(), qsizetype(before.st_size));
        QFile file(b);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.write(edited), edited.size());
        file.close();
        restoreModificationTime(b, before);
    }
    void expectRewrittenB() {
        SearchRecorder second;
        const SearchOutcome outcome = search(second);
        QCOMPARE(second.results, QStringList({"A.krt", "B.krt", "C.krt", "C.krt", "C.krt"}));
        QCOMPARE(outcome.cardFilesRead, 1);
    }

private slots:
    void init() {
        host_ = new TestCardDir;
        cache_ = new CardTextCache;
    }
    void cleanup() {
        delete cache_;
        delete host_;
    }

    void unchangedCardsAreNotReadAgain() {
        searchedCards();
        OpenedFiles opened(host_->dir.cardDir());
        SearchRecorder again;
        const SearchOutcome outcome = search(again);
        QCOMPARE(outcome.cardFilesRead, 0);
        QCOMPARE(opened.take(), QStringList());
        QCOMPARE(again.results,
                 QStringList({"A.krt", "B.krt", "B.krt", "C.krt", "C.krt", "C.krt"}));
        // Another text over the same cards needs no read either.
        SearchRecorder other;
        QCOMPARE(search(other, "k=").count, 3);
        QCOMPARE(other.results, QStringList({"A.krt", "B.krt", "C.krt"}));
        // Nor a search with the accents ignored, or with exact letter case.
        SearchOptions withoutAccents;
        withoutAccents.withoutAccents = true;
        SearchRecorder folded;
        CardSearch(SearchPlace::of(host_->state), session_, folded, *cache_)
            .run(host_->entries, "NEEDLÉ", withoutAccents);
        QCOMPARE(folded.results.size(), 6);
        SearchOptions exactCase;
        exactCase.caseSensitive = true;
        SearchRecorder exact;
        CardSearch(SearchPlace::of(host_->state), session_, exact, *cache_)
            .run(host_->entries, "NEEDLE", exactCase);
        QCOMPARE(exact.results, QStringList());
        QCOMPARE(opened.take(), QStringList());
    }

    // The cache finds a card's text by its place in the list searched: another
    // list, in another order or with a card fewer, is looked up afresh, and a
    // card dropped meanwhile is not answered from its old place.
    void eachListIsAnsweredByItsOwnCards() {
        searchedCards();
        const QStringList listed = host_->entries;
        const auto searchList = [&](const QStringList& entries) {
            SearchRecorder recorder;
            CardSearch(SearchPlace::of(host_->state), session_, recorder, *cache_)
                .run(entries, "needle", SearchOptions());
            return recorder.results;
        };
        QCOMPARE(searchList({"C.krt", "A.krt", "B.krt"}),
                 QStringList({"C.krt", "C.krt", "C.krt", "A.krt", "B.krt", "B.krt"}));
        QCOMPARE(searchList({"B.krt", "C.krt"}),
                 QStringList({"B.krt", "B.krt", "C.krt", "C.krt", "C.krt"}));
        QCOMPARE(searchList(listed),
                 QStringList({"A.krt", "B.krt", "B.krt", "C.krt", "C.krt", "C.krt"}));
        cache_->drop(cardPath("B.krt"));
        host_->writeCard("B", {"k=nothing"}, "");
        QCOMPARE(searchList(listed), QStringList({"A.krt", "C.krt", "C.krt", "C.krt"}));
    }

    void changesBetweenSearches_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("unreadable");
        QTest::addColumn<int>("filesRead");
        const QStringList a{"A.krt"};
        const QStringList b{"B.krt", "B.krt"};
        const QStringList c{"C.krt", "C.krt", "C.krt"};
        QTest::newRow("edited") << "edited" << a + QStringList{"B.krt"} + c << QStringList() << 1;
        QTest::newRow("edited, same size and time")
            << "edited same size" << a + QStringList{"B.krt"} + c << QStringList() << 1;
        QTest::newRow("replaced") << "replaced" << a + QStringList(4, "B.krt") + c << QStringList()
                                  << 1;
        QTest::newRow("renamed") << "renamed" << a + c + QStringList(2, "Z.krt") << QStringList()
                                 << 1;
        QTest::newRow("deleted") << "deleted" << a + c << QStringList() << 0;
        QTest::newRow("deleted, still listed")
            << "deleted, listed" << a + c << QStringList{"B.krt"} << 1;
        QTest::newRow("damaged") << "damaged" << a + c << QStringList{"B.krt"} << 1;
        QTest::newRow("added") << "added" << a + QStringList{"AB.krt"} + b + c << QStringList()
                               << 1;
    }
    void changesBetweenSearches() {
        QFETCH(QString, change);
        QFETCH(QStringList, results);
        QFETCH(QStringList, unreadable);
        QFETCH(int, filesRead);
        searchedCards();
        const QString b = cardPath("B.krt");
        if (change == "edited") {
            host_->writeCard("B", {"k=needle"}, "nothing here any more");
        } else if (change == "edited same size") {
            // The same archive but for one letter, written over the old bytes in
            // place, and the old modification time put back.
            rewriteUnheard(b);
        } else if (change == "replaced") {
            const QString other = host_->dir.path() + "other/";
            QDir().mkpath(other);
            testcards::writeArchive(
                host_->dir.library(), other + "B.krt",
                {{"B.txt", "needle\r\nneedle\r\nneedle"}, {"B.tbl", "k=needle"}});
            QVERIFY(::rename(QFile::encodeName(other + "B.krt").constData(),
                             QFile::encodeName(b).constData()) == 0);
        } else if (change == "renamed") {
            // The members keep their names: the card name is the file's.
            testcards::writeArchive(host_->dir.library(), b,
                                    {{"Z.txt", "needle"}, {"Z.tbl", "k=needle"}});
            QVERIFY(QFile::rename(b, cardPath("Z.krt")));
            host_->listCardDir();
        } else if (change == "deleted") {
            QVERIFY(QFile::remove(b));
            host_->listCardDir();
        } else if (change == "deleted, listed") {
            QVERIFY(QFile::remove(b));
        } else if (change == "damaged") {
            host_->dir.writeFile("FILES/B.krt", "no longer an archive");
        } else if (change == "added") {
            host_->writeCard("AB", {"k=needle"}, "");
            host_->listCardDir();
        }

        SearchRecorder second;
        const SearchOutcome outcome = search(second);
        QCOMPARE(second.results, results);
        QCOMPARE(outcome.count, results.size());
        QCOMPARE(outcome.unreadable, unreadable);
        QCOMPARE(outcome.cardFilesRead, filesRead);
        if (change.startsWith("deleted") || change == "renamed")
            QVERIFY(!cache_->holds(b));
    }

    // Changes the watch missed: its queue overflowed, the folder was swapped
    // for another, the card file is reached through a link. Each search stamps
    // the cards then, and finds the change.
    void unheardChangesAreFoundByStamps_data() {
        QTest::addColumn<QString>("doubt");
        QTest::newRow("queue overflowed") << "overflow";
        QTest::newRow("folder swapped") << "swapped";
        QTest::newRow("second hard link") << "hard link";
        QTest::newRow("symbolic link") << "symbolic link";
    }
    void unheardChangesAreFoundByStamps() {
        QFETCH(QString, doubt);
        const QString b = cardPath("B.krt");
        if (doubt == "hard link" || doubt == "symbolic link") {
            host_->writeCard("A", {"k=needle"}, "");
            ziptools::writeWithPython(host_->dir.path() + "B.krt",
                                      {{"B.txt", "needle"}, {"B.tbl", "k=needle\r\n"}}, false);
            const QByteArray outside = QFile::encodeName(host_->dir.path() + "B.krt");
            if (doubt == "hard link")
                QCOMPARE(::link(outside.constData(), QFile::encodeName(b).constData()), 0);
            else
                QCOMPARE(::symlink(outside.constData(), QFile::encodeName(b).constData()), 0);
            host_->writeCard("C", {"k=needle"}, "needle\r\nneedle");
            host_->listCardDir();
            QTRY_VERIFY(
                stampsSettled(host_->dir.cardDir()) &&
                !cardstamp::mayChangeUnnoticed(*cardstamp::of(b), cardstamp::wallClockNs()));
            for (int round = 0; round < 2; ++round) {
                SearchRecorder recorder;
                QCOMPARE(search(recorder).count, 6);
            }
            QVERIFY(cache_->trusts(cardPath("A.krt")));
            QVERIFY(!cache_->trusts(b));
        } else {
            searchedCards();
        }
        if (doubt == "overflow") {
            // More events than the kernel queues, then the change, unheard.
            bool read = false;
            const int queued =
                QString::fromLatin1(testcards::fileBytes("/proc/sys/fs/inotify/max_queued_events"))
                    .trimmed()
                    .toInt(&read);
            QVERIFY(read);
            const QByteArray noise = QFile::encodeName(cardPath("noise.txt"));
            const int fd = ::open(noise.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
            QVERIFY(fd >= 0);
            // A write and a permission change in turn: the kernel merges only
            // like events that follow each other.
            for (int i = 0; i <= queued / 2 + 1; ++i) {
                QCOMPARE(::write(fd, "x", 1), ssize_t(1));
                QCOMPARE(::fchmod(fd, i % 2 ? 0600 : 0644), 0);
            }
            ::close(fd);
        } else if (doubt == "swapped") {
            // The folder moved away and back: the watch is gone with it.
            const QString aside = host_->dir.path() + "aside";
            QVERIFY(QDir().rename(host_->dir.cardDir(), aside));
            QVERIFY(QDir().rename(aside, host_->dir.cardDir()));
        }
        const bool linked = doubt.endsWith("link");
        rewriteUnheard(linked ? host_->dir.path() + "B.krt" : b);
        if (doubt == "swapped" || doubt == "overflow") {
            expectRewrittenB();
            return;
        }
        // Through a link, the watch never hears it: every search stamps B.
        SearchRecorder second;
        QCOMPARE(search(second).count, 5);
        QVERIFY(cache_->trusts(cardPath("A.krt")));
    }

    void aCardJustWrittenIsReadAgainNextTime() {
        // Written and rewritten in place within one moment, the same size: only
        // the content tells the two apart.
        host_->writeCard("A", {"k=needle"}, "");
        host_->listCardDir();
        SearchRecorder first;
        QCOMPARE(search(first).count, 1);
        host_->writeCard("A", {"k=NEEDLX"}, "");
        SearchRecorder second;
        QCOMPARE(search(second).count, 0);
    }

    void theCacheStaysWithinItsBudget() {
        delete cache_;
        cache_ = new CardTextCache(16 * 1024);
        const QString notes = QString(900, u'x') + QStringLiteral("\r\nneedle");
        for (int i = 0; i < 40; ++i)
            host_->writeCard(QStringLiteral("C%1").arg(i, 2, 10, QChar(u'0')), {"k=v"}, notes);
        host_->listCardDir();
        QTRY_VERIFY(stampsSettled(host_->dir.cardDir()));
        for (int round = 0; round < 2; ++round) {
            SearchRecorder recorder;
            const SearchOutcome outcome = search(recorder);
            QCOMPARE(outcome.count, 40);
            QVERIFY(cache_->bytes() <= 16 * 1024);
            QVERIFY(cache_->entryCount() > 0 && cache_->entryCount() < 40);
            if (round == 1)
                QCOMPARE(outcome.cardFilesRead, 40 - cache_->entryCount());
        }
    }

    void entriesAreDroppedForGoneAndStaleCards() {
        cache_->store("/d/Karta.krt", settledStamp(1), cardstamp::wallClockNs(), members("a"));
        cache_->store("/d/karta.KRT", settledStamp(2), cardstamp::wallClockNs(), members("b"));
        cache_->store("/d/Other.krt", settledStamp(3), cardstamp::wallClockNs(), members("c"));
        cache_->store("/e/Karta.krt", settledStamp(4), cardstamp::wallClockNs(), members("d"));
        QCOMPARE(cache_->entryCount(), 4);
        QCOMPARE(cache_->find("/d/Other.krt", settledStamp(3))->notes, QByteArray("c"));
        QVERIFY(!cache_->find("/d/Other.krt", settledStamp(99)));
        QVERIFY(!cache_->holds("/d/Other.krt")); // the stale entry went

        // One card to the user: names that differ only in letter case.
        cache_->forget("/d/KARTA.krt");
        QVERIFY(!cache_->holds("/d/Karta.krt") && !cache_->holds("/d/karta.KRT"));
        QVERIFY(cache_->holds("/e/Karta.krt"));

        cache_->store("/d/New.krt", settledStamp(5), cardstamp::wallClockNs(), members("e"));
        cache_->keepOnly("/d/", {"New.krt", "Other.krt"});
        QCOMPARE(cache_->entryCount(), 1);
        QVERIFY(cache_->holds("/d/New.krt"));
        cache_->clear();
        QCOMPARE(cache_->bytes(), 0);
    }

    void aFileThatMayStillChangeIsNotKept() {
        CardFileStamp now = settledStamp(1);
        now.modifiedNs = now.changedNs = cardstamp::wallClockNs();
        cache_->store("/d/Fresh.krt", now, cardstamp::wallClockNs(), members("a"));
        QCOMPARE(cache_->entryCount(), 0);
        QCOMPARE(cache_->bytes(), 0);
    }

    void savingACardDropsItsEntry() {
        host_->writeCard("Jan", {"k=needle"}, "old notes");
        host_->listCardDir();
        QTRY_VERIFY(stampsSettled(host_->dir.cardDir()));
        CardTextCache& shared = CardTextCache::shared();
        SearchRecorder first;
        CardSearch(SearchPlace::of(host_->state), session_, first)
            .run(host_->entries, "needle", SearchOptions());
        const QString path = cardPath("Jan.krt");
        QVERIFY(shared.holds(path));

        ScriptedPrompts prompts;
        TestCardEditor editor;
        TestCardList list(host_->state.CardDir);
        OpenCard card(host_->state, prompts, editor, list);
        list.selectEntry("Jan.krt");
        card.openSelected();
        editor.notes = "needle in the new notes";
        card.markModified();
        card.save();
        QVERIFY(!shared.holds(path));

        SearchRecorder second;
        CardSearch(SearchPlace::of(host_->state), session_, second)
            .run(host_->entries, "needle", SearchOptions());
        QCOMPARE(second.results, QStringList({"Jan.krt", "Jan.krt"}));
    }
};

QTEST_MAIN(TestCardTextCache)
#include "tst_core_cardtextcache.moc"
