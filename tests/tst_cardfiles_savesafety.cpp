#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/StaleTemporaryCards.h"
#include "storage/TableFile.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Saves one card as the program does; run by the test under strace.
int saveCardAndExit(const QString& programDir, const QString& name) {
    const QString work = programDir + u"TEMP/"_s;
    tablefile::SaveTable(work + name + u".tbl"_s, {u"Obec=Brno"_s});
    notesfile::saveNotes(work + name + u".txt"_s, u"poznámka"_s);
    CardWriter writer;
    writer.packCard(programDir + u"7z.so"_s, work, name,
                    programDir + u"FILES/"_s + name + u".krt"_s);
    return 0;
}

quint32 modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

// What a save does to the card file and to the files around it: the mode and a
// link of the card file survive, the temporary file cannot be turned against
// another file, the folder entry reaches the disk, and what a killed save left
// is cleaned up at the next start.
class TestStorageSaveSafety : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;

    QString card(const QString& name) const { return dir_->cardDir() + name + u".krt"_s; }
    QString work(const QString& name) const { return dir_->workDir() + name; }
    QStringList entries(const QString& dir) const {
        QStringList names = QDir(dir).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        names.sort();
        return names;
    }
    // Saves the card `name` of the test program directory with the given notes.
    void save(const QString& name, const QString& notes, const QString& cardPath = {}) {
        tablefile::SaveTable(work(name + u".tbl"_s), {u"Obec=Brno"_s});
        notesfile::saveNotes(work(name + u".txt"_s), notes);
        CardWriter writer;
        writer.packCard(dir_->library(), dir_->workDir(), name,
                        cardPath.isEmpty() ? card(name) : cardPath);
    }
    QString notesIn(const QString& cardPath, const QString& name) const {
        T7zInArchivePtr reader = sevenzip::MakeInArchive(dir_->library(), ZipFormatId);
        reader->OpenArchive(cardPath);
        for (const auto& [path, bytes] : reader->readItems({}))
            if (path == name + u".txt"_s)
                return notesfile::parseNotes(bytes);
        return u"(missing)"_s;
    }
    static qint64 deadProcessId() {
        QProcess process;
        process.start(u"true"_s, QStringList());
        process.waitForStarted();
        const qint64 pid = process.processId();
        process.waitForFinished();
        return pid;
    }

private slots:
    void init() {
        ::umask(022);
        dir_ = std::make_unique<TestProgramDir>();
        dir_->makeDirectories();
    }

    // --- The card file's mode and links ---

    void saveKeepsTheCardFilesMode_data() {
        QTest::addColumn<quint32>("mode");
        QTest::newRow("private") << quint32(0600);
        QTest::newRow("group") << quint32(0640);
        QTest::newRow("everyone may write") << quint32(0666);
    }
    void saveKeepsTheCardFilesMode() {
        QFETCH(quint32, mode);
        cardarchive::createEmptyCardFile(dir_->library(), card(u"Karta"_s));
        QCOMPARE(modeOf(card(u"Karta"_s)), quint32(0644));
        QVERIFY(::chmod(QFile::encodeName(card(u"Karta"_s)).constData(), mode) == 0);
        save(u"Karta"_s, u"nové"_s);
        QCOMPARE(modeOf(card(u"Karta"_s)), mode);
        QCOMPARE(notesIn(card(u"Karta"_s), u"Karta"_s), u"nové"_s);
    }

    void saveWritesThroughALinkedCardFile() {
        QTemporaryDir elsewhere;
        const QString real = elsewhere.path() + u"/skutečná.krt"_s;
        cardarchive::createEmptyCardFile(dir_->library(), real);
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0600) == 0);
        QVERIFY(QFile::link(real, card(u"Karta"_s)));
        save(u"Karta"_s, u"přes odkaz"_s);
        QVERIFY(QFileInfo(card(u"Karta"_s)).isSymLink());
        QCOMPARE(QFileInfo(card(u"Karta"_s)).symLinkTarget(), real);
        QCOMPARE(notesIn(real, u"Karta"_s), u"přes odkaz"_s);
        QCOMPARE(modeOf(real), quint32(0600));
        QCOMPARE(entries(dir_->cardDir()), QStringList{u"Karta.krt"_s});
        QCOMPARE(entries(elsewhere.path()), QStringList{u"skutečná.krt"_s});
    }

    // --- The temporary file and the working directory follow no link ---

    void aPlantedTemporaryLinkIsNotWrittenThrough_data() {
        QTest::addColumn<bool>("victimExists");
        QTest::newRow("link to a file") << true;
        QTest::newRow("dangling link") << false;
    }
    void aPlantedTemporaryLinkIsNotWrittenThrough() {
        QFETCH(bool, victimExists);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.path() + u"/victim"_s;
        if (victimExists)
            ziptools::writeFile(victim, "precious");
        cardarchive::createEmptyCardFile(dir_->library(), card(u"Karta"_s));
        QVERIFY(QFile::link(victim, cardarchive::temporaryCardPath(card(u"Karta"_s))));
        save(u"Karta"_s, u"nové"_s);
        QCOMPARE(QFileInfo::exists(victim), victimExists);
        if (victimExists)
            QCOMPARE(testcards::fileBytes(victim), "precious"_ba);
        QVERIFY(!QFileInfo(card(u"Karta"_s)).isSymLink());
        QCOMPARE(notesIn(card(u"Karta"_s), u"Karta"_s), u"nové"_s);
        QCOMPARE(entries(dir_->cardDir()), QStringList{u"Karta.krt"_s});
    }

    void membersAreNotWrittenThroughLinksInTheWorkingDirectory() {
        QTemporaryDir elsewhere;
        const QString existing = elsewhere.path() + u"/existing"_s;
        const QString absent = elsewhere.path() + u"/absent"_s;
        ziptools::writeFile(existing, "precious");
        QVERIFY(QFile::link(existing, work(u"Karta.tbl"_s)));
        QVERIFY(QFile::link(absent, work(u"Karta.txt"_s)));
        tablefile::SaveTable(work(u"Karta.tbl"_s), {u"a=1"_s});
        notesfile::saveNotes(work(u"Karta.txt"_s), u"n"_s);
        QCOMPARE(testcards::fileBytes(existing), "precious"_ba);
        QVERIFY(!QFileInfo::exists(absent));
        for (const QString& member : {u"Karta.tbl"_s, u"Karta.txt"_s}) {
            QVERIFY(!QFileInfo(work(member)).isSymLink());
            QVERIFY(QFileInfo(work(member)).isFile());
        }
        QCOMPARE(tablefile::LoadTable(work(u"Karta.tbl"_s)), QStringList{u"a=1"_s});
    }

    void placeholdersInTheFolderPathDoNotBreakTheSave() {
        QTemporaryDir root;
        const QString folder = root.path() + u"/Karty %1 a %2/"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString cardPath = folder + u"Karta.krt"_s;
        QCOMPARE(cardarchive::temporaryCardPath(cardPath),
                 folder + u".Karta.krt.tmp-"_s +
                     QString::number(QCoreApplication::applicationPid()));
        cardarchive::createEmptyCardFile(dir_->library(), cardPath);
        save(u"Karta"_s, u"uloženo"_s, cardPath);
        QCOMPARE(notesIn(cardPath, u"Karta"_s), u"uloženo"_s);
        QCOMPARE(entries(folder), QStringList{u"Karta.krt"_s});
    }

    // --- The rename reaches the disk ---

    void theFolderIsFlushedAfterTheRename() {
        const QString strace = QStandardPaths::findExecutable(u"strace"_s);
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        cardarchive::createEmptyCardFile(dir_->library(), card(u"Karta"_s));
        const QString log = dir_->filePath(u"strace.log"_s);
        const ziptools::Run run = ziptools::runProgram(
            strace,
            {u"-f"_s, u"-o"_s, log, u"-e"_s, u"trace=openat,fsync,rename,renameat,renameat2"_s,
             QCoreApplication::applicationFilePath(), u"--save-card"_s, dir_->path(), u"Karta"_s});
        QVERIFY2(run.exitCode == 0, run.output.constData());
        const QString trace = QString::fromUtf8(testcards::fileBytes(log));
        const QString folder = QFileInfo(card(u"Karta"_s)).path();
        const qsizetype renamed = trace.indexOf(u"\""_s + card(u"Karta"_s) + u"\") = 0"_s);
        QVERIFY2(renamed >= 0, qPrintable(trace));
        const QRegularExpression openFolder(u"openat\\(AT_FDCWD, \""_s +
                                            QRegularExpression::escape(folder) +
                                            u"\", O_RDONLY[^)]*O_DIRECTORY[^)]*\\) = (\\d+)"_s);
        const QRegularExpressionMatch opened = openFolder.match(trace, renamed);
        QVERIFY2(opened.hasMatch(), qPrintable(trace.mid(renamed)));
        const QRegularExpression flushed(u"fsync\\("_s + opened.captured(1) + u"\\)\\s+= 0"_s);
        QVERIFY2(flushed.match(trace, opened.capturedEnd()).hasMatch(),
                 qPrintable(trace.mid(renamed)));
    }

    // --- What a killed save leaves ---

    void staleTemporaryCardsOfEndedProcessesGo() {
        const QString dead = QString::number(deadProcessId());
        const QString alive = QString::number(QCoreApplication::applicationPid());
        QTemporaryDir elsewhere;
        const QString target = elsewhere.path() + u"/target"_s;
        ziptools::writeFile(target, "kept");
        dir_->writeFile(u"FILES/Karta.krt"_s, "card");
        dir_->writeFile(u"FILES/.Karta.krt.tmp-"_s + dead, "stale");
        dir_->writeFile(u"FILES/.Jiná karta.KRT.tmp-"_s + dead, "stale");
        QVERIFY(QFile::link(target, dir_->cardDir() + u".Odkaz.krt.tmp-"_s + dead));
        dir_->writeFile(u"FILES/.Živá.krt.tmp-"_s + alive, "saving now");
        dir_->writeFile(u"FILES/.poznamka.txt.tmp-"_s + dead, "not a card");
        QVERIFY(QDir().mkpath(dir_->cardDir() + u".Slozka.krt.tmp-"_s + dead));

        QCOMPARE(temporarycards::removeStaleTemporaryCards(dir_->cardDir()), 3);
        QCOMPARE(entries(dir_->cardDir()),
                 (QStringList{u".Slozka.krt.tmp-"_s + dead, u".poznamka.txt.tmp-"_s + dead,
                              u".Živá.krt.tmp-"_s + alive, u"Karta.krt"_s}));
        QCOMPARE(testcards::fileBytes(target), "kept"_ba);
    }

    void startUpRemovesStaleTemporaryCards() {
        const QString stale = u"FILES/.Karta.krt.tmp-"_s + QString::number(deadProcessId());
        dir_->writeFile(stale, "stale");
        testcards::writeCard(*dir_, u"Karta"_s, {u"a=1"_s});
        fixture::Started started(*dir_);
        QVERIFY(!QFileInfo::exists(dir_->filePath(stale)));
        QCOMPARE(entries(dir_->cardDir()), QStringList{u"Karta.krt"_s});
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], "--save-card") == 0) {
        QCoreApplication application(argc, argv);
        return saveCardAndExit(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication application(argc, argv);
    TestStorageSaveSafety test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cardfiles_savesafety.moc"
