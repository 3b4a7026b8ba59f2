#include "core/WebSite.h"
#include "print/CardPageRenderer.h"
#include "print/TPrintForm.h"
#include "storage/AppState.h"
#include "tests/support/PdfTools.h"
#include "tests/support/PrintDialogFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestPrintSource.h"
#include "tests/support/TestProgramDir.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QtTest>

#include <memory>

namespace {

// Four coloured quarters, so that a stretched or misplaced picture shows.
QImage quarteredPicture() {
    QImage image(320, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 160, 120, QColor(220, 0, 0));
    painter.fillRect(160, 0, 160, 120, QColor(0, 160, 0));
    painter.fillRect(0, 120, 160, 120, QColor(0, 0, 220));
    painter.fillRect(160, 120, 160, 120, QColor(230, 200, 0));
    painter.setPen(Qt::white);
    painter.drawEllipse(QPoint(160, 120), 90, 90);
    return image;
}

QString longNote() {
    return QStringLiteral(
               "Tato kniha vyšla poprvé roku 1936 a od té doby se dočkala mnoha vydání. ")
               .repeated(8) +
           QStringLiteral("\r\n\r\nDruhý odstavec: půjčeno sousedovi, vrátit do konce měsíce.");
}

// Rows of the image whose pixels are dark across most of the width.
QList<int> darkBandCentres(const QImage& image, int left, int right) {
    QList<int> centres;
    int bandStart = -1;
    for (int y = 0; y <= image.height(); ++y) {
        bool dark = y < image.height();
        for (int x = left; x < right && dark; x += 2)
            dark = qGray(image.pixel(x, y)) < 160;
        if (dark && bandStart < 0)
            bandStart = y;
        if (!dark && bandStart >= 0) {
            centres << (bandStart + y - 1) / 2;
            bandStart = -1;
        }
    }
    return centres;
}

} // namespace

// Printing on a real printer: CUPS with Debian's PDF printer, which writes each
// job as a PDF file that the tests read back.
class TestPrintToPdfPrinter : public QObject, private PrintDialogFixture {
    Q_OBJECT
private:
    void selectPdfPrinter() {
        const QList<QListWidgetItem*> rows =
            form->ListBox1->findItems(pdftools::PdfPrinter, Qt::MatchExactly);
        QVERIFY(!rows.isEmpty());
        form->ListBox1->setCurrentItem(rows.first());
        QVERIFY(rows.first()->isSelected());
    }
    QStringList listFiles(const QString& marker, int count) {
        QStringList files;
        for (int i = 1; i <= count; ++i)
            files << QStringLiteral("%1 karta %2.krt").arg(marker).arg(i, 3, 10, QChar(u'0'));
        return files;
    }

private slots:
    void initTestCase() {
        if (const QString missing = pdftools::missingForPrinting(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }
    void init() {
        reset();
        source->rows = {QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Název=Válka s mloky"),
                        QStringLiteral("Rok=1936"), QStringLiteral("Poznámka bez hodnoty")};
        source->notes = longNote();
        source->image = quarteredPicture();
    }
    void cleanup() { form.reset(); }

    void cardIsPrintedAsPreviewed() {
        const QString marker = pdftools::uniqueMarker(u'T');
        source->name = QStringLiteral("Kniha-") + marker;
        source->cards = {QStringLiteral("A.krt"), source->name + QStringLiteral(".krt")};
        QVERIFY(source->image.save(dir->workDir() + source->name + QStringLiteral("1.bmp"), "BMP"));
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QVERIFY(dialog.PicPrintCheck->isChecked());
        dialog.NrPrintCheck->click();
        selectPdfPrinter();
        const QImage page = dialog.pageBitmap();
        PageGeometry geometry;
        {
            QImage check;
            geometry = CardPageRenderer().render(*source, {true, true, false}, check);
            QCOMPARE(check, page);
        }

        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        dialog.SpeedButton1Click();
        QCOMPARE(prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.printing());

        const QString pdf = pdftools::waitForPdf(pdftools::pdfDirectory(), before, marker);
        QVERIFY2(!pdf.isEmpty(), "the printed card did not arrive");
        QCOMPARE(pdftools::pageCount(pdf), 1);

        // The page fills the printable area: compare it, scaled back, with the
        // rendered page.
        const QImage printed = pdftools::printableArea(pdf, 1, source->printer());
        QVERIFY(!printed.isNull());
        const qreal sx = qreal(printed.width()) / page.width();
        const qreal sy = qreal(printed.height()) / page.height();

        const QList<int> rules =
            darkBandCentres(printed, qRound(20 * sx), qRound((page.width() - 20) * sx));
        QCOMPARE(rules.size(), 4);
        const QList<int> expected{geometry.y1, geometry.y2, geometry.y3, geometry.y4};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(qAbs(rules.at(i) / sy - expected.at(i)) < 1.5,
                     qPrintable(QStringLiteral("rule %1 at %2").arg(i).arg(rules.at(i) / sy)));

        // The picture's quarters, at their places.
        const QPoint picture(20, geometry.y4 + 10);
        const auto printedAt = [&](int x, int y) {
            return printed.pixelColor(qRound((picture.x() + x) * sx),
                                      qRound((picture.y() + y) * sy));
        };
        const auto near = [](const QColor& a, const QColor& b) {
            return qAbs(a.red() - b.red()) < 25 && qAbs(a.green() - b.green()) < 25 &&
                   qAbs(a.blue() - b.blue()) < 25;
        };
        QVERIFY(near(printedAt(20, 20), QColor(220, 0, 0)));
        QVERIFY(near(printedAt(300, 20), QColor(0, 160, 0)));
        QVERIFY(near(printedAt(20, 220), QColor(0, 0, 220)));
        QVERIFY(near(printedAt(300, 220), QColor(230, 200, 0)));
        QVERIFY(near(printedAt(330, 120), Qt::white));

        // Overall the printed page matches the preview's source.
        const QImage back =
            printed.scaled(page.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                difference += qAbs(qGray(back.pixel(x, y)) - qGray(page.pixel(x, y)));
        const double mean = double(difference) / (page.width() * page.height());
        qInfo("mean grey difference per pixel: %.2f", mean);
        QVERIFY2(mean < 8, qPrintable(QString::number(mean)));
        QFile::remove(pdf);
    }

    void listContinuesOnFurtherPages() {
        const QString marker = pdftools::uniqueMarker(u'T');
        source->cards = listFiles(marker, 150);
        TPrintForm& dialog = makeForm();
        dialog.printCardList();
        selectPdfPrinter();
        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        dialog.SpeedButton1Click();
        QCOMPARE(prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());

        // Lists all have the same job title; this one holds this run's cards.
        const QString pdf = pdftools::waitForPdf(
            pdftools::pdfDirectory(), before, QStringLiteral("Seznam"), [&](const QString& path) {
                return pdftools::textLines(path).contains(source->cards.first());
            });
        QVERIFY2(!pdf.isEmpty(), "the printed list did not arrive");
        QStringList lines = pdftools::textLines(pdf);
        QVERIFY(pdftools::pageCount(pdf) >= 3);
        // The PDF printer's conversion keeps only Western European letters
        // readable as text; the "ů" is drawn but reads back as another code.
        QVERIFY2(lines.first().startsWith(QStringLiteral("Pelvarin Kartotéka - seznam soubor")),
                 qPrintable(lines.first()));
        QCOMPARE(lines.first().size(),
                 QStringLiteral("Pelvarin Kartotéka - seznam souborů").size());
        QCOMPARE(lines.at(1), kWebHost);
        QCOMPARE(lines.at(2), QString());
        lines.removeAll(QString());
        QCOMPARE(lines.mid(2), source->cards);
        const int last = pdftools::pageCount(pdf);
        QVERIFY(pdftools::textLines(pdf, last, last).contains(source->cards.last()));
        QVERIFY(!pdftools::textLines(pdf, 1, 1).contains(source->cards.last()));
        QFile::remove(pdf);
    }

    void escapeDuringTheListJobAbortsIt() {
        const QString aborted = pdftools::uniqueMarker(u'T');
        source->cards = listFiles(aborted, 300);
        TPrintForm& dialog = makeForm();
        dialog.printCardList();
        selectPdfPrinter();
        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        // Delivered while the job runs, at its first page break.
        QCoreApplication::postEvent(
            &dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        dialog.SpeedButton1Click();
        QCOMPARE(prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.PrintPanel->isHidden());

        // A job sent after it arrives; the aborted one never does.
        const QString next = pdftools::uniqueMarker(u'T');
        source->name = QStringLiteral("Po-") + next;
        dialog.printOpenCard();
        selectPdfPrinter();
        dialog.SpeedButton1Click();
        const QString nextPdf = pdftools::waitForPdf(pdftools::pdfDirectory(), before, next);
        QVERIFY(!nextPdf.isEmpty());
        QFile::remove(nextPdf);
        for (const QString& name : pdftools::pdfFiles(pdftools::pdfDirectory()))
            if (!before.contains(name) && name.contains(QStringLiteral("Seznam")))
                QVERIFY(!pdftools::textLines(QDir(pdftools::pdfDirectory()).filePath(name))
                             .contains(source->cards.first()));
    }

    void failedCardPrintLeavesTheDialogUsable() {
        source->name = QStringLiteral("Chyba");
        // A directory where the job's output must go makes the job fail.
        const QString blocked = dir->filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked));
        source->printer().setOutputFileName(blocked);
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        selectPdfPrinter();
        dialog.SpeedButton1Click();
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().contains(pdftools::PdfPrinter));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.printing());
        QVERIFY(dialog.PrintPanel->isHidden());
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    }
};

QTEST_MAIN(TestPrintToPdfPrinter)
#include "tst_print_pdf.moc"
