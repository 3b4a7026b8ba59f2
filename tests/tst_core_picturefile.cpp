#include "core/ExifOrientation.h"
#include "core/JpegDecoder.h"
#include "core/PictureChoice.h"
#include "core/PictureFile.h"
#include "storage/AppError.h"
#include "tests/support/TestCards.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include <jpeglib.h>

Q_DECLARE_METATYPE(PictureFileType)

namespace {

using testcards::fileBytes;
using testcards::filledImage;

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A CMYK JPEG as a print-oriented program writes it, with inverted values.
void writeCmykJpeg(const QString& path, QSize size, const uchar inverted[4]) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = size.width();
    info.image_height = size.height();
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(size.width() * 4, '\0');
    for (int x = 0; x < size.width(); ++x)
        std::copy(inverted, inverted + 4, row.data() + 4 * x);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// The JPEG with an EXIF segment (APP1) holding only the orientation mark,
// put right after the start of the image, as cameras write it.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation, bool bigEndian = false) {
    QByteArray tiff;
    QDataStream out(&tiff, QIODevice::WriteOnly);
    out.setByteOrder(bigEndian ? QDataStream::BigEndian : QDataStream::LittleEndian);
    out.writeRawData(bigEndian ? "MM" : "II", 2);
    out << quint16(42) << quint32(8);                        // header, first directory at 8
    out << quint16(1);                                       // one entry
    out << quint16(0x0112) << quint16(3) << quint32(1);      // orientation, SHORT, one value
    out << quint16(orientation) << quint16(0) << quint32(0); // value, padding, no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1");
    segment.append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 0xFF));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

// The picture as a camera stores it under the orientation mark, pixel by
// pixel from the mark's definition: where the stored pixel of each upright one lies.
QImage storedUnder(const QImage& upright, int orientation) {
    const int w = upright.width();
    const int h = upright.height();
    const bool lying = orientation >= 5;
    QImage stored(lying ? h : w, lying ? w : h, QImage::Format_RGB32);
    const int sw = stored.width();
    const int sh = stored.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QPoint at[] = {
                {x, y}, {sw - 1 - x, y}, {sw - 1 - x, sh - 1 - y}, {x, sh - 1 - y},
                {y, x}, {y, sh - 1 - x}, {sw - 1 - y, sh - 1 - x}, {sw - 1 - y, x}};
            stored.setPixel(at[orientation - 1], upright.pixel(x, y));
        }
    }
    return stored;
}

bool near(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) < 8 && qAbs(qGreen(a) - qGreen(b)) < 8 &&
           qAbs(qBlue(a) - qBlue(b)) < 8;
}

} // namespace

// Reading a chosen picture file and storing it as the card's 320 x 240 BMP member.
class TestPictureFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString dir() const { return dir_.path() + u'/'; }
    QString member() const { return dir() + QStringLiteral("Karta1.bmp"); }

    QString jpegFile(const QString& name, QSize size, QColor color) const {
        const QString path = dir() + name;
        filledImage(size, color).save(path, "JPG", 95);
        return path;
    }

    QStringList filesInDir() const {
        return QDir(dir()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private slots:
    void cleanup() {
        for (const QString& name : filesInDir())
            QFile::remove(dir() + name);
    }

    void typeByExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<PictureFileType>("type");
        QTest::newRow(".JPEG") << "/data/foto.JPEG" << PictureFileType::Jpeg;
        QTest::newRow(".jpg") << "/data/foto.jpg" << PictureFileType::Jpeg;
        QTest::newRow(".Jpeg") << "/data/foto.Jpeg" << PictureFileType::Jpeg;
        QTest::newRow(".BMP") << "/data/FOTO.BMP" << PictureFileType::Bmp;
        QTest::newRow(".png") << "/data/foto.png" << PictureFileType::Image;
        QTest::newRow(".WebP") << "/data/foto.WebP" << PictureFileType::Image;
        QTest::newRow(".tif") << "/data/foto.tif" << PictureFileType::Image;
        QTest::newRow(".gif") << "/data/foto.gif" << PictureFileType::Image;
        QTest::newRow(".doc") << "/data/foto.doc" << PictureFileType::Other;
        QTest::newRow("last extension counts") << "/data/foto.jpg.txt" << PictureFileType::Other;
        QTest::newRow("no extension") << "/data/foto" << PictureFileType::Other;
        QTest::newRow("dot in the folder only") << "/data/a.jpg/foto" << PictureFileType::Other;
    }
    void typeByExtension() {
        QFETCH(QString, path);
        QFETCH(PictureFileType, type);
        QCOMPARE(picturefile::pictureFileTypeOf(path), type);
    }

    // Every file the picture filters offer takes a picture path; "all files"
    // offers the rest. The first filter, selected at first, offers every
    // format the image readers know, in both letter cases.
    void dialogFiltersMatchPicturePaths() {
        const QStringList filters = picturechoice::pictureDialogFilters();
        QCOMPARE(filters.size(), 5);
        QVERIFY(filters.first().startsWith(u"Všechny obrázky ("));
        QCOMPARE(filters.at(1), "Obrázky JPG, BMP (*.bmp *.BMP *.JPG *.jpg *.JPEG *.jpeg)");
        QCOMPARE(filters.last(), "Všechny soubory (*)");
        const QStringList firstPatterns = filters.first().section(u'(', 1).chopped(1).split(u' ');
        for (const char* pattern : {"*.png", "*.PNG", "*.webp", "*.WEBP", "*.tiff", "*.gif"})
            QVERIFY2(firstPatterns.contains(QString::fromLatin1(pattern)), pattern);
        for (const QString& filter : filters.mid(0, 4)) {
            for (const QString& pattern : filter.section(u'(', 1).chopped(1).split(u' '))
                QVERIFY(picturefile::pictureFileTypeOf("/d/foto" + pattern.mid(1)) !=
                        PictureFileType::Other);
        }
    }

    void otherExtensionWritesNothing() {
        const QString doc = dir() + QStringLiteral("foto.doc");
        filledImage(QSize(40, 30), Qt::red).save(doc, "PNG");
        QVERIFY(!picturefile::storePictureFile(doc, dir(), QStringLiteral("Karta1.bmp")));
        QVERIFY(!QFile::exists(member()));
    }

    // Formats read by Qt's image readers become the same 320 x 240 member.
    void readerFormatsBecomeBmpMember_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << "foto.png" << QByteArray("PNG");
        QTest::newRow("WebP") << "foto.WEBP" << QByteArray("WEBP");
        QTest::newRow("TIFF") << "foto.tif" << QByteArray("TIFF");
    }
    void readerFormatsBecomeBmpMember() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QImage picture(480, 640, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPainter(&picture).fillRect(0, 0, 480, 320, Qt::red); // red above, blue below
        QVERIFY(picture.save(dir() + name, format.constData(), 100));
        QVERIFY(picturefile::storePictureFile(dir() + name, dir(), QStringLiteral("Karta1.bmp")));
        const QImage saved(member());
        QCOMPARE(saved.size(), QSize(320, 240));
        QCOMPARE(saved.pixel(69, 120), qRgb(255, 255, 255));
        QVERIFY(near(saved.pixel(160, 60), qRgb(255, 0, 0)));
        QVERIFY(near(saved.pixel(160, 180), qRgb(0, 0, 255)));
        QCOMPARE(saved.pixel(250, 120), qRgb(255, 255, 255));
    }

    // A phone photo lying on its side, marked "turn 90° clockwise": the
    // member holds it upright, a landscape picture red above and blue below.
    void jpegTurnedAsItsExifSays() {
        QImage upright(600, 400, QImage::Format_RGB32);
        upright.fill(Qt::blue);
        QPainter(&upright).fillRect(0, 0, 600, 200, Qt::red);
        const QImage lying = upright.transformed(QTransform().rotate(-90));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(lying.save(&buffer, "JPG", 95));
        const QString path = dir() + QStringLiteral("telefon.jpg");
        writeBytes(path, withExifOrientation(buffer.data(), 6));

        QVERIFY(picturefile::storePictureFile(path, dir(), QStringLiteral("Karta1.bmp")));
        const QImage saved(member());
        QCOMPARE(saved.size(), QSize(320, 240));
        // 600 x 400 fills 320 x 213 at top 13.
        QCOMPARE(saved.pixel(160, 12), qRgb(255, 255, 255));
        QVERIFY(near(saved.pixel(10, 40), qRgb(255, 0, 0)));
        QVERIFY(near(saved.pixel(310, 40), qRgb(255, 0, 0)));
        QVERIFY(near(saved.pixel(10, 200), qRgb(0, 0, 255)));
        QVERIFY(near(saved.pixel(310, 200), qRgb(0, 0, 255)));
        QCOMPARE(saved.pixel(160, 227), qRgb(255, 255, 255));
    }

    // Each of the eight orientations, in either byte order of the EXIF data,
    // brings the corner marked red back to the top left.
    void everyExifOrientationStandsUpright_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("bigEndian");
        for (int orientation = 1; orientation <= 8; ++orientation) {
            for (const bool bigEndian : {false, true}) {
                QTest::addRow("%d %s", orientation, bigEndian ? "MM" : "II")
                    << orientation << bigEndian;
            }
        }
    }
    void everyExifOrientationStandsUpright() {
        QFETCH(int, orientation);
        QFETCH(bool, bigEndian);
        QImage upright(64, 32, QImage::Format_RGB32);
        upright.fill(Qt::white);
        QPainter(&upright).fillRect(0, 0, 16, 16, Qt::red);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(storedUnder(upright, orientation).save(&buffer, "JPG", 100));
        const QByteArray jpeg = withExifOrientation(buffer.data(), orientation, bigEndian);
        QCOMPARE(exiforientation::ofJpeg(jpeg), orientation);
        const QString path = dir() + QStringLiteral("foto.jpg");
        writeBytes(path, jpeg);
        const DecodedJpeg decoded = jpegdecoder::decodeJpegFile(path);
        QCOMPARE(decoded.image.size(), QSize(64, 32));
        QCOMPARE(decoded.fullSize, QSize(64, 32));
        QVERIFY(near(decoded.image.pixel(4, 4), qRgb(255, 0, 0)));
        QVERIFY(near(decoded.image.pixel(59, 27), qRgb(255, 255, 255)));
        QVERIFY(near(decoded.image.pixel(59, 4), qRgb(255, 255, 255)));
        QVERIFY(near(decoded.image.pixel(4, 27), qRgb(255, 255, 255)));
    }

    // A file no reader can read is named in a Czech message; nothing is written.
    void unreadablePictureNamesTheFile() {
        const QString path = dir() + QStringLiteral("rozbitý.png");
        writeBytes(path, "\x89PNG\r\n\x1a\n but nothing more");
        try {
            picturefile::storePictureFile(path, dir(), QStringLiteral("Karta1.bmp"));
            QFAIL("an unreadable picture was accepted");
        } catch (const AppError& e) {
            QVERIFY2(
                e.text().startsWith(QStringLiteral("Obrázek \"%1\" nelze přečíst: ").arg(path)),
                qPrintable(e.text()));
        }
        QVERIFY(!QFile::exists(member()));
    }

    // The saved member is a 24-bit BMP of 320 x 240 that loads back.
    void jpegBecomesBmpMember() {
        const QString jpeg = jpegFile(QStringLiteral("foto.JPEG"), QSize(1920, 1080), Qt::black);
        QVERIFY(picturefile::storePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
        const QByteArray bytes = fileBytes(member());
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        const QImage saved(member());
        QCOMPARE(saved.size(), QSize(320, 240));
        // The letterbox of a 16:9 photo survives the reduced-scale decoding.
        QCOMPARE(saved.pixel(160, 29), qRgb(255, 255, 255));
        QVERIFY(qGray(saved.pixel(160, 30)) < 40);
        QVERIFY(qGray(saved.pixel(160, 208)) < 40);
        QCOMPARE(saved.pixel(160, 209), qRgb(255, 255, 255));
        QCOMPARE(filesInDir(), QStringList({"Karta1.bmp", "foto.JPEG"}));
    }

    void bmpBecomesBmpMember() {
        const QString bmp = dir() + QStringLiteral("foto.BMP");
        filledImage(QSize(480, 640), Qt::blue).save(bmp, "BMP");
        QVERIFY(picturefile::storePictureFile(bmp, dir(), QStringLiteral("Karta1.bmp")));
        const QImage saved(member());
        QCOMPARE(saved.size(), QSize(320, 240));
        QCOMPARE(saved.pixel(69, 120), qRgb(255, 255, 255));
        QCOMPARE(saved.pixel(70, 120), qRgb(0, 0, 255));
        QCOMPARE(saved.pixel(249, 120), qRgb(0, 0, 255));
        QCOMPARE(saved.pixel(250, 120), qRgb(255, 255, 255));
    }

    // A corrupt file reports the decoder's own words, naming the file, and leaves the previous
    // picture file as it was, without a temporary file beside it.
    void corruptFileKeepsPreviousPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("not a JPEG") << "foto.jpg" << QByteArray("not a picture at all")
                                    << "Not a JPEG file: starts with 0x6e 0x6f";
        QTest::newRow("empty JPEG") << "foto.jpg" << QByteArray() << "Empty input file";
        QTest::newRow("damaged BMP")
            << "foto.bmp" << QByteArray("BM\x10\0\0\0garbage", 13) << "Unable to read image data";
    }
    void corruptFileKeepsPreviousPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QByteArray previous = "previous picture";
        writeBytes(member(), previous);
        writeBytes(dir() + name, content);
        try {
            picturefile::storePictureFile(dir() + name, dir(), QStringLiteral("Karta1.bmp"));
            QFAIL("a corrupt picture was accepted");
        } catch (const AppError& e) {
            QCOMPARE(e.text(),
                     QStringLiteral("Obrázek \"%1\" nelze přečíst: %2").arg(dir() + name, error));
        }
        QCOMPARE(fileBytes(member()), previous);
        QCOMPARE(filesInDir(), QStringList({"Karta1.bmp", name}));
    }

    void unwritableTargetKeepsItsPlace() {
        QVERIFY(QDir().mkpath(member()));
        const QString jpeg = jpegFile(QStringLiteral("foto.jpg"), QSize(64, 48), Qt::red);
        QVERIFY_THROWS_EXCEPTION(
            AppError, picturefile::storePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
        QVERIFY(QFileInfo(member()).isDir());
        QCOMPARE(filesInDir(), QStringList({"foto.jpg"}));
        QDir(member()).removeRecursively();
    }

    // One member, whatever case the card file's archive gave it.
    void replacesMemberSpelledInOtherCase() {
        writeBytes(dir() + QStringLiteral("KARTA1.BMP"), "old");
        const QString jpeg = jpegFile(QStringLiteral("foto.jpg"), QSize(64, 48), Qt::red);
        QVERIFY(picturefile::storePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
        QCOMPARE(filesInDir(), QStringList({"Karta1.bmp", "foto.jpg"}));
    }

    void removesPictureInAnyCase() {
        QCOMPARE(picturefile::removePictureFile(dir(), QStringLiteral("Karta1.bmp")),
                 PictureRemoval::NoPicture);
        writeBytes(dir() + QStringLiteral("KARTA1.BMP"), "picture");
        QCOMPARE(picturefile::removePictureFile(dir(), QStringLiteral("Karta1.bmp")),
                 PictureRemoval::Removed);
        QVERIFY(filesInDir().isEmpty());
    }

    void decodesAtReducedScaleOnlyWhenAsked() {
        const QString jpeg = jpegFile(QStringLiteral("big.jpg"), QSize(1920, 1080), Qt::green);
        const DecodedJpeg full = jpegdecoder::decodeJpegFile(jpeg);
        QCOMPARE(full.image.size(), QSize(1920, 1080));
        const DecodedJpeg reduced =
            jpegdecoder::decodeJpegFile(jpeg, [](QSize) { return QSize(320, 179); });
        QCOMPARE(reduced.fullSize, QSize(1920, 1080));
        QCOMPARE(reduced.image.size(), QSize(480, 270));
    }

    void decodesGrayAndCmyk() {
        const QString gray = dir() + QStringLiteral("gray.jpg");
        filledImage(QSize(32, 32), QColor(128, 128, 128))
            .convertToFormat(QImage::Format_Grayscale8)
            .save(gray, "JPG", 100);
        const QImage grayImage = jpegdecoder::decodeJpegFile(gray).image;
        QVERIFY(near(grayImage.pixel(5, 5), qRgb(128, 128, 128)));

        const uchar red[4] = {255, 0, 0, 255}; // no cyan, full magenta and yellow, no black
        const QString cmyk = dir() + QStringLiteral("cmyk.jpg");
        writeCmykJpeg(cmyk, QSize(32, 32), red);
        const QImage cmykImage = jpegdecoder::decodeJpegFile(cmyk).image;
        QVERIFY(near(cmykImage.pixel(5, 5), qRgb(255, 0, 0)));
    }
};

QTEST_MAIN(TestPictureFile)
#include "tst_core_picturefile.moc"
