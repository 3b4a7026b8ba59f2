#include "core/WebSite.h"
#include "print/CardListPrinter.h"
#include "tests/support/PdfTools.h"
#include "tests/support/ScriptedPrompts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPrinter>
#include <QtTest>

// The card list printed through Qt's PDF output: the same printer path as a
// real printer up to the point where CUPS takes the job over.
class TestCardListPrinter : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    ScriptedPrompts prompts;

    static QStringList cardFiles(int count) {
        QStringList files;
        for (int i = 1; i <= count; ++i)
            files << QStringLiteral("karta %1 čí.krt").arg(i, 3, 10, QChar(u'0'));
        return files;
    }

    void usePdf(QPrinter& printer, const QString& path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    // Lines that fit on one page in the 11-point list font.
    static int linesPerPage(QPrinter& printer) {
        QFont font = QGuiApplication::font();
        font.setPointSize(11);
        const int lineHeight = QFontMetrics(font, &printer).height();
        return int(printer.pageRect(QPrinter::DevicePixel).height()) / lineHeight;
    }

private slots:
    void initTestCase() {
        if (!pdftools::available())
            QSKIP("poppler-utils is not installed");
    }
    void init() { prompts = ScriptedPrompts(); }

    void printsHeaderThenOneLinePerCard() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = dir.filePath(QStringLiteral("short.pdf"));
        usePdf(printer, pdf);
        const QStringList cards = cardFiles(4);
        cardlistprinter::PrintCardList(printer, cards, prompts);
        QCOMPARE(prompts.allShown(), QStringList());
        QCOMPARE(pdftools::pageCount(pdf), 1);

        QStringList lines = pdftools::textLines(pdf);
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        const QStringList expected =
            QStringList{QStringLiteral("Pelvarin Kartotéka - seznam souborů"), kWebHost,
                        QString()} +
            cards;
        QCOMPARE(lines, expected);
    }

    void continuesOnFurtherPages_data() {
        QTest::addColumn<int>("extra");
        QTest::newRow("exactly full page") << 0;
        QTest::newRow("one line more") << 1;
        QTest::newRow("two pages and some") << 80;
    }
    void continuesOnFurtherPages() {
        QFETCH(int, extra);
        QPrinter printer;
        const QString pdf = dir.filePath(QStringLiteral("long%1.pdf").arg(extra));
        usePdf(printer, pdf);
        const int perPage = linesPerPage(printer);
        const int count = perPage - 3 + extra; // three header lines
        const QStringList cards = cardFiles(count);
        cardlistprinter::PrintCardList(printer, cards, prompts);
        QCOMPARE(prompts.allShown(), QStringList());

        const int pages = (3 + count + perPage - 1) / perPage;
        QCOMPARE(pdftools::pageCount(pdf), pages);
        // Every card once, in list order, and the last on the last page.
        QStringList printed = pdftools::textLines(pdf);
        printed.removeAll(QString());
        QCOMPARE(printed.mid(2), cards);
        QVERIFY(pdftools::textLines(pdf, pages, pages).contains(cards.last()));
        if (pages > 1)
            QVERIFY(pdftools::textLines(pdf, 2, 2).contains(cards.at(perPage - 3)));
    }

    void failureShowsTheMessageAndReturns() {
        // A directory where the output file must go makes the job fail.
        const QString blocked = dir.filePath(QStringLiteral("blocked.pdf"));
        QVERIFY(QDir().mkpath(blocked));
        QPrinter printer;
        usePdf(printer, blocked);
        cardlistprinter::PrintCardList(printer, cardFiles(3), prompts);
        QCOMPARE(prompts.messages, QStringList{cardlistprinter::cardListPrintErrorText()});
        QCOMPARE(cardlistprinter::cardListPrintErrorText(),
                 QStringLiteral("Nastala chyba. Zkontrolujte prosím, jestli je vaše tiskárna "
                                "připojena."));
    }

    void abortedListIsNotPrinted() {
        QPrinter printer;
        const QString pdf = dir.filePath(QStringLiteral("aborted.pdf"));
        usePdf(printer, pdf);
        int asked = 0;
        cardlistprinter::PrintCardList(printer, cardFiles(3 * linesPerPage(printer)), prompts, [&] {
            ++asked;
            return true;
        });
        QVERIFY(asked > 0);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(prompts.allShown(), QStringList());
    }
};

QTEST_MAIN(TestCardListPrinter)
#include "tst_print_cardlist.moc"
