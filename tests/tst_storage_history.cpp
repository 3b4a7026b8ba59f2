#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionReader.h"
#include "storage/HistoryRetention.h"
#include "storage/KeptCardVersion.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testcards::fileBytes;

// The versions a save keeps of the card file it replaces, on real files and
// through the real 7z.so: their names, their folder, the retention rule, the
// moves of a rename, and reading them back into memory.
class TestCardHistory : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;
    AppState state_;
    CardWriter writer_;

    QString card(const QString& name = u"Karta"_s) const {
        return state_.CardDir + name + u".krt"_s;
    }
    QString folder(const QString& name = u"Karta"_s) const {
        return cardhistory::folderOf(state_.historyDir(), name + u".krt"_s);
    }
    // Saves the card name with one row and these notes, as the open card does.
    void save(const QString& notes, const QString& name = u"Karta"_s) {
        tablefile::SaveTable(state_.WorkDir + name + u".tbl"_s, {u"Poznámka="_s + notes});
        notesfile::saveNotes(state_.WorkDir + name + u".txt"_s, notes);
        writer_.packCard(state_.libraryPath(), state_.WorkDir, name, card(name),
                         state_.historyDir());
    }
    QList<QByteArray> versionBytes(const QString& name = u"Karta"_s) const {
        QList<QByteArray> bytes;
        for (const CardVersion& version : cardhistory::versions(folder(name)))
            bytes << fileBytes(version.path);
        return bytes;
    }
    // A file named like a version of the given moment, holding bytes.
    void writeVersionFile(const QString& name, const QDateTime& savedUtc, int sequence,
                          const QByteArray& bytes) const {
        QDir().mkpath(folder(name));
        QFile file(folder(name) + cardversionname::make(savedUtc, sequence));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QDateTime moment(int minutesAfterNoon) {
        return QDateTime(QDate(2020, 12, 8), QTime(12, 0), Qt::UTC).addSecs(60 * minutesAfterNoon);
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>();
        state_ = dir_->startedState();
    }

    void versionNames_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("isVersion");
        QTest::addColumn<QDateTime>("savedUtc");
        QTest::addColumn<int>("sequence");
        const QDateTime saved(QDate(2026, 12, 8), QTime(14, 15, 3, 27), Qt::UTC);
        QTest::newRow("plain") << "20261208-141503-027.krt" << true << saved << 0;
        QTest::newRow("counter") << "20261208-141503-027-2.krt" << true << saved << 2;
        QTest::newRow("counter 0") << "20261208-141503-027-0.krt" << false << QDateTime() << 0;
        QTest::newRow("no month 13") << "20261308-141503-027.krt" << false << QDateTime() << 0;
        QTest::newRow("being copied")
            << ".20261208-141503-027.krt.part-12" << false << QDateTime() << 0;
        QTest::newRow("card file") << "Karta.krt" << false << QDateTime() << 0;
        QTest::newRow("other extension") << "20261208-141503-027.KRT" << false << QDateTime() << 0;
    }
    void versionNames() {
        QFETCH(QString, fileName);
        QFETCH(bool, isVersion);
        QFETCH(QDateTime, savedUtc);
        QFETCH(int, sequence);
        const auto stamp = cardversionname::parse(fileName);
        QCOMPARE(stamp.has_value(), isVersion);
        if (!isVersion)
            return;
        QCOMPARE(stamp->savedUtc, savedUtc);
        QCOMPARE(stamp->sequence, sequence);
        QCOMPARE(cardversionname::make(savedUtc, sequence), fileName);
    }

    // Local time goes into no name; a counter orders after its plain name.
    void versionNamesOrderByMomentThenCounter() {
        const QDateTime local(QDate(2026, 7, 1), QTime(2, 30), Qt::OffsetFromUTC, 7200);
        QCOMPARE(cardversionname::make(local, 0), u"20260701-003000-000.krt"_s);
        const auto plain = *cardversionname::parse(u"20261208-141503-027.krt"_s);
        const auto counted = *cardversionname::parse(u"20261208-141503-027-1.krt"_s);
        const auto later = *cardversionname::parse(u"20261208-141503-028.krt"_s);
        QVERIFY(counted.newerThan(plain) && !plain.newerThan(counted));
        QVERIFY(later.newerThan(counted));
    }

    void threeSavesKeepTheTwoEarlierCardFilesByteForByte() {
        save(u"první"_s);
        const QByteArray first = fileBytes(card());
        QVERIFY(!QFileInfo::exists(folder()));
        save(u"druhá"_s);
        const QByteArray second = fileBytes(card());
        save(u"třetí"_s);
        QCOMPARE(versionBytes(), QList<QByteArray>({second, first}));
        QCOMPARE(testcards::readCard(*dir_, u"Karta.krt"_s).value(u"Karta.txt"_s), "t\xf8"
                                                                                   "et\xed"_ba);
        // The card list and the search see card files only.
        QCOMPARE(QDir(state_.CardDir).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Karta.krt"_s});
    }

    // Many versions in quick succession share milliseconds: each still gets
    // its own name, and the list orders them as they were made.
    void versionsOfOneMillisecondStayApartAndInOrder() {
        QList<QByteArray> made;
        for (int i = 0; i < 40; ++i) {
            // Replaced, as a save does: written in place, the file would change
            // the version linked to it as well.
            QFile::remove(card());
            dir_->writeFile(u"FILES/Karta.krt"_s, QByteArray::number(i));
            const KeptCardVersion version(state_.historyDir(), card());
            QVERIFY(!version.path().isEmpty());
            made.prepend(QByteArray::number(i));
        }
        QCOMPARE(versionBytes(), made);
    }

    void failedSaveKeepsNoVersion_data() {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("folder at the temporary file")
            << cardarchive::temporaryCardPath(u"FILES/Karta.krt"_s);
        QTest::newRow("file at the history folder") << u"HISTORY/Karta.krt"_s;
    }
    void failedSaveKeepsNoVersion() {
        QFETCH(QString, blocked);
        save(u"první"_s);
        save(u"druhá"_s);
        const QByteArray stored = fileBytes(card());
        const QList<QByteArray> versions = versionBytes();
        if (blocked.startsWith(u"HISTORY"_s)) {
            QVERIFY(QDir(folder()).removeRecursively());
            dir_->writeFile(blocked, "no folder");
        } else {
            QVERIFY(QDir().mkpath(dir_->filePath(blocked)));
        }
        QVERIFY(!errorOf([&] { save(u"třetí"_s); }).isEmpty());
        QCOMPARE(fileBytes(card()), stored);
        if (!blocked.startsWith(u"HISTORY"_s))
            QCOMPARE(versionBytes(), versions);
        QCOMPARE(QDir(state_.CardDir).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Karta.krt"_s});
    }

    // The step after the link failing (the rename, say) takes the version back.
    void versionGoesWhenTheSaveFailsAfterTheLink() {
        save(u"první"_s);
        const QString failure = errorOf([&] {
            const KeptCardVersion version(state_.historyDir(), card());
            QVERIFY(QFileInfo::exists(version.path()));
            throw AppError(u"the rename failed"_s);
        });
        QCOMPARE(failure, u"the rename failed"_s);
        QVERIFY(cardhistory::versions(folder()).isEmpty());
    }

    // A card file replaced for the first time, one written again after it
    // vanished, and a new empty card file have nothing to keep.
    void nothingIsKeptWithoutAnEarlierCardFile() {
        cardarchive::createEmptyCardFile(state_.libraryPath(), card(u"Nová"_s));
        QVERIFY(!QFileInfo::exists(state_.historyDir()));
        QVERIFY(KeptCardVersion(state_.historyDir(), card(u"Chybí"_s)).path().isEmpty());
        QVERIFY(KeptCardVersion({}, card(u"Nová"_s)).path().isEmpty());
        QVERIFY(!QFileInfo::exists(state_.historyDir()));
    }

    // The version is a second name of the old card file's data, not a copy;
    // on another file system, where no link can be made, it is a copy.
    void versionIsALinkOrACopyOnAnotherFileSystem() {
        save(u"první"_s);
        struct stat replaced {};
        QCOMPARE(::stat(QFile::encodeName(card()).constData(), &replaced), 0);
        save(u"druhá"_s);
        const QByteArray second = fileBytes(card());
        struct stat version {};
        const QString linked = cardhistory::versions(folder()).first().path;
        QCOMPARE(::stat(QFile::encodeName(linked).constData(), &version), 0);
        QCOMPARE(version.st_ino, replaced.st_ino);

        QTemporaryDir elsewhere(u"/dev/shm/kartoteka-history-XXXXXX"_s);
        struct stat there {};
        if (!elsewhere.isValid() ||
            ::stat(QFile::encodeName(elsewhere.path()).constData(), &there) != 0 ||
            there.st_dev == replaced.st_dev)
            QSKIP("no second file system at /dev/shm");
        QVERIFY(QDir(state_.historyDir()).removeRecursively());
        QVERIFY(QFile::link(elsewhere.path(), state_.historyDir().chopped(1)));
        save(u"třetí"_s);
        const QByteArray third = fileBytes(card());
        save(u"čtvrtá"_s);
        QCOMPARE(versionBytes(), QList<QByteArray>({third, second}));
        // Whole copies only: no partial copy stays beside them.
        const QStringList files =
            QDir(elsewhere.path() + u"/Karta.krt"_s).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), 2);
        for (const QString& file : files)
            QVERIFY(cardversionname::parse(file).has_value());
    }

    void retentionRule_data() {
        QTest::addColumn<QList<qint64>>("sizes");
        QTest::addColumn<qsizetype>("kept");
        constexpr qint64 MiB = 1024 * 1024;
        QTest::newRow("few") << QList<qint64>(5, 100) << qsizetype(5);
        QTest::newRow("small ones up to 100") << QList<qint64>(150, 2000) << qsizetype(100);
        QTest::newRow("large ones: the 30 newest") << QList<qint64>(40, 3 * MiB) << qsizetype(30);
        QTest::newRow("older ones within 32 MiB") << QList<qint64>(40, MiB) << qsizetype(32);
        QList<qint64> oneLargeOld(35, 10);
        oneLargeOld[31] = 40 * MiB;
        QTest::newRow("an older one over the budget ends the kept ones")
            << oneLargeOld << qsizetype(31);
    }
    void retentionRule() {
        QFETCH(QList<qint64>, sizes);
        QFETCH(qsizetype, kept);
        QCOMPARE(historyretention::keptCount(sizes), kept);
    }

    // Pruning drops the oldest versions, whatever order the folder lists its
    // files in, and leaves files that are no versions.
    void pruningKeepsTheNewestVersions() {
        constexpr qint64 MiB = 1024 * 1024;
        for (int i = 39; i >= 0; --i)
            writeVersionFile(u"Karta"_s, moment(i), 0, QByteArray());
        for (const CardVersion& version : cardhistory::versions(folder()))
            QVERIFY(QFile::resize(version.path, MiB)); // sparse: no disk space taken
        dir_->writeFile(u"HISTORY/Karta.krt/poznámka.txt"_s, "not a version");
        historyretention::prune(folder());
        const QList<CardVersion> kept = cardhistory::versions(folder());
        QCOMPARE(kept.size(), 32);
        QCOMPARE(kept.first().stamp.savedUtc, moment(39));
        QCOMPARE(kept.last().stamp.savedUtc, moment(8));
        QVERIFY(QFileInfo::exists(folder() + u"poznámka.txt"_s));
    }

    void saveDropsTheOldestVersionBeyondTheRule() {
        save(u"první"_s);
        for (int i = 0; i < historyretention::kMostKept; ++i)
            writeVersionFile(u"Karta"_s, moment(i), 0, "older");
        const QByteArray replaced = fileBytes(card());
        save(u"druhá"_s);
        const QList<CardVersion> kept = cardhistory::versions(folder());
        QCOMPARE(kept.size(), historyretention::kMostKept);
        QCOMPARE(fileBytes(kept.first().path), replaced);
        QCOMPARE(kept.last().stamp.savedUtc, moment(1));
    }

    void moveGivesTheHistoryToTheNewNameAndSetsAStaleOneAside() {
        save(u"první"_s);
        save(u"druhá"_s);
        const QList<QByteArray> history = versionBytes();
        writeVersionFile(u"Nová"_s, moment(0), 0, "of a deleted card");
        QVERIFY(cardhistory::move(state_.historyDir(), u"Karta.krt"_s, u"Nová.krt"_s));
        QVERIFY(!QFileInfo::exists(folder()));
        QCOMPARE(versionBytes(u"Nová"_s), history);
        const QStringList folders =
            QDir(state_.historyDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 2);
        const QString aside = folders.at(folders.at(0) == u"Nová.krt"_s ? 1 : 0);
        QVERIFY(aside.startsWith(u"Nová.krt~"_s));
        QCOMPARE(
            fileBytes(state_.historyDir() + aside + u'/' + cardversionname::make(moment(0), 0)),
            "of a deleted card"_ba);

        // Without a history of its own, the card still leaves no stale one under its new name.
        writeVersionFile(u"Třetí"_s, moment(0), 0, "of a deleted card");
        QVERIFY(cardhistory::move(state_.historyDir(), u"Bez historie.krt"_s, u"Třetí.krt"_s));
        QVERIFY(!QFileInfo::exists(folder(u"Třetí"_s)));
        QVERIFY(cardhistory::setAside(state_.historyDir(), u"Nic.krt"_s));
    }

    void readingAVersionTakesItsMembersIntoMemory() {
        testcards::writeCard(*dir_, u"Staré"_s, {u"Obec=Brno"_s, u"bez rovnítka"_s},
                             u"řádek\ndruhý"_s, testcards::bitmapBytes());
        const QString version = state_.CardDir + u"Staré.krt"_s;
        const CardVersionContent content =
            cardversionreader::readCardVersion(state_.libraryPath(), version);
        QCOMPARE(content.table, QStringList({u"Obec=Brno"_s, u"bez rovnítka"_s}));
        QCOMPARE(content.notes, u"řádek\ndruhý"_s);
        QCOMPARE(content.picture, testcards::bitmapBytes());
        QVERIFY(QDir(state_.WorkDir).isEmpty());

        // Members in a folder are none of the card's.
        testcards::writeArchive(state_.libraryPath(), state_.CardDir + u"V.krt"_s,
                                {{u"jiná/V.txt"_s, "cizí"}, {u"v.TXT"_s, "vlastn\xed"}});
        const CardVersionContent other =
            cardversionreader::readCardVersion(state_.libraryPath(), state_.CardDir + u"V.krt"_s);
        QCOMPARE(other.notes, u"vlastní"_s);
        QVERIFY(other.table.isEmpty() && other.picture.isEmpty());
    }

    // A damaged version is listed as unreadable with its error; the versions
    // around it are listed with their row counts.
    void summariesListDamagedVersionsAsUnreadable() {
        save(u"první"_s);
        save(u"druhá"_s);
        save(u"třetí"_s);
        const QList<CardVersion> versions = cardhistory::versions(folder());
        QFile damaged(versions.last().path);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        damaged.resize(damaged.size() / 2);
        damaged.close();
        writeVersionFile(u"Karta"_s, moment(0), 0, "no archive at all");

        const QList<CardVersionSummary> summaries =
            cardversionreader::summarizeCardVersions(state_.libraryPath(), folder());
        QCOMPARE(summaries.size(), 3);
        QVERIFY(summaries[0].readable);
        QCOMPARE(summaries[0].rows, 1);
        QVERIFY(!summaries[1].readable && !summaries[1].problem.isEmpty());
        QVERIFY(!summaries[2].readable && !summaries[2].problem.isEmpty());
        QVERIFY(!errorOf([&] {
                     cardversionreader::readCardVersion(state_.libraryPath(), versions.last().path);
                 }).isEmpty());
    }

    // The process killed after the version is linked and before the new card
    // file is renamed over the old one (the two steps of the save done here in
    // a child process, which then gets SIGKILL): the card file is the old one,
    // whole, and the history holds one version more, equal to it.
    void killBetweenLinkAndRenameLeavesTheCardFileWhole() {
        save(u"první"_s);
        save(u"druhá"_s);
        const QByteArray stored = fileBytes(card());
        const qsizetype versionsBefore = cardhistory::versions(folder()).size();
        tablefile::SaveTable(state_.WorkDir + u"Karta.tbl"_s, {u"Poznámka=nikdy"_s});

        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            T7zOutArchivePtr writer = sevenzip::MakeOutArchive(state_.libraryPath(), ZipFormatId);
            writer->QueueFile(state_.WorkDir + u"Karta.tbl"_s, u"Karta.tbl"_s);
            writer->WriteArchive(cardarchive::temporaryCardPath(card()));
            new KeptCardVersion(state_.historyDir(), card()); // never goes: the process dies
            ::raise(SIGKILL);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        QCOMPARE(fileBytes(card()), stored);
        QCOMPARE(testcards::readCard(*dir_, u"Karta.krt"_s).value(u"Karta.txt"_s), "druh\xe1"_ba);
        const QList<CardVersion> versions = cardhistory::versions(folder());
        QCOMPARE(versions.size(), versionsBefore + 1);
        QCOMPARE(fileBytes(versions.first().path), stored);

        // The next save goes on from there.
        save(u"třetí"_s);
        QCOMPARE(cardhistory::versions(folder()).size(), versionsBefore + 2);
        QCOMPARE(fileBytes(cardhistory::versions(folder()).first().path), stored);
    }
};

QTEST_GUILESS_MAIN(TestCardHistory)
#include "tst_storage_history.moc"
