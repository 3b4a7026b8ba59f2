#include "storage/AppError.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// Every failure of the binding is an AppError with a readable text; a damaged
// archive is never taken for a good one.
class TestSevenZipErrors : public QObject {
    Q_OBJECT

    TestProgramDir program_;
    QTemporaryDir scratch_;

    QString dir() const { return scratch_.path() + u'/'; }
    QString write(const QString& name, const QByteArray& bytes) const {
        return ziptools::writeFile(dir() + name, bytes);
    }
    // An archive written by the binding whose second half is cut off.
    QString truncatedArchive() {
        const QByteArray noise = ziptools::randomBytes(20000, 3);
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        writer->QueueFile(write("noise.bmp", noise), "noise.bmp");
        writer->WriteArchive(dir() + "whole.krt");
        const QByteArray whole = testcards::fileBytes(dir() + "whole.krt");
        return write("truncated.krt", whole.left(whole.size() / 2));
    }

private slots:
    void loadingErrorsNameTheLibraryFile_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("message");
        // The loader's reason follows on a second line (see tst_sevenzip_loading).
        QTest::newRow("missing") << "missing"
                                 << "Error loading library 7z.so";
        QTest::newRow("no CreateObject") << "zlib"
                                         << "7z.so is not a 7z library";
        QTest::newRow("no GetHandlerProperty") << "stub"
                                               << "7z.so is not a Format library";
    }
    void loadingErrorsNameTheLibraryFile() {
        QFETCH(QString, library);
        QFETCH(QString, message);
        TestProgramDir program(false);
        if (library == "zlib") {
            QVERIFY(QFile::copy("/lib/x86_64-linux-gnu/libz.so.1", program.library()));
        } else if (library == "stub") {
            const auto run = ziptools::runProgram(
                "c++", {"-shared", "-fPIC", "-x", "c++", "-", "-o", program.library()},
                "extern \"C\" int CreateObject() { return 0; }\n");
            QVERIFY2(run.exitCode == 0, run.output.constData());
        }
        QCOMPARE(errorOf([&] {
                     sevenzip::MakeInArchive(program.library(), ZipFormatId);
                 }).section('\n', 0, 0),
                 message);
        QCOMPARE(errorOf([&] {
                     sevenzip::MakeOutArchive(program.library(), ZipFormatId);
                 }).section('\n', 0, 0),
                 message);
    }

    void openRejectsWhatIsNoSoundZip_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        const auto notZip = [](const QString& path) {
            return "Soubor karty " + path + " nelze přečíst: není to archiv Zip, nebo je poškozený";
        };
        const QString text = write("notes.krt", "Předmět=Hodnota\r\n");
        QTest::newRow("text file") << text << notZip(text);
        const QString empty = write("empty.krt", "");
        QTest::newRow("empty file") << empty << notZip(empty);
        const QString prefixed =
            write("prefixed.krt", QByteArray(100, 'j') + testcards::fileBytes(truncatedArchive()));
        QTest::newRow("junk before a zip") << prefixed << notZip(prefixed);
        QTest::newRow("truncated") << truncatedArchive()
                                   << "Soubor karty " + dir() +
                                          "truncated.krt nelze přečíst: archiv je poškozený "
                                          "(neočekávaný konec archivu)";
        QTest::newRow("missing") << dir() + "gone.krt"
                                 << "Nelze otevřít soubor " + dir() +
                                        "gone.krt: soubor nebo složka neexistuje";
        QTest::newRow("folder") << dir() << "Nelze otevřít soubor " + dir() + ": je to složka";
    }
    void openRejectsWhatIsNoSoundZip() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        QCOMPARE(errorOf([&] { reader->OpenArchive(path); }), message);
        QCOMPARE(reader->numberOfItems(), 0u);
        QCOMPARE(errorOf([&] { reader->ExtractAllTo(dir() + "never"); }),
                 "Není otevřen žádný archiv");
    }

    void damagedItemFailsWithItsName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");

        const QString crc = dir() + "crc.krt";
        ziptools::writeWithPython(crc, {{"ok.txt", "fine"}, {"NAME.tbl", QByteArray(64, 'A')}},
                                  false);
        ziptools::patchByte(crc, ziptools::findInFile(crc, QByteArray(64, 'A')) + 10, 'B');
        QTest::newRow("stored, bad CRC")
            << crc << "Soubor karty " + crc + " nelze přečíst: chyba CRC v položce NAME.tbl";

        const QString deflated = dir() + "deflated.krt";
        QByteArray text;
        for (int i = 0; i < 2000; ++i)
            text += QByteArray::number(i * 7919 % 10007);
        ziptools::writeWithPython(deflated, {{"NAME.txt", text}}, true);
        ziptools::patchByte(deflated, 30 + 8 + 200, 'Z');
        QTest::newRow("deflated, bad data")
            << deflated
            << "Soubor karty " + deflated + " nelze přečíst: chyba dat v položce NAME.txt";

        const QString method = dir() + "method.krt";
        ziptools::writeWithPython(method, {{"NAME1.bmp", "BM"}}, false);
        ziptools::patchByte(method, 8, 97); // local header: an unknown method
        ziptools::patchByte(method, ziptools::findInFile(method, "PK\x01\x02") + 10, 97);
        QTest::newRow("unknown method")
            << method
            << "Soubor karty " + method +
                   " nelze přečíst: položka NAME1.bmp je zkomprimována nepodporovanou metodou";

        write("secret.txt", "tajné");
        const auto zip = ziptools::runProgram(
            "zip", {"-q", "-P", "heslo", dir() + "encrypted.krt", "secret.txt"}, {}, dir());
        QVERIFY2(zip.exitCode == 0, zip.output.constData());
        QTest::newRow("encrypted") << dir() + "encrypted.krt"
                                   << "Soubor karty " + dir() +
                                          "encrypted.krt nelze přečíst: položka secret.txt je "
                                          "zašifrována (chybí heslo nebo je chybné)";
    }
    void damagedItemFailsWithItsName() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(path);
        QCOMPARE(errorOf([&] { reader->ExtractAllTo(dir() + "damaged"); }), message);
        QCOMPARE(errorOf([&] { reader->readItems([](const QString&) { return true; }); }), message);
    }

    void itemIndexIsChecked() {
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        QCOMPARE(errorOf([&] { reader->itemPath(0); }), "Archiv nemá položku číslo 0");
        ziptools::writeWithPython(dir() + "one.krt", {{"one.txt", "1"}}, false);
        reader->OpenArchive(dir() + "one.krt");
        QCOMPARE(reader->itemPath(0), "one.txt");
        QCOMPARE(errorOf([&] { reader->itemPath(1); }), "Archiv nemá položku číslo 1");
        QCOMPARE(errorOf([&] { reader->itemIsFolder(7); }), "Archiv nemá položku číslo 7");
    }

    void unpackFailsWhereAFileCannotBeCreated() {
        // Whatever stands where an item goes is replaced, but a file standing
        // where the item's folder must go is not: that is another item's data.
        ziptools::writeWithPython(dir() + "blocked.krt", {{"sub/NAME.tbl", "a=b"}}, false);
        const QString out = dir() + "blocked/";
        write("blocked/sub", "a file where the folder must go");
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(dir() + "blocked.krt");
        QCOMPARE(errorOf([&] { reader->ExtractAllTo(out); }),
                 "Nelze vytvořit složku " + out + "sub: část cesty není složka");
    }

    void writeFailuresNameTheFile() {
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        const QString target = dir() + "target.krt";
        QVERIFY(QDir().mkpath(target)); // a folder where the archive must go
        QCOMPARE(errorOf([&] { writer->WriteArchive(target); }),
                 "Nelze vytvořit soubor " + target + ": je to složka");

        const QString source = write("vanishing.txt", "soon gone");
        writer->QueueFile(source, "vanishing.txt");
        QFile::remove(source);
        QCOMPARE(errorOf([&] { writer->WriteArchive(dir() + "lost.krt"); }),
                 "Nelze otevřít soubor " + source + ": soubor nebo složka neexistuje");
    }

    void badPropertiesAndFormatsAreRefused() {
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        QCOMPARE(errorOf([&] { sevenzip::SetUIntProperty(*writer, "no-such-option", 1); }),
                 "Vlastnost archivu no-such-option nelze nastavit: neplatný argument");
        const TGUID unknownFormat{0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
        auto reader = sevenzip::MakeInArchive(program_.library(), unknownFormat);
        QCOMPARE(errorOf([&] { reader->OpenArchive(truncatedArchive()); }),
                 "Knihovna archivů nevytvořila objekt (CreateObject vrátila kód 0x80040111): "
                 "knihovna archivů nenabízí požadovaný formát");
    }
};

QTEST_MAIN(TestSevenZipErrors)
#include "tst_sevenzip_errors.moc"
