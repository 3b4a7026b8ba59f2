#include "storage/AppError.h"
#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/SevenZip.h"
#include "storage/sevenzip/T7zFileInStream.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sevenzip;

// The stream the library reads card files through serves small reads from a
// window of the file and large ones directly, opened with one open and one
// fstat: whatever the mix of reads and seeks, the library gets the file's
// bytes, and nothing past the size the file had when opened.
class TestSevenZipFileStream : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    TestProgramDir program_;

    QString path(const char* name) const { return scratch_.filePath(QString::fromLatin1(name)); }

    static ComPtr<T7zFileInStream> open(const QString& file) {
        return makeCom<T7zFileInStream>(openRegularFile(file), file,
                                        std::make_shared<OperationError>());
    }

    static QByteArray readAt(T7zFileInStream& stream, qint64 offset, quint32 origin, quint32 size) {
        quint64 position = 0;
        if (stream.Seek(offset, origin, &position) != S_OK)
            return "seek failed";
        QByteArray bytes(qsizetype(size), '\0');
        quint32 got = 0;
        if (stream.Read(bytes.data(), size, &got) != S_OK)
            return "read failed";
        bytes.resize(got);
        return bytes;
    }

private slots:
    // Reads as the library makes them: a signature at the start, a large block
    // from the end, headers walked a few bytes at a time across the window's
    // edge, and reads that run into the end of the file.
    void everyReadGivesTheFilesBytes() {
        const QByteArray bytes = ziptools::randomBytes(200'000, 7);
        const QString file = ziptools::writeFile(path("card.krt"), bytes);
        const ComPtr<T7zFileInStream> stream = open(file);
        quint64 size = 0;
        QCOMPARE(stream->GetSize(&size), S_OK);
        QCOMPARE(size, quint64(bytes.size()));

        QCOMPARE(readAt(*stream, 0, 0, 4), bytes.left(4));
        QCOMPARE(readAt(*stream, -131072, 2, 131072), bytes.right(131072));
        for (qint64 at = 16'000; at < 17'000; at += 37)
            QCOMPARE(readAt(*stream, at, 0, 46), bytes.mid(at, 46));
        QCOMPARE(readAt(*stream, 17'000, 0, 42), bytes.mid(17'000, 42));
        QCOMPARE(readAt(*stream, 5, 1, 100), bytes.mid(17'047, 100)); // from the position
        QCOMPARE(readAt(*stream, -10, 2, 64), bytes.right(10));
        QCOMPARE(readAt(*stream, 0, 2, 64), QByteArray());
        QCOMPARE(readAt(*stream, 300'000, 0, 20'000), QByteArray());
        QCOMPARE(readAt(*stream, 1000, 0, 180'000), bytes.mid(1000, 180'000));
    }

    // A file cut short after it was opened gives what is left, without error;
    // one that grew gives no more than it had.
    void aFileChangedAfterOpeningIsReadAsFarAsItGoes() {
        const QByteArray bytes = ziptools::randomBytes(50'000, 8);
        const QString file = ziptools::writeFile(path("changing.krt"), bytes);
        const ComPtr<T7zFileInStream> shrinking = open(file);
        QVERIFY(::truncate(QFile::encodeName(file).constData(), 30'000) == 0);
        QCOMPARE(readAt(*shrinking, 20'000, 0, 15'000), bytes.mid(20'000, 10'000));

        const ComPtr<T7zFileInStream> growing = open(file);
        QFile appended(file);
        QVERIFY(appended.open(QIODevice::Append));
        appended.write(bytes.right(5'000));
        appended.close();
        QCOMPARE(readAt(*growing, 25'000, 0, 20'000), bytes.mid(25'000, 5'000));
    }

    // The library's search for the archive's end reads a large block from the
    // file's end, of which only the end record and the directory count: a
    // card file with a large picture, one with a comment after the end record
    // and one whose directory is longer than the end read all list every item
    // and give the text members as written.
    void everyArchiveLayoutReadsWhole() {
        const QByteArray notes = "Poznámky\r\nzlatokop";
        const QByteArray table = "Klíč=hodnota";
        QList<ziptools::Entry> card = {
            {QStringLiteral("Karta.txt"), notes},
            {QStringLiteral("Karta.tbl"), table},
            {QStringLiteral("Karta.jpg"), ziptools::randomBytes(200'000, 9)}};
        const QString plain = path("plain.krt");
        ziptools::writeWithPython(plain, card, false);

        QFile plainFile(plain);
        QVERIFY(plainFile.open(QIODevice::ReadOnly));
        QByteArray commented = plainFile.readAll();
        const QByteArray comment = "PK\5\6 komentář archivu";
        commented[commented.size() - 2] = char(comment.size());
        commented += comment;
        const QString withComment = ziptools::writeFile(path("comment.krt"), commented);

        QList<ziptools::Entry> many = card;
        for (int i = 0; i < 300; ++i)
            many.append({QStringLiteral("slozka/dlouhy nazev polozky cislo %1.dat").arg(i), "x"});
        const QString longDirectory = path("many.krt");
        ziptools::writeWithPython(longDirectory, many, true);

        const QList<QPair<QString, int>> archives = {
            {plain, 3}, {withComment, 3}, {longDirectory, 303}};
        for (const auto& [file, items] : archives) {
            const T7zInArchivePtr reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
            reader->OpenArchive(file);
            QCOMPARE(int(reader->numberOfItems()), items);
            const auto texts = reader->readItems(
                [](const QString& item) { return item.startsWith(QStringLiteral("Karta.t")); });
            QCOMPARE(texts.size(), 2);
            QCOMPARE(texts[0].second, notes);
            QCOMPARE(texts[1].second, table);
        }
    }

    // What is not a regular file is refused at once with its kind named.
    void onlyRegularFilesOpen() {
        QVERIFY(QDir(scratch_.path()).mkdir(QStringLiteral("folder.krt")));
        QVERIFY(::mkfifo(QFile::encodeName(path("fifo.krt")).constData(), 0600) == 0);
        const QList<QPair<QString, QString>> refused = {
            {path("folder.krt"), QStringLiteral("je to složka")},
            {path("fifo.krt"), QStringLiteral("je to pojmenovaná roura (FIFO)")},
            {path("missing.krt"), QString()},
        };
        for (const auto& [file, kind] : refused) {
            try {
                openRegularFile(file);
                QFAIL(qPrintable(file + QStringLiteral(" opened")));
            } catch (const AppError& error) {
                QVERIFY2(error.text().startsWith(
                             QStringLiteral("Nelze otevřít soubor %1: %2").arg(file, kind)),
                         qPrintable(error.text()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSevenZipFileStream)
#include "tst_sevenzip_filestream.moc"
