#include "core/FitPicture.h"
#include "tests/support/TestCards.h"

#include <QtTest>

// Fitting a picture into the 320 x 240 card picture, to the pixel.
class TestFitPicture : public QObject {
    Q_OBJECT

    // The smallest rectangle holding every pixel that is not white.
    static QRect drawnArea(const QImage& picture) {
        QRect area;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != qRgb(255, 255, 255))
                    area |= QRect(x, y, 1, 1);
            }
        }
        return area;
    }

    static int whiteRowsFrom(const QImage& picture, int firstRow, int step) {
        int rows = 0;
        for (int y = firstRow; y >= 0 && y < picture.height(); y += step, ++rows) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != qRgb(255, 255, 255))
                    return rows;
            }
        }
        return rows;
    }

    static QImage blackPicture(QSize size) { return testcards::filledImage(size, Qt::black); }

private slots:
    void frame_data() {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QRect>("frame");
        // A scale that is an inexact double makes some whole products one short.
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QRect(0, 30, 320, 179);
        QTest::newRow("960x720") << QSize(960, 720) << QRect(0, 0, 320, 239);
        QTest::newRow("640x480") << QSize(640, 480) << QRect(0, 0, 320, 240);
        QTest::newRow("800x400") << QSize(800, 400) << QRect(0, 40, 320, 160);
        QTest::newRow("480x640") << QSize(480, 640) << QRect(70, 0, 180, 240);
        QTest::newRow("300x300 square fills the height")
            << QSize(300, 300) << QRect(40, 0, 240, 240);
        QTest::newRow("6000x4000") << QSize(6000, 4000) << QRect(0, 13, 320, 213);
        QTest::newRow("empty") << QSize(0, 0) << QRect();
    }
    void frame() {
        QFETCH(QSize, source);
        QFETCH(QRect, frame);
        QCOMPARE(picturefit::fitPictureFrame(source), frame);
    }

    void drawsIntoFrame_data() { frame_data(); }
    void drawsIntoFrame() {
        QFETCH(QSize, source);
        QFETCH(QRect, frame);
        const QImage picture = picturefit::FitPicture(blackPicture(source));
        QCOMPARE(picture.size(), QSize(320, 240));
        QCOMPARE(drawnArea(picture), frame);
    }

    void wideFullHdPhotoHasBandsOf30And31Rows() {
        const QImage picture = picturefit::FitPicture(blackPicture(QSize(1920, 1080)));
        QCOMPARE(whiteRowsFrom(picture, 0, 1), 30);
        QCOMPARE(whiteRowsFrom(picture, 239, -1), 31);
    }

    // A picture decoded at a reduced scale lands where its true size puts it.
    void frameFollowsTrueSize() {
        const QImage picture =
            picturefit::FitPicture(blackPicture(QSize(240, 135)), QSize(1920, 1080));
        QCOMPARE(drawnArea(picture), QRect(0, 30, 320, 179));
    }

    // Transparent parts (a picture pasted from another program) end up white, not black.
    void transparencyBecomesWhite() {
        QImage source(400, 300, QImage::Format_ARGB32);
        source.fill(Qt::transparent);
        QCOMPARE(drawnArea(picturefit::FitPicture(source)), QRect());
    }
};

QTEST_MAIN(TestFitPicture)
#include "tst_core_fitpicture.moc"
