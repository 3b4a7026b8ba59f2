#include "core/WebSite.h"
#include "print/CardPageRenderer.h"
#include "print/MakeGray.h"
#include "print/NotesLines.h"
#include "print/ScaledCardPage.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestPrintSource.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtTest>

namespace {

constexpr int W = CardPageRenderer::Width;
constexpr int H = CardPageRenderer::Height;

int height(int pixels, bool bold) {
    return QFontMetrics(CardPageRenderer::pageFont(pixels, bold)).height();
}

// Rows whose pixels from x = 10 to x = W - 10 are all black: the rules.
QList<int> ruleRows(const QImage& page) {
    QList<int> rows;
    for (int y = 0; y < page.height(); ++y) {
        bool black = true;
        for (int x = 10; x <= W - 10 && black; ++x)
            black = (page.pixel(x, y) & 0xffffff) == 0;
        if (black)
            rows << y;
    }
    return rows;
}

// The smallest rectangle holding every dark pixel inside area.
QRect darkPixels(const QImage& page, const QRect& area) {
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                found |= QRect(x, y, 1, 1);
    return found;
}

QStringList numberedRows(int count) {
    QStringList rows;
    for (int i = 1; i <= count; ++i)
        rows << QStringLiteral("klíč %1=hodnota %1").arg(i);
    return rows;
}

using testcards::filledImage;

} // namespace

class TestCardPageRenderer : public QObject {
    Q_OBJECT
private:
    TestPrintSource source;
    QImage page;

    PageGeometry render(const PageOptions& options = {}) {
        return CardPageRenderer().render(source, options, page);
    }

private slots:
    void init() {
        source.name = QStringLiteral("Kniha");
        source.cards = {QStringLiteral("Auto.krt"), QStringLiteral("Byt.krt"),
                        QStringLiteral("Kniha.krt")};
        source.rows = numberedRows(3);
        source.notes = QStringLiteral("Poznámka");
        source.image = filledImage(QSize(320, 240), QColor(200, 30, 10));
        page = QImage();
    }

    void rulesLieAtTheComputedHeights_data() {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<int>("notesLines");
        QTest::newRow("no rows, no notes") << 0 << QString() << 0;
        QTest::newRow("three rows, one line") << 3 << QStringLiteral("jedna") << 1;
        QTest::newRow("line break at the end is no line") << 3 << QStringLiteral("jedna\r\n") << 1;
        QTest::newRow("empty line inside counts") << 5 << QStringLiteral("a\r\n\r\nb") << 3;
        QTest::newRow("lone LF and CR break lines") << 1 << QStringLiteral("a\nb\rc") << 3;
    }
    void rulesLieAtTheComputedHeights() {
        QFETCH(int, rowCount);
        QFETCH(QString, notes);
        QFETCH(int, notesLines);
        source.rows = numberedRows(rowCount);
        source.notes = notes;
        const PageGeometry geometry = render();

        const int h13 = height(13, false);
        const int y1 = 20 + height(16, true) + 10;
        const int y2 = y1 + 10 + height(13, true) + 10;
        const int y3 = y2 + 10 + 5 + rowCount * h13 + 10 + 2 * h13;
        // Each notes line, one empty line, then one more line and 10 pixels.
        const int y4 = y3 + 10 + notesLines * h13 + h13 + h13 + 10;
        QCOMPARE(ruleRows(page), (QList<int>{y1, y2, y3, y4}));
        QCOMPARE(geometry.y4, y4);
        QCOMPARE(page.size(), QSize(W, H));
    }

    void title_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "Kniha" << false << "Kniha";
        QTest::newRow("third in the list") << "Kniha" << true << "Kniha - 3";
        QTest::newRow("letter case ignored") << "KNIHA" << true << "KNIHA - 3";
        QTest::newRow("first") << "auto" << true << "auto - 1";
        QTest::newRow("not in the list") << "Chata" << true << "Chata - 0";
        QTest::newRow("only a prefix of an entry") << "Kni" << true << "Kni - 0";
    }
    void title() {
        QFETCH(QString, name);
        QFETCH(bool, numbered);
        QFETCH(QString, expected);
        QCOMPARE(CardPageRenderer::title(name, source.cards, numbered), expected);
    }

    void titleSitsTenPixelsLeftOfTheCentre() {
        const QString title = QStringLiteral("Kniha - 3");
        const PageGeometry geometry = render({true, false, false});
        const int width =
            QFontMetrics(CardPageRenderer::pageFont(16, true)).horizontalAdvance(title);
        QCOMPARE(geometry.title, QPoint(W / 2 - width / 2 - 10, 20));

        const QRect ink = darkPixels(page, QRect(0, 0, W, geometry.y1));
        QVERIFY2(qAbs(ink.left() - geometry.title.x()) <= 3,
                 qPrintable(QString::number(ink.left())));
        QVERIFY2(qAbs(ink.right() - (geometry.title.x() + width)) <= 4,
                 qPrintable(QString::number(ink.right())));
        QVERIFY(ink.top() >= 20);
    }

    void overlongTitleIsClippedAtTheLeftEdge() {
        source.name = QString(120, u'M');
        const PageGeometry geometry = render();
        QVERIFY(geometry.title.x() < 0);
        QCOMPARE(darkPixels(page, QRect(0, 20, 3, 10)).isEmpty(), false);
    }

    void cellsSitUnderTheirHeadings() {
        source.rows = {QStringLiteral("klíč"), QStringLiteral("=jen hodnota")};
        const PageGeometry geometry = render();
        const int h13 = height(13, false);
        const int top = geometry.y2 + 15;
        const int valueX = 20 + (W - 20) / 2;
        // A row without "=" is a key alone; "=value" has an empty key.
        QVERIFY(!darkPixels(page, QRect(20, top, valueX - 20, h13)).isEmpty());
        QVERIFY(darkPixels(page, QRect(valueX, top, W - valueX, h13)).isEmpty());
        QVERIFY(darkPixels(page, QRect(20, top + h13, valueX - 20, h13)).isEmpty());
        QVERIFY(!darkPixels(page, QRect(valueX, top + h13, W - valueX, h13)).isEmpty());
    }

    void threeTitlesNarrowTheCellColumns() {
        source.titles << QStringLiteral("Třetí");
        source.rows = {QStringLiteral("a=hodnota")};
        const PageGeometry geometry = render();
        const int h13 = height(13, false);
        const int valueX = 20 + (W - 20) / 3;
        const QRect value = darkPixels(page, QRect(valueX - 5, geometry.y2 + 15, 60, h13));
        QVERIFY(!value.isEmpty());
        QVERIFY(qAbs(value.left() - valueX) <= 3);
    }

    void noTitlesStillDrawsTheTable() {
        source.titles.clear();
        const PageGeometry geometry = render();
        QVERIFY(geometry.y3 > geometry.y2);
        QCOMPARE(ruleRows(page).size(), 4);
    }

    void longTableIsCutAtTheBottom() {
        source.rows = numberedRows(80);
        const PageGeometry geometry = render();
        QCOMPARE(page.size(), QSize(W, H));
        QVERIFY(geometry.y3 > H);
        QCOMPARE(ruleRows(page), (QList<int>{geometry.y1, geometry.y2}));
        // The table reaches the last rows of the page.
        QVERIFY(!darkPixels(page, QRect(20, H - 40, 100, 30)).isEmpty());
    }

    void footerShowsTheHostAtTheBottomRight() {
        const PageGeometry geometry = render();
        const QFont font = CardPageRenderer::pageFont(10, false);
        const QFontMetrics metrics(font);
        QCOMPARE(geometry.footer,
                 QPoint(W - metrics.horizontalAdvance(kWebHost) - 10, H - metrics.height() - 10));
        const QRect ink = darkPixels(page, QRect(W / 2, H - 40, W / 2, 40));
        QVERIFY(ink.right() <= W - 10);
        QVERIFY(ink.right() >= W - 14);
        QVERIFY(ink.bottom() < H - 10);
    }

    void pictureIsDrawnOnlyWithTheOption() {
        source.image = filledImage(QSize(80, 60), QColor(200, 30, 10)); // stretched to 320 x 240
        PageGeometry geometry = render({false, true, false});
        const QRect box(20, geometry.y4 + 10, 320, 240);
        QCOMPARE(page.pixelColor(box.topLeft()), QColor(200, 30, 10));
        QCOMPARE(page.pixelColor(box.bottomRight()), QColor(200, 30, 10));
        QCOMPARE(page.pixelColor(box.bottomRight() + QPoint(1, 1)), QColor(Qt::white));

        geometry = render({false, false, false});
        QVERIFY(darkPixels(page, box).isEmpty());
    }

    void grayPageHasEqualChannels() {
        const PageGeometry geometry = render({false, true, true});
        QCOMPARE(page.format(), QImage::Format_RGB888);
        const int v = (200 + 30 + 10) / 3;
        QCOMPARE(page.pixelColor(20 + 160, geometry.y4 + 130), QColor(v, v, v));
        for (int y = 0; y < H; y += 3)
            for (int x = 0; x < W; x += 3) {
                const QColor c = page.pixelColor(x, y);
                QVERIFY(c.red() == c.green() && c.green() == c.blue());
            }

        const PageGeometry again = render({false, true, false});
        QCOMPARE(page.pixelColor(20 + 160, again.y4 + 130), QColor(200, 30, 10));
    }

    void makeGray_data() {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("expected");
        QTest::newRow("white") << QColor(255, 255, 255) << 255;
        QTest::newRow("black") << QColor(0, 0, 0) << 0;
        QTest::newRow("truncates") << QColor(255, 255, 254) << 254;
        QTest::newRow("truncates to zero") << QColor(1, 1, 0) << 0;
        QTest::newRow("mixed") << QColor(10, 20, 31) << 20;
    }
    void makeGray() {
        QFETCH(QColor, color);
        QFETCH(int, expected);
        QImage image = filledImage(QSize(4, 3), color);
        image.setPixelColor(0, 0, Qt::white);
        gray::MakeGray(image);
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.pixelColor(3, 2), QColor(expected, expected, expected));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    }

    void notesWrapAtWordsWithinTheBox() {
        const QString word = QStringLiteral("slovo ");
        const QString text = word.repeated(200).trimmed();
        const QStringList lines = noteslines::notesDisplayLines(text, source.font, 625);
        QVERIFY(lines.size() > 5);
        const QFontMetrics metrics(source.font);
        for (const QString& line : lines) {
            QVERIFY(metrics.horizontalAdvance(line) < 625 - 20);
            QVERIFY(!line.startsWith(u' '));
            QVERIFY(line.endsWith(QStringLiteral("slovo")));
        }
        QCOMPARE(lines.join(u' '), text);
        // A narrower box, or a larger font, needs more lines.
        QVERIFY(noteslines::notesDisplayLines(text, source.font, 300).size() > lines.size());
        QFont large = source.font;
        large.setPointSize(20);
        QVERIFY(noteslines::notesDisplayLines(text, large, 625).size() > lines.size());
    }

    void notesNeverRunPastThePage_data() {
        QTest::addColumn<int>("notesPixels");
        QTest::newRow("small notes font") << 8;
        QTest::newRow("page-sized notes font") << 13;
        QTest::newRow("large notes font") << 24;
    }
    void notesNeverRunPastThePage() {
        QFETCH(int, notesPixels);
        source.font.setPixelSize(notesPixels);
        source.notes = QStringLiteral("slovo ").repeated(150) + QStringLiteral("KONEC");
        const PageGeometry geometry = render();
        const QRect notes(0, geometry.y3 + 1, W, geometry.y4 - geometry.y3 - 1);
        QVERIFY(!darkPixels(page, notes).isEmpty());
        QVERIFY(darkPixels(page, notes).right() < W - 10);
    }

    void pageLinesFollowTheBoxUnlessTheyRunOffThePage() {
        const QFont page = CardPageRenderer::pageFont(13, false);
        QFont small = page;
        small.setPixelSize(6);
        const QString shortParagraph = QStringLiteral("krátký odstavec");
        const QString longParagraph = QStringLiteral("jedno dvě tři čtyři pět šest ").repeated(20);
        const QString text = shortParagraph + QStringLiteral("\r\n") + longParagraph;

        // Lines that fit on the page are the box's own.
        QCOMPARE(noteslines::notesPageLines(text, small, 625, page, 5000),
                 noteslines::notesDisplayLines(text, small, 625));

        // A paragraph that would run off is broken at the page width as a
        // whole; the short one is kept.
        const QStringList lines = noteslines::notesPageLines(text, small, 625, page, 300);
        QCOMPARE(lines.first(), shortParagraph);
        QVERIFY(lines.size() > noteslines::notesDisplayLines(text, small, 625).size());
        QCOMPARE(lines.mid(1).join(u' '), longParagraph.trimmed());
        for (const QString& line : lines)
            QVERIFY(QFontMetrics(page).horizontalAdvance(line) <= 300);
        // Only the last line of the paragraph is short.
        for (const QString& line : lines.mid(1, lines.size() - 2))
            QVERIFY(QFontMetrics(page).horizontalAdvance(line) > 240);

        const QStringList word =
            noteslines::notesPageLines(QString(60, u'W'), page, 625, page, 100);
        QVERIFY(word.size() > 1);
        QCOMPARE(word.join(QString()), QString(60, u'W'));
    }

    // What the printer and a PDF get: the page painted from its layout onto a
    // device at any scale. At the page's own size it is the page image pixel
    // for pixel, grey included (there only the picture is greyed).
    void scaledPageAtPageSizeIsThePageImage_data() {
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("gray");
        for (int options = 0; options < 8; ++options)
            QTest::addRow("options %d", options)
                << bool(options & 1) << bool(options & 2) << bool(options & 4);
    }
    void scaledPageAtPageSizeIsThePageImage() {
        QFETCH(bool, numbered);
        QFETCH(bool, picture);
        QFETCH(bool, gray);
        source.notes = QStringLiteral("Poznámka k ceně, která je delší než řádek. ").repeated(6);
        source.image = filledImage(QSize(80, 60), QColor(200, 30, 10));
        const PageOptions options{numbered, picture, gray};
        render(options);
        QImage painted(W, H, QImage::Format_RGB32);
        QPainter painter(&painted);
        cardpage::paintScaledCardPage(painter, QRectF(0, 0, W, H),
                                      cardpage::makeCardPage(source, options));
        painter.end();
        QCOMPARE(painted, page.convertToFormat(QImage::Format_RGB32));
    }

    // At four times the size the positions are the page's, scaled: the rules
    // lie four times lower and are four pixels thick, and the text is drawn
    // at that resolution, not enlarged from the page image.
    void scaledPageKeepsTheLayoutAtAnyResolution() {
        const PageGeometry geometry = render();
        constexpr int Scale = 4;
        QImage painted(W * Scale, H * Scale, QImage::Format_RGB32);
        QPainter painter(&painted);
        cardpage::paintScaledCardPage(painter, QRectF(0, 0, W * Scale, H * Scale),
                                      cardpage::makeCardPage(source, {}));
        painter.end();
        QList<int> rules;
        for (int y = 0; y < painted.height(); ++y) {
            bool black = true;
            for (int x = 10 * Scale; x < (W - 10) * Scale && black; x += 3)
                black = qGray(painted.pixel(x, y)) < 64;
            if (black)
                rules << y;
        }
        QList<int> expected;
        for (int y : {geometry.y1, geometry.y2, geometry.y3, geometry.y4})
            for (int row = 0; row < Scale; ++row)
                expected << y * Scale - Scale / 2 + row;
        QCOMPARE(rules, expected);

        // Enlarging the page image would give each glyph blocks of 4 x 4
        // equal pixels; drawn at the resolution, the title's edges are finer.
        const QRect title(geometry.title * Scale, QSize(100, 16) * Scale);
        int unevenBlocks = 0;
        for (int y = title.top(); y < title.bottom(); y += Scale)
            for (int x = title.left(); x < title.right(); x += Scale) {
                const QRgb first = painted.pixel(x, y);
                for (int i = 1; i < Scale * Scale; ++i)
                    if (painted.pixel(x + i % Scale, y + i / Scale) != first) {
                        ++unevenBlocks;
                        break;
                    }
            }
        QVERIFY2(unevenBlocks > 20, qPrintable(QString::number(unevenBlocks)));
    }

    void notesLinesKeepLeadingSpaces() {
        QCOMPARE(noteslines::notesDisplayLines(QStringLiteral("  odsazeno"), source.font, 625),
                 QStringList{QStringLiteral("  odsazeno")});
        QCOMPARE(noteslines::notesDisplayLines(QString(), source.font, 625), QStringList());
    }
};

QTEST_MAIN(TestCardPageRenderer)
#include "tst_print_renderer.moc"
