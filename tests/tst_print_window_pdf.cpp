#include "core/WebSite.h"
#include "mainwindow/Application.h"
#include "mainwindow/EditorControls.h"
#include "print/CardPageRenderer.h"
#include "print/TPrintForm.h"
#include "tests/support/AppFixture.h"
#include "tests/support/PdfTools.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestPrintSource.h"
#include "widgets/InstalledPrinters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::writeCard;

namespace {

// Mean grey difference per pixel of two images within area, compared at a
// third of their size: scaling the page to the paper and back blurs the edges
// of every letter, which must not count as much as other letters.
double difference(const QImage& a, const QImage& b, const QRect& area) {
    constexpr int Factor = 3;
    const auto coarse = [](const QImage& image) {
        return image.scaled(image.size() / Factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage ca = coarse(a);
    const QImage cb = coarse(b);
    const QRect part = QRect(area.topLeft() / Factor, area.bottomRight() / Factor) & ca.rect();
    qint64 sum = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            sum += qAbs(qGray(ca.pixel(x, y)) - qGray(cb.pixel(x, y)));
    return double(sum) / (part.width() * part.height());
}

// Where two images differ.
QRect differing(const QImage& a, const QImage& b) {
    QRect found;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                found |= QRect(x, y, 1, 1);
    return found;
}

// The card the window shows, as plain values that the renderer takes.
void showCard(TestPrintSource& card, TForm1& form, const QStringList& rows) {
    card.name = form.card().CurrentCardName();
    card.cards = control<CardList>(form, "List")->items();
    card.rows = rows;
    card.notes = control<NotesEdit>(form, "Memo1")->text();
    card.font = control<NotesEdit>(form, "Memo1")->font();
    card.image = control<PictureBox>(form, "Image1")->picture();
}

} // namespace

// Printing from the running program on a real printer: CUPS with Debian's PDF
// printer, whose files the tests read back.
class TestPrintWindowPdf : public QObject {
    Q_OBJECT
private:
    void usePdfPrinter(TPrintForm& dialog) {
        if (installedprinters::defaultPrinterName() == pdftools::PdfPrinter)
            return; // no row selected prints there
        const QList<QListWidgetItem*> rows =
            dialog.ListBox1->findItems(pdftools::PdfPrinter, Qt::MatchExactly);
        QVERIFY(!rows.isEmpty());
        dialog.ListBox1->setCurrentItem(rows.first());
    }

private slots:
    void initTestCase() {
        if (const QString missing = pdftools::missingForPrinting(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    // The printed page is compared, part by part, with the page rendered from
    // what the window shows and with pages that differ there.
    void openCardReachesThePaper() {
        const QString marker = pdftools::uniqueMarker(u'W');
        const QString name = QStringLiteral("Kniha-") + marker;
        const QStringList rows{QStringLiteral("Autor=Karel Capek"), QStringLiteral("Rok=1936"),
                               QStringLiteral("Vydal=Melantrich")};
        TestProgramDir dir;
        writeCard(dir, name, rows, QStringLiteral("Kratka poznamka"),
                  bitmapBytes(320, 240, QColor(0, 150, 0)));
        AppFixture program(dir);
        QVERIFY(program.started);
        program.open(0);
        TForm1& form = program.form();
        commandsOf(form).trigger(Command::PrintCard);
        TPrintForm& dialog = *windowparts::dialog<TPrintForm>(program.application);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.PicPrintCheck->isChecked());
        usePdfPrinter(dialog);

        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        QTest::mouseClick(dialog.SpeedButton1, Qt::LeftButton);
        QCOMPARE(program.prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());
        // cups-pdf names the file after the job title, which carries the card name.
        const QString pdf = pdftools::waitForPdf(pdftools::pdfDirectory(), before, marker);
        QVERIFY2(!pdf.isEmpty(), "the printed card did not arrive");
        QCOMPARE(pdftools::pageCount(pdf), 1);
        const QImage printed = pdftools::printableArea(pdf, 1, form.printer());
        QFile::remove(pdf);
        QVERIFY(!printed.isNull());
        const QImage& page = dialog.pageBitmap();
        const QImage back =
            printed.scaled(page.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

        const PageOptions options{false, true, false};
        TestPrintSource card;
        showCard(card, form, rows);
        QImage expected;
        const PageGeometry geometry = CardPageRenderer().render(card, options, expected);
        QCOMPARE(expected, page);

        card.name = QStringLiteral("Kniha-W00000000");
        QImage otherName;
        CardPageRenderer().render(card, options, otherName);
        card.name = name;
        card.rows.last() = QStringLiteral("Vydal=Odeon");
        QImage otherValue;
        CardPageRenderer().render(card, options, otherValue);
        QImage noFooter = page;
        const QRect footer =
            QRect(geometry.footer, QSize(page.width(), 20)).intersected(page.rect());
        for (int y = footer.top(); y <= footer.bottom(); ++y)
            for (int x = footer.left(); x <= footer.right(); ++x)
                noFooter.setPixel(x, y, qRgb(255, 255, 255));

        // Each part of the printed page is much nearer to the page than to a
        // page with another text there.
        const QList<QPair<const char*, const QImage*>> parts{
            {"card name", &otherName}, {"table value", &otherValue}, {"footer host", &noFooter}};
        for (const auto& [what, other] : parts) {
            const QRect area = differing(page, *other);
            QVERIFY2(!area.isEmpty(), what);
            const double toPage = difference(back, page, area);
            const double toOther = difference(back, *other, area);
            qInfo("%s: %.1f to the page, %.1f to the other page", what, toPage, toOther);
            QVERIFY2(toPage * 3 < toOther, what);
        }
    }

    // Drawn at the printer's resolution: no page image stretched over the
    // paper, and the rows are text of the printed PDF.
    void printedCardIsSharpAndHoldsItsRows() {
        const QString marker = pdftools::uniqueMarker(u'W');
        const QString name = QStringLiteral("Ostra-") + marker;
        TestProgramDir dir;
        writeCard(dir, name,
                  {QStringLiteral("Autor=Karel Capek"), QStringLiteral("Nazev=Valka s mloky")},
                  QStringLiteral("Pujceno sousedovi"));
        AppFixture program(dir);
        QVERIFY(program.started);
        program.open(0);
        commandsOf(program.form()).trigger(Command::PrintCard);
        TPrintForm& dialog = *windowparts::dialog<TPrintForm>(program.application);
        dialog.GrayPrintCheck->setChecked(true);
        usePdfPrinter(dialog);
        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        dialog.SpeedButton1Click();
        QCOMPARE(program.prompts.allShown(), QStringList());
        const QString pdf = pdftools::waitForPdf(pdftools::pdfDirectory(), before, marker);
        QVERIFY2(!pdf.isEmpty(), "the printed card did not arrive");
        const QList<pdftools::PdfImage> images = pdftools::images(pdf);
        const QString text = pdftools::textLines(pdf).join(u'\n');
        QFile::remove(pdf);
        for (const pdftools::PdfImage& image : images)
            QVERIFY2(image.xPpi >= 300 && image.yPpi >= 300,
                     qPrintable(QStringLiteral("%1 x %2 image at %3 x %4 ppi")
                                    .arg(image.width)
                                    .arg(image.height)
                                    .arg(image.xPpi)
                                    .arg(image.yPpi)));
        for (const QString& expected :
             {name, QStringLiteral("Autor"), QStringLiteral("Karel Capek"),
              QStringLiteral("Valka s mloky"), QStringLiteral("Pujceno sousedovi"), kWebHost})
            QVERIFY2(text.contains(expected), qPrintable(expected));
    }

    // F5 again after another card was opened, with the dialog still open:
    // the paper shows the card now open, under its title.
    void secondPrintCommandPrintsTheCardOpenNow() {
        const QString marker = pdftools::uniqueMarker(u'W');
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A-") + marker, {QStringLiteral("Prvni=karta A")});
        writeCard(dir, QStringLiteral("B-") + marker, {QStringLiteral("Druha=karta B")});
        AppFixture program(dir);
        QVERIFY(program.started);
        program.open(0);
        commandsOf(program.form()).trigger(Command::PrintCard);
        TPrintForm& dialog = *windowparts::dialog<TPrintForm>(program.application);
        program.open(1);
        commandsOf(program.form()).trigger(Command::PrintCard);
        QVERIFY(dialog.isVisible());
        usePdfPrinter(dialog);
        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        dialog.SpeedButton1Click();
        QCOMPARE(program.prompts.allShown(), QStringList());
        const QString pdf =
            pdftools::waitForPdf(pdftools::pdfDirectory(), before, QStringLiteral("B-") + marker);
        QVERIFY2(!pdf.isEmpty(), "the printed card did not arrive");
        const QString text = pdftools::textLines(pdf).join(u'\n');
        QFile::remove(pdf);
        QVERIFY(text.contains(QStringLiteral("karta B")));
        QVERIFY(!text.contains(QStringLiteral("karta A")));
    }

    // The list job runs the event loop between pages so that it can be
    // aborted; meanwhile clicks and keys in the main window must do nothing,
    // while the abort button still acts.
    void mainWindowTakesNoInputWhileTheListPrints() {
        TestProgramDir dir;
        for (int i = 1; i <= 140; ++i)
            writeCard(dir, QStringLiteral("Karta %1").arg(i, 3, 10, QChar(u'0')), {});
        AppFixture program(dir);
        QVERIFY(program.started);
        QVERIFY(program.show());
        TForm1& form = program.form();
        program.open(0);
        const QString first = program.card().CurrentCardName();
        commandsOf(form).trigger(Command::PrintList);
        TPrintForm& dialog = *windowparts::dialog<TPrintForm>(program.application);
        usePdfPrinter(dialog);

        bool ranMidJob = false;
        bool abortActed = false;
        QTimer::singleShot(0, &dialog, [&] {
            ranMidJob = dialog.printing();
            QTest::mouseClick(control<QToolButton>(form, "SpeedButton9"),
                              Qt::LeftButton); // ">>": next card
            QTest::keyClick(control<CardList>(form, "List"), Qt::Key_Down);
            QTest::keyClick(control<CardList>(form, "List"),
                            Qt::Key_Return); // open the selected card
            QTest::mouseClick(control<QToolButton>(form, "SpeedButton5"),
                              Qt::LeftButton); // "Konec"
            QTest::mouseClick(dialog.AbortBtn, Qt::LeftButton);
            abortActed = dialog.PrintPanel->isHidden();
        });
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(ranMidJob);
        QVERIFY(abortActed);
        QCOMPARE(program.card().CurrentCardName(), first);
        QCOMPARE(control<CardList>(form, "List")->itemIndex(), 0);
        QCOMPARE(program.endCodes, QList<int>());
        QCOMPARE(program.prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());

        // After the job the window takes input again.
        QTest::mouseClick(control<QToolButton>(form, "SpeedButton9"), Qt::LeftButton);
        QVERIFY(program.card().CurrentCardName() != first);
    }

    void cardListReachesThePaper() {
        const QString marker = pdftools::uniqueMarker(u'W');
        TestProgramDir dir;
        const QStringList names{marker + QStringLiteral(" první"), marker + QStringLiteral(" b")};
        for (const QString& name : names)
            writeCard(dir, name, {QStringLiteral("a=1")});
        AppFixture program(dir);
        QVERIFY(program.started);
        commandsOf(program.form()).trigger(Command::PrintList);
        TPrintForm& dialog = *windowparts::dialog<TPrintForm>(program.application);
        usePdfPrinter(dialog);
        const QStringList before = pdftools::pdfFiles(pdftools::pdfDirectory());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(program.prompts.allShown(), QStringList());
        QVERIFY(!dialog.isVisible());

        const QString pdf = pdftools::waitForPdf(
            pdftools::pdfDirectory(), before, QStringLiteral("Seznam"), [&](const QString& path) {
                return pdftools::textLines(path).join(u'\n').contains(marker);
            });
        QVERIFY2(!pdf.isEmpty(), "the printed list did not arrive");
        QStringList lines = pdftools::textLines(pdf);
        QFile::remove(pdf);
        QCOMPARE(lines.value(1), kWebHost);
        lines.removeAll(QString());
        // Only Western European letters read back as text; "í" does.
        QCOMPARE(lines.mid(2), QStringList({names.at(1) + QStringLiteral(".krt"),
                                            names.at(0) + QStringLiteral(".krt")}));
    }

    // "Nastavení tisku" with the real dialog: the printer chosen there becomes
    // the window's printer; there is no printing to a file and no job options.
    void printerSetUpChoosesTheWindowsPrinter() {
        TestProgramDir dir;
        Application application(dir.path(), nullptr, [](int) {});
        QVERIFY(application.start());
        TForm1& form = *application.form1();
        form.printer().setPrinterName(QString()); // prints into a PDF file of its own
        QCOMPARE(form.printer().outputFormat(), QPrinter::PdfFormat);

        QStringList offered;
        QString title;
        QStringList buttonTexts;
        QTimer::singleShot(0, this, [&] {
            auto* setUp = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!setUp) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            title = setUp->windowTitle();
            auto* printers = setUp->findChild<QComboBox*>(QStringLiteral("printers"));
            QVERIFY(printers);
            for (int i = 0; i < printers->count(); ++i)
                offered << printers->itemText(i);
            printers->setCurrentIndex(printers->findText(pdftools::PdfPrinter));
            auto* buttons = setUp->findChild<QDialogButtonBox*>();
            for (QAbstractButton* button : buttons->buttons())
                if (!button->isHidden())
                    buttonTexts << button->text();
            buttonTexts.sort();
            buttons->button(QDialogButtonBox::Ok)->click();
        });
        commandsOf(form).trigger(Command::PrinterSetUp);

        QCOMPARE(title, QStringLiteral("Nastavení tisku"));
        QVERIFY(offered.contains(pdftools::PdfPrinter));
        QCOMPARE(offered.filter(QStringLiteral("File")), QStringList());
        QCOMPARE(buttonTexts, QStringList({QStringLiteral("Cancel"), QStringLiteral("OK")}));
        QCOMPARE(form.printer().printerName(), pdftools::PdfPrinter);
        QCOMPARE(form.printer().outputFormat(), QPrinter::NativeFormat);
    }
};

QTEST_MAIN(TestPrintWindowPdf)
#include "tst_print_window_pdf.moc"
