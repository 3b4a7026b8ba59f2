#include "core/WebSite.h"
#include "mainwindow/MainWindowHosts.h"
#include "print/CardPageLayout.h"
#include "print/TPrintForm.h"
#include "tests/support/AppFixture.h"
#include "tests/support/PdfTools.h"
#include "tests/support/PretendedPrinters.h"
#include "tests/support/TestCards.h"
#include "tests/support/ZipTools.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::writeCard;

namespace {

const QStringList KnihaRows{QStringLiteral("Autor=Karel Čapek"),
                            QStringLiteral("Název=Válka s mloky"), QStringLiteral("Rok=1936")};

// The rows of a CSV file as Python's csv module reads them.
QList<QStringList> pythonCsvRows(const QString& path) {
    const QString script =
        QStringLiteral("import csv, json, sys\n"
                       "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                       "    print(json.dumps(list(csv.reader(f))))\n");
    const ziptools::Run run =
        ziptools::runProgram(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(run.output).array()) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

// The mean grey difference per pixel of two images of one size.
double meanDifference(const QImage& a, const QImage& b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return double(sum) / (a.width() * a.height());
}

} // namespace

// The PDF and CSV files of the menu "Tisk", made without any printer: the
// program is made to see none, unless a test needs the preview to compare.
class TestPrintExports : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<AppFixture> program;

    TForm1& form() const { return program->form(); }
    TPrintForm& dialog() const { return *windowparts::dialog<TPrintForm>(program->application); }
    QString outPath(const QString& name) const { return dir->filePath(name); }
    void start() {
        program = std::make_unique<AppFixture>(*dir);
        QVERIFY(program->started);
    }
    // Runs the command of action, saving to path.
    void exportTo(QAction* action, const QString& path) {
        program->prompts.saveFileAnswers.enqueue(path);
        action->trigger();
    }

private slots:
    void initTestCase() {
        if (!pdftools::available())
            QSKIP("poppler-utils is not installed");
    }
    void init() {
        pretendPrinters({});
        dir = std::make_unique<TestProgramDir>();
        writeCard(*dir, QStringLiteral("Alfa"), {QStringLiteral("a=1")});
        writeCard(*dir, QStringLiteral("Kniha"), KnihaRows,
                  QStringLiteral("Půjčeno sousedovi, vrátit v pondělí."),
                  bitmapBytes(320, 240, QColor(0, 0, 255)));
    }
    void cleanup() {
        program.reset();
        dir.reset();
        stopPretendingPrinters();
    }

    void commandsFollowListOfAllInTheMenu() {
        start();
        const QList<QAction*> items = control<QMenu>(form(), "Tisk1")->actions();
        const qsizetype list = items.indexOf(control<QAction>(form(), "Listofitems1"));
        const QList<QAction*> exports{control<QAction>(form(), "Kartadopdf1"),
                                      control<QAction>(form(), "Seznamdopdf1"),
                                      control<QAction>(form(), "Exportdocsv1")};
        QCOMPARE(items.mid(list + 1, 3), exports);
        QStringList captions;
        for (QAction* action : exports)
            captions << action->text().remove(u'&');
        QCOMPARE(captions, QStringList({QStringLiteral("Uložit kartu do PDF…"),
                                        QStringLiteral("Uložit seznam do PDF…"),
                                        QStringLiteral("Exportovat do CSV…")}));

        // The card's PDF needs an open card, as printing it does.
        QVERIFY(!control<QAction>(form(), "Kartadopdf1")->isEnabled());
        QVERIFY(control<QAction>(form(), "Seznamdopdf1")->isEnabled() &&
                control<QAction>(form(), "Exportdocsv1")->isEnabled());
        program->open(1);
        QVERIFY(control<QAction>(form(), "Kartadopdf1")->isEnabled());
    }

    void eachAsksForAFileAndCancelWritesNothing() {
        start();
        program->open(1);
        for (QAction* action :
             {control<QAction>(form(), "Kartadopdf1"), control<QAction>(form(), "Seznamdopdf1"),
              control<QAction>(form(), "Exportdocsv1")})
            action->trigger();
        QCOMPARE(program->prompts.saveFileDialogs,
                 QStringList({QStringLiteral("Uložit kartu do PDF|Kniha.pdf|Dokument PDF (*.pdf)"),
                              QStringLiteral("Uložit seznam do PDF|Seznam souborů.pdf|"
                                             "Dokument PDF (*.pdf)"),
                              QStringLiteral("Exportovat do CSV|Kartotéka.csv|"
                                             "Hodnoty oddělené čárkami (*.csv)")}));
        QCOMPARE(program->prompts.allShown(), QStringList());
        QCOMPARE(QDir(dir->path()).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.csv")}),
                 QStringList());
    }

    // With the options as last set in the print dialog: numbered, with the
    // picture, grey.
    void cardPdfHoldsThePageWithSearchableText() {
        start();
        program->open(1);
        dialog().NrPrintCheck->setChecked(true);
        dialog().PicPrintCheck->setChecked(true);
        dialog().GrayPrintCheck->setChecked(true);
        const QString pdf = outPath(QStringLiteral("karta.pdf"));
        exportTo(control<QAction>(form(), "Kartadopdf1"), pdf);
        QCOMPARE(program->prompts.allShown(), QStringList());
        QCOMPARE(pdftools::pageCount(pdf), 1);

        const QStringList text = pdftools::textLines(pdf);
        const QString all = text.join(u'\n');
        QCOMPARE(text.first(), QStringLiteral("Kniha - 2"));
        for (const QString& expected :
             {QStringLiteral("Předmět"), QStringLiteral("Hodnota"), QStringLiteral("Karel Čapek"),
              QStringLiteral("Válka s mloky"), QStringLiteral("1936"),
              QStringLiteral("Půjčeno sousedovi, vrátit v pondělí."), kWebHost})
            QVERIFY2(all.contains(expected), qPrintable(expected));

        // The only image is the card's picture; the page itself is drawn.
        const QList<pdftools::PdfImage> images = pdftools::images(pdf);
        QCOMPARE(images.size(), 1);
        QCOMPARE(QSize(images.first().width, images.first().height), QSize(320, 240));

        // The blue picture turned grey, where the page places it.
        MainWindowPrintSource source(form());
        const CardPageLayout layout = cardpage::layOutCardPage(source, dialog().pageOptions());
        const QImage paper = pdftools::pageImage(pdf, 1, 100);
        const qreal scale = qreal(paper.width()) / CardPageLayout::PageWidth;
        const QPoint centre = layout.pictureArea.center() * scale;
        const QColor picture = paper.pixelColor(centre);
        QVERIFY2(qAbs(picture.red() - 85) <= 2 && picture.red() == picture.green() &&
                     picture.green() == picture.blue(),
                 qPrintable(picture.name()));
    }

    void cardWithoutPictureFileGetsNoPicture() {
        writeCard(*dir, QStringLiteral("Kniha"), KnihaRows);
        start();
        program->open(1);
        dialog().PicPrintCheck->setChecked(true); // as left by another card
        const QString pdf = outPath(QStringLiteral("karta.pdf"));
        exportTo(control<QAction>(form(), "Kartadopdf1"), pdf);
        QCOMPARE(program->prompts.allShown(), QStringList());
        QCOMPARE(pdftools::pageCount(pdf), 1);
        QCOMPARE(pdftools::images(pdf).size(), 0);
        QCOMPARE(pdftools::textLines(pdf).first(), QStringLiteral("Kniha"));
    }

    // With a printer to render the preview: the PDF shows the previewed page.
    void cardPdfIsThePrintedPage() {
        pretendPrinters({QStringLiteral("Fake")});
        start();
        program->open(1);
        commandsOf(form()).trigger(Command::PrintCard);
        dialog().close();
        const QString pdf = outPath(QStringLiteral("karta.pdf"));
        exportTo(control<QAction>(form(), "Kartadopdf1"), pdf);
        QCOMPARE(program->prompts.allShown(), QStringList());
        const QImage& page = dialog().pageBitmap();
        const QImage back =
            pdftools::pageImage(pdf, 1, 150)
                .scaled(page.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double mean = meanDifference(back, page);
        qInfo("mean grey difference per pixel: %.2f", mean);
        QVERIFY2(mean < 8, qPrintable(QString::number(mean)));
    }

    void listPdfHoldsEveryCardFile() {
        QStringList names{QStringLiteral("Alfa.krt"), QStringLiteral("Kniha.krt")};
        for (int i = 1; i <= 90; ++i) {
            const QString name = QStringLiteral("Žluťoučký kůň %1").arg(i, 3, 10, QChar(u'0'));
            writeCard(*dir, name, {});
            names << name + QStringLiteral(".krt");
        }
        start();
        const QString pdf = outPath(QStringLiteral("seznam.pdf"));
        exportTo(control<QAction>(form(), "Seznamdopdf1"), pdf);
        QCOMPARE(program->prompts.allShown(), QStringList());
        QVERIFY(pdftools::pageCount(pdf) >= 2);
        QStringList lines = pdftools::textLines(pdf);
        QCOMPARE(lines.mid(0, 3),
                 QStringList(
                     {QStringLiteral("Pelvarin Kartotéka - seznam souborů"), kWebHost, QString()}));
        lines.removeAll(QString());
        QCOMPARE(lines.mid(2), names);
    }

    void csvGivesEveryCardsRows() {
        writeCard(*dir, QStringLiteral("Citáty"),
                  {QStringLiteral("Výrok=\"Ano\", řekl."), QStringLiteral("Rovnice=a=b"),
                   QStringLiteral("Jen klíč")},
                  QStringLiteral("Dva řádky\r\npoznámek; s čárkou, a \"uvozovkami\""));
        writeCard(*dir, QStringLiteral("Prázdná"), {});
        start();
        form().setTitleCaptions({QStringLiteral("Věc"), QStringLiteral("Popis")});
        const QString csv = outPath(QStringLiteral("export.csv"));
        exportTo(control<QAction>(form(), "Exportdocsv1"), csv);
        QCOMPARE(program->prompts.allShown(), QStringList());
        QVERIFY(testcards::fileBytes(csv).startsWith("\xEF\xBB\xBF"));

        const QString notes = QStringLiteral("Půjčeno sousedovi, vrátit v pondělí.");
        QCOMPARE(pythonCsvRows(csv), (QList<QStringList>{
                                         {"Karta", "Věc", "Popis", "Poznámky"},
                                         {"Alfa", "a", "1", ""},
                                         {"Citáty", "Výrok", "\"Ano\", řekl.",
                                          "Dva řádky\npoznámek; s čárkou, a \"uvozovkami\""},
                                         {"Citáty", "Rovnice", "a=b", ""},
                                         {"Citáty", "Jen klíč", "", ""},
                                         {"Kniha", "Autor", "Karel Čapek", notes},
                                         {"Kniha", "Název", "Válka s mloky", ""},
                                         {"Kniha", "Rok", "1936", ""},
                                         {"Prázdná", "", "", ""},
                                     }));
    }

    void unreadableCardsAreNamedOnceAfterTheExport() {
        dir->writeFile(QStringLiteral("FILES/Poškozená.krt"), "PK\x03\x04 broken");
        dir->writeFile(QStringLiteral("FILES/Prázdný soubor.krt"), {});
        start();
        const QString csv = outPath(QStringLiteral("export.csv"));
        exportTo(control<QAction>(form(), "Exportdocsv1"), csv);
        QCOMPARE(program->prompts.errors, QStringList());
        QCOMPARE(program->prompts.messages,
                 QStringList{QStringLiteral("Tyto soubory nelze přečíst a v souboru CSV chybí:\n"
                                            "Poškozená.krt\nPrázdný soubor.krt")});
        const QList<QStringList> rows = pythonCsvRows(csv);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.last(), QStringList({"Kniha", "Rok", "1936", ""}));
    }

    void writeFailuresNameTheFile() {
        start();
        program->open(1);
        // A folder where the file must go.
        const QString blocked = outPath(QStringLiteral("obsazeno"));
        QVERIFY(QDir().mkpath(blocked));
        for (QAction* action :
             {control<QAction>(form(), "Kartadopdf1"), control<QAction>(form(), "Seznamdopdf1"),
              control<QAction>(form(), "Exportdocsv1")})
            exportTo(action, blocked);
        const QStringList errors = program->prompts.errors;
        QCOMPARE(errors.size(), 3);
        for (const QString& error : errors)
            QVERIFY2(error.startsWith(QStringLiteral("Soubor \"%1\" nelze uložit").arg(blocked)),
                     qPrintable(error));
        QVERIFY(QFileInfo(blocked).isDir());
    }
};

QTEST_MAIN(TestPrintExports)
#include "tst_print_exports.moc"
