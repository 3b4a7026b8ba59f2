#include "storage/AppError.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

// Archives written by the binding read back unchanged, through the binding and
// through Python's zipfile.
class TestSevenZipRoundTrip : public QObject {
    Q_OBJECT

    TestProgramDir program_;
    QTemporaryDir scratch_;

    QString dir() const { return scratch_.path() + u'/'; }
    QString write(const QString& name, const QByteArray& bytes) {
        return ziptools::writeFile(dir() + name, bytes);
    }
    QMap<QString, QByteArray> members() const {
        return {{QStringLiteral("Příliš žluťoučký kůň.tbl"), "Jméno=Ďábel\r\nVěk=12\r\n"},
                {QStringLiteral("Příliš žluťoučký kůň.txt"), QByteArray(5000, 'n')},
                {QStringLiteral("ÚPĚL ŇŮ1.bmp"), ziptools::randomBytes(200 * 1024, 7)},
                {QStringLiteral("prázdný.txt"), QByteArray()}};
    }
    // Writes the members into `zip`, each from its own source file.
    void writeArchive(const QMap<QString, QByteArray>& contents, const QString& zip,
                      quint32 level = 2) {
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        int n = 0;
        for (auto it = contents.begin(); it != contents.end(); ++it)
            writer->QueueFile(write(QStringLiteral("source%1").arg(n++), it.value()), it.key());
        sevenzip::SetArchiveLevel(*writer, level);
        writer->WriteArchive(zip);
    }

private slots:
    void czechNamesAndDataSurviveWriteAndUnpack() {
        const QString zip = dir() + "card.krt";
        const QMap<QString, QByteArray> written = members();
        writeArchive(written, zip);

        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        QCOMPARE(reader->numberOfItems(), quint32(written.size()));
        QStringList paths;
        for (quint32 i = 0; i < reader->numberOfItems(); ++i) {
            paths << reader->itemPath(i);
            QVERIFY(!reader->itemIsFolder(i));
        }
        QCOMPARE(QSet<QString>(paths.begin(), paths.end()),
                 QSet<QString>(written.keyBegin(), written.keyEnd()));
        reader->ExtractAllTo(dir() + "out");
        QCOMPARE(ziptools::filesBelow(dir() + "out"), written);
    }

    void namesCarryTheUtf8FlagAndUnixPermissions() {
        const QString zip = dir() + "flags.krt";
        writeArchive({{QStringLiteral("Žába.tbl"), "x"}, {QStringLiteral("plain.txt"), "y"}}, zip);
        for (const QJsonValue& value : ziptools::readWithPython(zip)) {
            const QJsonObject entry = value.toObject();
            const bool ascii = entry["name"].toString() == "plain.txt";
            QCOMPARE(entry["flag_bits"].toInt() & 0x800, ascii ? 0 : 0x800);
            const quint32 attributes = quint32(entry["external_attr"].toDouble());
            QCOMPARE(attributes >> 16, quint32(S_IFREG | 0644));
            QCOMPARE(attributes & 0x20, 0x20u);
        }
    }

    void modificationTimeIsStored() {
        const QString source = write("timed.txt", "t");
        const QDateTime stamp(QDate(2019, 7, 14), QTime(15, 30, 20));
        QFile file(source);
        file.open(QIODevice::ReadWrite);
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
        file.close();
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        writer->QueueFile(source, "timed.txt");
        writer->WriteArchive(dir() + "timed.krt");
        const QJsonArray stored =
            ziptools::readWithPython(dir() + "timed.krt")[0].toObject()["date_time"].toArray();
        QCOMPARE(stored, (QJsonArray{2019, 7, 14, 15, 30, 20})); // DOS time is local time
    }

    void levelsTwoAndThreeWriteDeflate_data() {
        QTest::addColumn<quint32>("level");
        QTest::newRow("save a card") << 2u;
        QTest::newRow("new card file") << 3u;
    }
    void levelsTwoAndThreeWriteDeflate() {
        QFETCH(quint32, level);
        const QString zip = dir() + QStringLiteral("level%1.krt").arg(level);
        const QByteArray text = QByteArray("Předmět=Hodnota\r\n").repeated(300);
        writeArchive({{"a.tbl", text}}, zip, level);
        const QJsonObject entry = ziptools::readWithPython(zip)[0].toObject();
        QCOMPARE(entry["compress_type"].toInt(), 8); // ZIP_DEFLATED
        QCOMPARE(QByteArray::fromHex(entry["data"].toString().toLatin1()), text);
        QVERIFY(QFileInfo(zip).size() < text.size() / 4);
    }

    void emptyQueueGivesAnEmptyZip() {
        const QString zip = dir() + "empty.krt";
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        sevenzip::SetArchiveLevel(*writer, 3);
        writer->WriteArchive(zip);
        QCOMPARE(QFileInfo(zip).size(), 22); // the end-of-central-directory record alone
        QCOMPARE(ziptools::readWithPython(zip).size(), 0);

        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        QCOMPARE(reader->numberOfItems(), 0u);
        reader->ExtractAllTo(dir() + "emptyout");
        QVERIFY(ziptools::filesBelow(dir() + "emptyout").isEmpty());
        QVERIFY(reader->readItems([](const QString&) { return true; }).isEmpty());
    }

    void missingSourceQueuesNothing() {
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        writer->QueueFile(dir() + "no such file.bmp", "card1.bmp");
        writer->QueueFile(dir(), "a folder is no file");
        writer->QueueFile(write("present.txt", "here"), "card.txt");
        QCOMPARE(writer->queue().size(), std::size_t(1));
        writer->WriteArchive(dir() + "partial.krt");
        const QJsonArray entries = ziptools::readWithPython(dir() + "partial.krt");
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].toObject()["name"].toString(), "card.txt");
    }

    void writeReplacesALongerFileWhole() {
        const QString zip = write("old.krt", QByteArray(100000, 'o'));
        writeArchive({{"a.txt", "new"}}, zip);
        QVERIFY(QFileInfo(zip).size() < 1000); // no tail of the old content
        QCOMPARE(ziptools::readWithPython(zip).size(), 1);
    }

    void oneWriterWritesTwice() {
        auto writer = sevenzip::MakeOutArchive(program_.library(), ZipFormatId);
        writer->QueueFile(write("twice.txt", "twice"), "twice.txt");
        sevenzip::SetArchiveLevel(*writer, 2);
        writer->WriteArchive(dir() + "first.krt");
        writer->WriteArchive(dir() + "second.krt");
        QCOMPARE(ziptools::readWithPython(dir() + "second.krt"),
                 ziptools::readWithPython(dir() + "first.krt"));
    }

    void readItemsUnpacksOnlyWantedItemsInArchiveOrder() {
        const QString zip = dir() + "search.krt";
        ziptools::writeWithPython(zip,
                                  {{"karta.txt", "notes"},
                                   {"karta1.bmp", ziptools::randomBytes(1000, 7)},
                                   {"sub/", {}},
                                   {"karta.tbl", "a=b"}},
                                  true);
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        QStringList asked;
        const auto items = reader->readItems([&](const QString& path) {
            asked << path;
            return !path.endsWith(".bmp");
        });
        QCOMPARE(asked, (QStringList{"karta.txt", "karta1.bmp", "karta.tbl"})); // no folders
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0], (QPair<QString, QByteArray>("karta.txt", "notes")));
        QCOMPARE(items[1], (QPair<QString, QByteArray>("karta.tbl", "a=b")));
    }

    void unpackReplacesFilesAndCreatesOnlyItemFolders() {
        const QString zip = dir() + "folders.krt";
        ziptools::writeWithPython(
            zip, {{"a/b/deep.txt", "deep"}, {"emptydir/", {}}, {"top.txt", "new top"}}, false);
        const QString out = dir() + "foldersout/";
        QDir().mkpath(out);
        QFile old(out + "top.txt");
        old.open(QIODevice::WriteOnly);
        old.write(QByteArray(5000, 'x'));
        old.close();

        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        QCOMPARE(reader->numberOfItems(), 3u);
        QVERIFY(reader->itemIsFolder(1));
        reader->ExtractAllTo(out);
        QCOMPARE(ziptools::filesBelow(out),
                 (QMap<QString, QByteArray>{{"a/b/deep.txt", "deep"}, {"top.txt", "new top"}}));
        QVERIFY(!QFileInfo::exists(out + "emptydir"));
    }
};

QTEST_MAIN(TestSevenZipRoundTrip)
#include "tst_sevenzip_roundtrip.moc"
