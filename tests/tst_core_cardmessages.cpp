#include "core/CardTextMembers.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <sys/mount.h>

using namespace Qt::StringLiterals;

// What the user reads when a card file cannot be read or written: Czech, and
// naming the card file; a full disk is called by its name and leaves no
// truncated member.
class TestStorageMessages : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;
    QStringList mounted_;

    QString card(const QString& name) const { return dir_->cardDir() + name + u".krt"_s; }
    QString work(const QString& name) const { return dir_->workDir() + name; }
    QString unpackError(const QString& name) const {
        return errorOf(
            [&] { cardarchive::unpackCard(dir_->library(), card(name), dir_->workDir()); });
    }
    QString searchError(const QString& name) const {
        return errorOf(
            [&] { textmembers::readCardTextMembers(dir_->library(), card(name), name); });
    }
    QStringList entries(const QString& dir) const {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
    }
    // A small file system in place of folder, full after `kilobytes`; false
    // where this machine allows no mount.
    bool mountSmallFileSystem(const QString& folder, int kilobytes) {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                    options.constData()) != 0)
            return false;
        mounted_ << folder;
        return true;
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>();
        dir_->makeDirectories();
    }
    void cleanup() {
        for (const QString& folder : std::as_const(mounted_))
            ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
        mounted_.clear();
        dir_.reset();
    }

    void unreadableCardFilesAreNamedInCzech_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a Zip") << u"text"_s << u"není to archiv Zip, nebo je poškozený"_s;
        QTest::newRow("empty") << u"empty"_s << u"není to archiv Zip, nebo je poškozený"_s;
        QTest::newRow("truncated")
            << u"truncated"_s << u"archiv je poškozený (neočekávaný konec archivu)"_s;
        QTest::newRow("bad CRC") << u"crc"_s << u"chyba CRC v položce Karta.tbl"_s;
    }
    void unreadableCardFilesAreNamedInCzech() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = card(u"Karta"_s);
        if (kind == u"text") {
            dir_->writeFile(u"FILES/Karta.krt"_s, "Jméno=Jan\r\n");
        } else if (kind == u"empty") {
            dir_->writeFile(u"FILES/Karta.krt"_s, {});
        } else if (kind == u"truncated") {
            testcards::writeArchive(dir_->library(), path,
                                    {{u"Karta1.bmp"_s, ziptools::randomBytes(20000, 5)}});
            const QByteArray whole = testcards::fileBytes(path);
            dir_->writeFile(u"FILES/Karta.krt"_s, whole.left(whole.size() / 2));
        } else {
            ziptools::writeWithPython(
                path,
                {{u"Karta.tbl"_s, QByteArray(64, 'A')}, {u"Karta.txt"_s, QByteArray(64, 'A')}},
                false);
            ziptools::patchByte(path, ziptools::findInFile(path, QByteArray(64, 'A')) + 10, 'B');
        }
        const QString expected = u"Soubor karty "_s + path + u" nelze přečíst: "_s + reason;
        QCOMPARE(unpackError(u"Karta"_s), expected);
        QCOMPARE(searchError(u"Karta"_s), expected);
    }

    void fileErrorsAreCzech() {
        QCOMPARE(unpackError(u"Chybí"_s), u"Nelze otevřít soubor "_s + card(u"Chybí"_s) +
                                              u": soubor nebo složka neexistuje"_s);
        QVERIFY(QDir().mkpath(card(u"Slozka"_s)));
        QCOMPARE(unpackError(u"Slozka"_s),
                 u"Nelze otevřít soubor "_s + card(u"Slozka"_s) + u": je to složka"_s);
        QCOMPARE(errorOf([] { tablefile::LoadTable(u"/nonexistent/Karta.tbl"_s); }),
                 u"Nelze přečíst soubor /nonexistent/Karta.tbl: soubor nebo složka neexistuje"_s);
        QCOMPARE(errorOf([] { tablefile::SaveTable(u"/nonexistent/Karta.tbl"_s, {}); }),
                 u"Nelze zapsat soubor /nonexistent/Karta.tbl: soubor nebo složka neexistuje"_s);
        const QString temporary = cardarchive::temporaryCardPath(card(u"Nova"_s));
        QVERIFY(QDir().mkpath(temporary));
        QCOMPARE(
            errorOf([&] { cardarchive::createEmptyCardFile(dir_->library(), card(u"Nova"_s)); }),
            u"Nelze vytvořit soubor "_s + temporary + u": soubor už existuje"_s);
    }

    void aFullDiskDuringTheOpenIsNamedAndLeavesNoMember() {
        if (!mountSmallFileSystem(dir_->workDir(), 256))
            QSKIP("no tmpfs can be mounted here");
        testcards::writeArchive(
            dir_->library(), card(u"Karta"_s),
            {{u"Karta.tbl"_s, "a=1\r\n"_ba}, {u"Karta1.bmp"_s, ziptools::randomBytes(1 << 20, 9)}});
        QCOMPARE(unpackError(u"Karta"_s), u"Nelze zapsat soubor "_s + work(u"Karta1.bmp"_s) +
                                              u": na zařízení nezbývá volné místo"_s);
        QVERIFY(!QFileInfo::exists(work(u"Karta1.bmp"_s)));
        workdir::ClearWorkDir(dir_->workDir());
        QCOMPARE(entries(dir_->workDir()), QStringList());
    }

    void aFullDiskDuringTheSaveKeepsTheOldCardFile() {
        if (!mountSmallFileSystem(dir_->cardDir(), 128))
            QSKIP("no tmpfs can be mounted here");
        testcards::writeCard(*dir_, u"Karta"_s, {u"a=1"_s}, u"staré"_s);
        const QByteArray old = testcards::fileBytes(card(u"Karta"_s));
        tablefile::SaveTable(work(u"Karta.tbl"_s), {u"a=2"_s});
        notesfile::saveNotes(work(u"Karta.txt"_s), u"nové"_s);
        QFile picture(work(u"Karta1.bmp"_s));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(ziptools::randomBytes(1 << 20, 4));
        picture.close();
        CardWriter writer;
        const QString message = errorOf([&] {
            writer.packCard(dir_->library(), dir_->workDir(), u"Karta"_s, card(u"Karta"_s));
        });
        QVERIFY2(message.startsWith(u"Nelze zapsat soubor "_s +
                                    cardarchive::temporaryCardPath(card(u"Karta"_s))),
                 qPrintable(message));
        QVERIFY2(message.endsWith(u": na zařízení nezbývá volné místo"_s), qPrintable(message));
        QCOMPARE(testcards::fileBytes(card(u"Karta"_s)), old);
        QCOMPARE(entries(dir_->cardDir()), QStringList{u"Karta.krt"_s});
    }
};

QTEST_GUILESS_MAIN(TestStorageMessages)
#include "tst_core_cardmessages.moc"
