#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;

// Card files written and read through the real 7z.so, and card files made by
// other Zip writers.
class TestCardArchive : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;

    QString card(const QString& name) const { return dir_->cardDir() + name + u".krt"_s; }
    QString work(const QString& name) const { return dir_->workDir() + name; }

    QStringList membersOf(const QString& cardPath) const {
        T7zInArchivePtr reader = sevenzip::MakeInArchive(dir_->library(), ZipFormatId);
        reader->OpenArchive(cardPath);
        QStringList names;
        for (quint32 i = 0; i < reader->numberOfItems(); ++i)
            names << reader->itemPath(i);
        return names;
    }
    QStringList entries(const QString& dir) const {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
    }
    void writePicture(const QString& path) const {
        QImage picture(320, 240, QImage::Format_RGB888);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
        QVERIFY(picture.save(path, "BMP"));
    }
    // A saved card holding one row and one line of notes.
    void makeSavedCard(CardWriter& writer, const QString& name) {
        tablefile::SaveTable(work(name + u".tbl"_s), {u"Obec=Brno"_s});
        notesfile::saveNotes(work(name + u".txt"_s), u"poznámka"_s);
        writer.packCard(dir_->library(), dir_->workDir(), name, card(name));
    }
    static bool throwsAppError(const std::function<void()>& run) {
        try {
            run();
        } catch (const AppError&) {
            return true;
        }
        return false;
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>();
        dir_->makeDirectories();
    }

    void cardRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("with picture") << u"Karta"_s << true;
        QTest::newRow("without picture") << u"Karta"_s << false;
        QTest::newRow("Czech name") << u"Žluťoučký kůň"_s << true;
    }
    void cardRoundTrip() {
        QFETCH(QString, name);
        QFETCH(bool, withPicture);
        const QStringList rows{u"Jméno=Jiří"_s, u"Jméno=Jan"_s, u"="_s, u"bez rovnítka"_s};
        const QString notes = u"První řádek\n\ntřetí"_s;
        cardarchive::createEmptyCardFile(dir_->library(), card(name));
        tablefile::SaveTable(work(name + u".tbl"_s), rows);
        notesfile::saveNotes(work(name + u".txt"_s), notes);
        if (withPicture)
            writePicture(work(name + u"1.bmp"_s));
        const QByteArray picture = dir_->readFile(u"TEMP/"_s + name + u"1.bmp"_s);

        CardWriter writer;
        writer.packCard(dir_->library(), dir_->workDir(), name, card(name));
        QStringList expected{name + u".tbl"_s, name + u".txt"_s};
        if (withPicture)
            expected << name + u"1.bmp"_s;
        QCOMPARE(membersOf(card(name)), expected);

        workdir::ClearWorkDir(dir_->workDir());
        cardarchive::unpackCard(dir_->library(), card(name), dir_->workDir());
        QStringList unpacked = entries(dir_->workDir());
        QStringList packed = expected;
        unpacked.sort();
        packed.sort();
        QCOMPARE(unpacked, packed);
        QCOMPARE(tablefile::LoadTable(work(name + u".tbl"_s)), rows);
        QCOMPARE(notesfile::loadNotes(work(name + u".txt"_s)), notes);
        QCOMPARE(dir_->readFile(u"TEMP/"_s + name + u"1.bmp"_s), picture);
        QCOMPARE(entries(dir_->cardDir()), QStringList{name + u".krt"_s});
    }

    void newCardFileHoldsNothing() {
        cardarchive::createEmptyCardFile(dir_->library(), card(u"Nová"_s));
        QCOMPARE(dir_->readFile(u"FILES/Nová.krt"_s), QByteArray("PK\x05\x06") + QByteArray(18, 0));
        cardarchive::unpackCard(dir_->library(), card(u"Nová"_s), dir_->workDir());
        QCOMPARE(entries(dir_->workDir()), QStringList());
    }

    void membersAreStoredUnderTheirExactNames() {
        dir_->writeFile(u"TEMP/KARTA.TBL"_s, "a=1\r\n"_ba);
        dir_->writeFile(u"TEMP/karta.txt"_s, "b"_ba);
        dir_->writeFile(u"TEMP/karta1.BMP"_s, "BM"_ba);
        dir_->writeFile(u"TEMP/Jina.tbl"_s, "c=3\r\n"_ba);
        CardWriter writer;
        writer.packCard(dir_->library(), dir_->workDir(), u"Karta"_s, card(u"Karta"_s));
        QCOMPARE(membersOf(card(u"Karta"_s)),
                 (QStringList{u"Karta.tbl"_s, u"Karta.txt"_s, u"Karta1.bmp"_s}));
    }

    // A card file spelled otherwise is another card (Linux keeps both): the
    // save writes the file it names and leaves its namesake alone.
    void saveLeavesACardFileSpelledOtherwiseAlone() {
        CardWriter writer;
        dir_->writeFile(u"FILES/KARTA.KRT"_s, "old"_ba);
        makeSavedCard(writer, u"Karta"_s);
        QCOMPARE(entries(dir_->cardDir()), (QStringList{u"KARTA.KRT"_s, u"Karta.krt"_s}));
        QCOMPARE(dir_->readFile(u"FILES/KARTA.KRT"_s), "old"_ba);
        QCOMPARE(membersOf(card(u"Karta"_s)), (QStringList{u"Karta.tbl"_s, u"Karta.txt"_s}));
    }

    void cardsOfOtherWritersOpen() {
        for (const QString& name : {u"InfoZip"_s, u"PythonZip"_s})
            QVERIFY(QFile::copy(QStringLiteral(KARTOTEKA_TEST_DATA "/cards/") + name + u".krt"_s,
                                card(name)));
        cardarchive::unpackCard(dir_->library(), card(u"InfoZip"_s), dir_->workDir());
        QCOMPARE(tablefile::LoadTable(work(u"InfoZip.tbl"_s)),
                 (QStringList{u"Jméno=Jiří"_s, u"Obec=Brno"_s}));
        QCOMPARE(notesfile::loadNotes(work(u"InfoZip.txt"_s)), u"České poznámky\ndruhý řádek"_s);

        workdir::ClearWorkDir(dir_->workDir());
        cardarchive::unpackCard(dir_->library(), card(u"PythonZip"_s), dir_->workDir());
        QCOMPARE(tablefile::LoadTable(work(u"PythonZip.tbl"_s)),
                 (QStringList{u"Klíč=Hodnota"_s, u"bez rovnítka"_s, u"="_s}));
        QCOMPARE(notesfile::loadNotes(work(u"PythonZip.txt"_s)), u"a\nb\nc"_s);
        QCOMPARE(QImage(work(u"PythonZip1.bmp"_s)).size(), QSize(6, 4));
        // A member in a folder is never used and is not unpacked: a folder it
        // made could stand in another card's way.
        QVERIFY(!QFileInfo::exists(work(u"slozka"_s)));
        workdir::ClearWorkDir(dir_->workDir());
        QCOMPARE(entries(dir_->workDir()), QStringList());
    }

    void savedCardPassesOtherZipReaders() {
        CardWriter writer;
        writePicture(work(u"Karta1.bmp"_s));
        makeSavedCard(writer, u"Karta"_s);
        const QString unzip = QStandardPaths::findExecutable(u"unzip"_s);
        const QString python = QStandardPaths::findExecutable(u"python3"_s);
        if (unzip.isEmpty() || python.isEmpty())
            QSKIP("unzip or python3 is missing");
        QProcess process;
        process.start(unzip, {u"-t"_s, card(u"Karta"_s)});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        process.start(python, {u"-c"_s,
                               u"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                               "sys.exit(z.testzip() is not None or len(z.namelist()) != 3)"_s,
                               card(u"Karta"_s)});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
    }

    // A directory standing where the temporary file or the card file must go
    // makes the write fail.
    void failedSaveKeepsTheOldCardFile_data() {
        QTest::addColumn<bool>("blockCardFile");
        QTest::newRow("temporary name blocked") << false;
        QTest::newRow("card file is a directory") << true;
    }
    void failedSaveKeepsTheOldCardFile() {
        QFETCH(bool, blockCardFile);
        CardWriter writer;
        makeSavedCard(writer, u"Karta"_s);
        const QByteArray before = dir_->readFile(u"FILES/Karta.krt"_s);
        QString blocked = cardarchive::temporaryCardPath(card(u"Karta"_s));
        if (blockCardFile) {
            QVERIFY(QFile::rename(card(u"Karta"_s), card(u"Stara"_s)));
            blocked = card(u"Karta"_s);
        }
        QVERIFY(QDir().mkpath(blocked));
        tablefile::SaveTable(work(u"Karta.tbl"_s), {u"Obec=Praha"_s});

        QVERIFY(throwsAppError([&] {
            writer.packCard(dir_->library(), dir_->workDir(), u"Karta"_s, card(u"Karta"_s));
        }));
        QVERIFY(QFileInfo(blocked).isDir());
        const QString old = blockCardFile ? u"Stara.krt"_s : u"Karta.krt"_s;
        QCOMPARE(dir_->readFile(u"FILES/"_s + old), before);
        QDir(blocked).removeRecursively();
        QCOMPARE(entries(dir_->cardDir()), QStringList{old});
    }

    void failedNewCardLeavesNothing() {
        QVERIFY(QDir().mkpath(cardarchive::temporaryCardPath(card(u"Nova"_s))));
        QVERIFY(throwsAppError(
            [&] { cardarchive::createEmptyCardFile(dir_->library(), card(u"Nova"_s)); }));
        // Only the blocking directory stands there.
        QCOMPARE(
            entries(dir_->cardDir()),
            QStringList{QFileInfo(cardarchive::temporaryCardPath(card(u"Nova"_s))).fileName()});
    }

    void unreadableCardFileThrows_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a Zip") << "Name=Jan\r\nObec=Brno\r\n"_ba;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << QByteArray(); // filled in from a real card
    }
    void unreadableCardFileThrows() {
        QFETCH(QByteArray, content);
        if (QByteArray(QTest::currentDataTag()) == "truncated") {
            CardWriter writer;
            writePicture(work(u"Karta1.bmp"_s));
            makeSavedCard(writer, u"Karta"_s);
            const QByteArray whole = dir_->readFile(u"FILES/Karta.krt"_s);
            content = whole.left(whole.size() / 2);
            workdir::ClearWorkDir(dir_->workDir());
        }
        dir_->writeFile(u"FILES/Vadna.krt"_s, content);
        QVERIFY(throwsAppError(
            [&] { cardarchive::unpackCard(dir_->library(), card(u"Vadna"_s), dir_->workDir()); }));
        QCOMPARE(dir_->readFile(u"FILES/Vadna.krt"_s), content);
    }

    void missingCardFileThrows() {
        QVERIFY(throwsAppError(
            [&] { cardarchive::unpackCard(dir_->library(), card(u"Chybi"_s), dir_->workDir()); }));
    }
};

QTEST_GUILESS_MAIN(TestCardArchive)
#include "tst_storage_card.moc"
