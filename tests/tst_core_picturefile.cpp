#include "core/JpegDecoder.h"
#include "core/PictureChoice.h"
#include "core/PictureFile.h"
#include "storage/AppError.h"
#include "tests/support/TestCards.h"

#include <QDir>
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
        QTest::newRow(".png") << "/data/foto.png" << PictureFileType::Other;
        QTest::newRow("last extension counts") << "/data/foto.jpg.txt" << PictureFileType::Other;
        QTest::newRow("no extension") << "/data/foto" << PictureFileType::Other;
        QTest::newRow("dot in the folder only") << "/data/a.jpg/foto" << PictureFileType::Other;
    }
    void typeByExtension() {
        QFETCH(QString, path);
        QFETCH(PictureFileType, type);
        QCOMPARE(PictureFileTypeOf(path), type);
    }

    // Every file the first filter offers takes a picture path; "all files" offers the rest.
    void dialogFiltersMatchPicturePaths() {
        const QStringList filters = PictureDialogFilters();
        QCOMPARE(filters.size(), 4);
        QCOMPARE(filters.first(), "Obrázky JPG, BMP (*.bmp *.BMP *.JPG *.jpg *.JPEG *.jpeg)");
        QCOMPARE(filters.last(), "Všechny soubory (*)");
        const QString patterns = filters.first().section(u'(', 1).chopped(1);
        for (const QString& pattern : patterns.split(u' '))
            QVERIFY(PictureFileTypeOf("/d/foto" + pattern.mid(1)) != PictureFileType::Other);
    }

    void otherExtensionWritesNothing() {
        const QString png = dir() + QStringLiteral("foto.png");
        filledImage(QSize(40, 30), Qt::red).save(png, "PNG");
        QVERIFY(!StorePictureFile(png, dir(), QStringLiteral("Karta1.bmp")));
        QVERIFY(!QFile::exists(member()));
    }

    // The saved member is a 24-bit BMP of 320 x 240 that loads back.
    void jpegBecomesBmpMember() {
        const QString jpeg = jpegFile(QStringLiteral("foto.JPEG"), QSize(1920, 1080), Qt::black);
        QVERIFY(StorePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
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
        QVERIFY(StorePictureFile(bmp, dir(), QStringLiteral("Karta1.bmp")));
        const QImage saved(member());
        QCOMPARE(saved.size(), QSize(320, 240));
        QCOMPARE(saved.pixel(69, 120), qRgb(255, 255, 255));
        QCOMPARE(saved.pixel(70, 120), qRgb(0, 0, 255));
        QCOMPARE(saved.pixel(249, 120), qRgb(0, 0, 255));
        QCOMPARE(saved.pixel(250, 120), qRgb(255, 255, 255));
    }

    // A corrupt file reports the decoder's own words and leaves the previous
    // picture file as it was, without a temporary file beside it.
    void corruptFileKeepsPreviousPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("not a JPEG") << "foto.jpg" << QByteArray("not a picture at all")
                                    << "Not a JPEG file: starts with 0x6e 0x6f";
        QTest::newRow("empty JPEG") << "foto.jpg" << QByteArray() << "Empty input file";
        QTest::newRow("damaged BMP")
            << "foto.bmp" << QByteArray("BM\x10\0\0\0garbage", 15) << "Unable to read image data";
    }
    void corruptFileKeepsPreviousPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QByteArray previous = "previous picture";
        writeBytes(member(), previous);
        writeBytes(dir() + name, content);
        try {
            StorePictureFile(dir() + name, dir(), QStringLiteral("Karta1.bmp"));
            QFAIL("a corrupt picture was accepted");
        } catch (const AppError& e) {
            QCOMPARE(e.text(), error);
        }
        QCOMPARE(fileBytes(member()), previous);
        QCOMPARE(filesInDir(), QStringList({"Karta1.bmp", name}));
    }

    void unwritableTargetKeepsItsPlace() {
        QVERIFY(QDir().mkpath(member()));
        const QString jpeg = jpegFile(QStringLiteral("foto.jpg"), QSize(64, 48), Qt::red);
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 StorePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
        QVERIFY(QFileInfo(member()).isDir());
        QCOMPARE(filesInDir(), QStringList({"foto.jpg"}));
        QDir(member()).removeRecursively();
    }

    // One member, whatever case the card file's archive gave it.
    void replacesMemberSpelledInOtherCase() {
        writeBytes(dir() + QStringLiteral("KARTA1.BMP"), "old");
        const QString jpeg = jpegFile(QStringLiteral("foto.jpg"), QSize(64, 48), Qt::red);
        QVERIFY(StorePictureFile(jpeg, dir(), QStringLiteral("Karta1.bmp")));
        QCOMPARE(filesInDir(), QStringList({"Karta1.bmp", "foto.jpg"}));
    }

    void removesPictureInAnyCase() {
        QCOMPARE(RemovePictureFile(dir(), QStringLiteral("Karta1.bmp")), PictureRemoval::NoPicture);
        writeBytes(dir() + QStringLiteral("KARTA1.BMP"), "picture");
        QCOMPARE(RemovePictureFile(dir(), QStringLiteral("Karta1.bmp")), PictureRemoval::Removed);
        QVERIFY(filesInDir().isEmpty());
    }

    void decodesAtReducedScaleOnlyWhenAsked() {
        const QString jpeg = jpegFile(QStringLiteral("big.jpg"), QSize(1920, 1080), Qt::green);
        const DecodedJpeg full = DecodeJpegFile(jpeg);
        QCOMPARE(full.image.size(), QSize(1920, 1080));
        const DecodedJpeg reduced = DecodeJpegFile(jpeg, [](QSize) { return QSize(320, 179); });
        QCOMPARE(reduced.fullSize, QSize(1920, 1080));
        QCOMPARE(reduced.image.size(), QSize(480, 270));
    }

    void decodesGrayAndCmyk() {
        const QString gray = dir() + QStringLiteral("gray.jpg");
        filledImage(QSize(32, 32), QColor(128, 128, 128))
            .convertToFormat(QImage::Format_Grayscale8)
            .save(gray, "JPG", 100);
        const QImage grayImage = DecodeJpegFile(gray).image;
        QVERIFY(near(grayImage.pixel(5, 5), qRgb(128, 128, 128)));

        const uchar red[4] = {255, 0, 0, 255}; // no cyan, full magenta and yellow, no black
        const QString cmyk = dir() + QStringLiteral("cmyk.jpg");
        writeCmykJpeg(cmyk, QSize(32, 32), red);
        const QImage cmykImage = DecodeJpegFile(cmyk).image;
        QVERIFY(near(cmykImage.pixel(5, 5), qRgb(255, 0, 0)));
    }
};

QTEST_MAIN(TestPictureFile)
#include "tst_core_picturefile.moc"
