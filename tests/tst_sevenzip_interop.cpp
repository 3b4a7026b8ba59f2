#include "storage/AppError.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

using Files = QMap<QString, QByteArray>;

// Archives written by the binding satisfy independent Zip tools, and archives
// those tools write read back through the binding.
class TestSevenZipInterop : public QObject {
    Q_OBJECT

    TestProgramDir program_;
    QTemporaryDir scratch_;

    QString dir() const { return scratch_.path() + u'/'; }
    static Files cardFiles() {
        const QByteArray picture = ziptools::randomBytes(60000, 11);
        return {{QStringLiteral("Žluťoučký kůň.tbl"), QByteArray("Barva=hnědá\r\n").repeated(50)},
                {QStringLiteral("Žluťoučký kůň.txt"), QByteArray("Poznámka. ").repeated(80)},
                {QStringLiteral("Žluťoučký kůň1.bmp"), picture},
                {QStringLiteral("sub/inner.txt"), "inner"}};
    }
    static void writeFiles(const QString& root, const Files& files) {
        for (auto it = files.begin(); it != files.end(); ++it)
            ziptools::writeFile(root + it.key(), it.value());
    }

private slots:
    void ourArchivePassesZipTesters() {
        const QString source = dir() + "source/";
        writeFiles(source, cardFiles());
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        for (const QString& name : cardFiles().keys())
            writer->QueueFile(source + name, name);
        sevenzip::SetArchiveLevel(*writer, 2);
        const QString zip = dir() + "ours.krt";
        writer->WriteArchive(zip);

        const auto unzip = ziptools::runProgram("unzip", {"-t", zip});
        QVERIFY2(unzip.exitCode == 0, unzip.output.constData());
        const auto python = ziptools::runProgram("python3", {"-m", "zipfile", "-t", zip});
        QVERIFY2(python.exitCode == 0 && !python.output.contains("Error"),
                 python.output.constData());
        const auto extracted = ziptools::runProgram("unzip", {"-q", zip, "-d", dir() + "byunzip"});
        QVERIFY2(extracted.exitCode == 0, extracted.output.constData());
        QCOMPARE(ziptools::filesBelow(dir() + "byunzip/"), cardFiles());
    }

    void foreignArchivesReadBack_data() {
        QTest::addColumn<QString>("zip");
        const QString source = dir() + "foreign/";
        writeFiles(source, cardFiles());
        for (const char* level : {"-0", "-9"}) {
            const QString zip = dir() + QStringLiteral("infozip%1.krt").arg(level);
            const auto run = ziptools::runProgram("zip", {"-q", "-r", level, zip, "."}, {}, source);
            QVERIFY2(run.exitCode == 0, run.output.constData());
            QTest::addRow("Info-ZIP zip %s", level) << zip;
        }
        for (const bool deflated : {false, true}) {
            QList<ziptools::Entry> entries;
            const Files files = cardFiles();
            for (auto it = files.begin(); it != files.end(); ++it)
                entries.append({it.key(), it.value()});
            const QString zip = dir() + QStringLiteral("python%1.krt").arg(deflated);
            ziptools::writeWithPython(zip, entries, deflated);
            QTest::addRow("Python zipfile %s", deflated ? "deflated" : "stored") << zip;
        }
    }
    void foreignArchivesReadBack() {
        QFETCH(QString, zip);
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        const QString out = dir() + "out-" + QFileInfo(zip).baseName() + u'/';
        reader->ExtractAllTo(out);
        QCOMPARE(ziptools::filesBelow(out), cardFiles());

        const auto items = reader->readItems([](const QString&) { return true; });
        Files read;
        for (const auto& [path, data] : items)
            read.insert(path, data);
        QCOMPARE(read, cardFiles());
    }

    // A search loads the library once and each of its threads keeps one
    // reader from one archive file to the next, damaged files among them.
    void oneLibraryAndOneReaderPerThreadForManyArchives() {
        const Files files = cardFiles();
        QList<ziptools::Entry> entries;
        for (auto it = files.begin(); it != files.end(); ++it)
            entries.append({it.key(), it.value()});
        QStringList archives;
        for (const bool deflated : {false, true}) {
            archives << dir() + QStringLiteral("turn%1.krt").arg(deflated);
            ziptools::writeWithPython(archives.last(), entries, deflated);
        }
        const QString damaged = ziptools::writeFile(dir() + "damaged.krt", "PK\x03\x04 broken");

        const T7zLibraryPtr library = sevenzip::loadArchiveLibrary(program_.library());
        std::atomic<int> goodReads = 0;
        std::atomic<int> failures = 0;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&] {
                T7zInArchivePtr reader = sevenzip::MakeInArchive(library, ZipFormatId);
                for (int round = 0; round < 20; ++round) {
                    try {
                        reader->OpenArchive(round % 5 == 4 ? damaged : archives[round % 2]);
                        Files read;
                        for (const auto& [path, data] :
                             reader->readItems([](const QString&) { return true; }))
                            read.insert(path, data);
                        goodReads += read == files ? 1 : 0;
                    } catch (const AppError&) {
                        ++failures;
                    }
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(goodReads.load(), 4 * 16);
        QCOMPARE(failures.load(), 4 * 4);
    }
};

QTEST_MAIN(TestSevenZipInterop)
#include "tst_sevenzip_interop.moc"
