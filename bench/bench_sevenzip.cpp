#include "bench/Bench.h"
#include "storage/sevenzip/SevenZip.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

// A typical card: a 50-row table, a paragraph of notes and a 320 x 240 picture.
namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QImage photoLikePicture() {
    QImage image(320, 240, QImage::Format_RGB888);
    QRandomGenerator generator(5);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgb((x + generator.bounded(24)) % 256,
                                (y + generator.bounded(24)) % 256, (x + y) / 3 % 256));
    return image;
}

void makeCardMembers(const QString& dir) {
    QByteArray table;
    for (int row = 1; row <= 50; ++row)
        table += "Polo\x9Eka " + QByteArray::number(row) + "=hodnota " +
                 QByteArray::number(row * 37) + "\r\n";
    writeBytes(dir + "karta.tbl", table);
    writeBytes(dir + "karta.txt",
               QByteArray("Pozn\xE1mka ke kart\xEC, n\xECkolik v\xECt textu. ").repeated(12));
    photoLikePicture().save(dir + "karta1.bmp", "BMP");
}

void writeCard(const QString& library, const QString& dir, const QString& zip) {
    auto writer = sevenzip::MakeOutArchive(library, ZipFormatId);
    for (const char* member : {"karta.tbl", "karta.txt", "karta1.bmp"})
        writer->QueueFile(dir + member, QString::fromLatin1(member));
    sevenzip::SetArchiveLevel(*writer, 2);
    writer->WriteArchive(zip);
}

} // namespace

BENCHMARK("sevenzip card write and read") {
    QTemporaryDir scratch;
    const QString dir = scratch.path() + u'/';
    const QString library = dir + "7z.so";
    QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), library);
    makeCardMembers(dir);
    const QString zip = dir + "karta.krt";
    const int repeats = 40;

    bench::print(
        QStringLiteral("picture member: %1 bytes").arg(QFileInfo(dir + "karta1.bmp").size()));
    bench::print(
        QStringLiteral("write at level 2 (load, queue 3, write, fsync): %1 ms")
            .arg(bench::medianMs(repeats, [&] { writeCard(library, dir, zip); }), 0, 'f', 2));
    bench::print(QStringLiteral("card file: %1 bytes").arg(QFileInfo(zip).size()));
    bench::print(QStringLiteral("read back (load, open, unpack all): %1 ms")
                     .arg(bench::medianMs(repeats,
                                          [&] {
                                              auto reader =
                                                  sevenzip::MakeInArchive(library, ZipFormatId);
                                              reader->OpenArchive(zip);
                                              reader->ExtractAllTo(dir + "out");
                                          }),
                          0, 'f', 2));
    bench::print(QStringLiteral("search read (load, open, .tbl and .txt into memory): %1 ms")
                     .arg(bench::medianMs(repeats,
                                          [&] {
                                              auto reader =
                                                  sevenzip::MakeInArchive(library, ZipFormatId);
                                              reader->OpenArchive(zip);
                                              reader->readItems([](const QString& path) {
                                                  return !path.endsWith(QLatin1String(".bmp"));
                                              });
                                          }),
                          0, 'f', 3));
}
