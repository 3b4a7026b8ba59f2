#include "core/StoredColor.h"
#include "print/CardPageRenderer.h"
#include "print/TPrintForm.h"
#include "storage/AppState.h"
#include "tests/support/PretendedPrinters.h"
#include "tests/support/PrintDialogFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestPrintSource.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/UrlCatcher.h"
#include "widgets/ClickableLabel.h"
#include "widgets/InstalledPrinters.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// The rectangle of the non-white pixels.
QRect inked(const QImage& image) {
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff)
                found |= QRect(x, y, 1, 1);
    return found;
}

} // namespace

// The print dialog with a pretended list of printers: no printer at all, or
// printers that rendering needs but that are never printed on.
class TestPrintDialog : public QObject, private PrintDialogFixture {
    Q_OBJECT
private:
    std::unique_ptr<UrlCatcher> urls;

    QString outputBmp() const { return dir->workDir() + QStringLiteral("Output.bmp"); }

private slots:
    void init() {
        reset();
        source->name = QStringLiteral("Kniha");
        source->cards = {QStringLiteral("A.krt"), QStringLiteral("B.krt"),
                         QStringLiteral("Kniha.krt")};
        source->rows = {QStringLiteral("Autor=Karel Čapek")};
        source->notes = QStringLiteral("Poznámka");
        source->image = testcards::filledImage(QSize(320, 240), QColor(0, 120, 0));
        urls.reset(); // before its successor catches the same schemes
        urls = std::make_unique<UrlCatcher>(
            QStringList{QStringLiteral("file"), QStringLiteral("https")});
        pretendPrinters({QStringLiteral("Fake")});
    }
    void cleanup() {
        form.reset();
        stopPretendingPrinters();
    }

    void withoutPrinterTheListShowsAPlaceholder() {
        pretendPrinters({});
        TPrintForm& dialog = makeForm();
        QCOMPARE(dialog.ListBox1->count(), 1);
        QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("* Printers *"));
        QVERIFY(dialog.pageBitmap().isNull());
    }

    void withoutPrinterShowingTellsSoAndShowsTheDialog() {
        pretendPrinters({});
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Nenalezena žádná tiskárna.")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(state.PrintMode, QStringLiteral("SOUBOR"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Tisk: Kniha"));
        QVERIFY(inked(dialog.previewImage()).isEmpty());
        QVERIFY(!QFileInfo::exists(outputBmp()));
    }

    void withoutPrinterPrintingFailsWithAnErrorAndLeavesTheDialog() {
        pretendPrinters({});
        TPrintForm& dialog = makeForm();
        dialog.printCardList();
        prompts.messages.clear();
        dialog.SpeedButton1Click();
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(!prompts.errors.first().isEmpty());
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.printing());
        QVERIFY(dialog.PrintPanel->isHidden());
    }

    void printerSetUpNeedsAPrinter() {
        ScriptedPrompts counting;
        counting.printerSetupAnswer = true;
        pretendPrinters({});
        TPrintForm dialog(state, counting, *source);
        dialog.printerSetUp();
        QCOMPARE(counting.messages, QStringList{QStringLiteral("Nenalezena žádná tiskárna!")});
        QCOMPARE(counting.printerSetUps.size(), 0);

        pretendPrinters({QStringLiteral("Fake")});
        dialog.printerSetUp();
        QCOMPARE(counting.printerSetUps.size(), 1);
        QCOMPARE(counting.messages.size(), 1);
    }

    void cardModeRendersThePageAndItsCopy() {
        TPrintForm& dialog = makeForm();
        QVERIFY(!QFileInfo::exists(outputBmp()));
        dialog.printOpenCard();
        QVERIFY(prompts.allShown().isEmpty());

        QImage expected;
        CardPageRenderer().render(*source, {}, expected);
        QCOMPARE(dialog.pageBitmap(), expected);
        QCOMPARE(QImage(outputBmp()).convertToFormat(QImage::Format_RGB32), expected);
        QVERIFY(!inked(dialog.previewImage()).isEmpty());
        QCOMPARE(dialog.previewImage().size(), QSize(210, 297));
        QVERIFY(dialog.GrayPrintCheck->isEnabled());
        QVERIFY(dialog.NrPrintCheck->isEnabled());
    }

    void pictureOptionFollowsThePictureFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no picture file") << QString() << false;
        QTest::newRow("picture file") << QStringLiteral("Kniha1.bmp") << true;
        QTest::newRow("other letter case") << QStringLiteral("KNIHA1.BMP") << true;
        QTest::newRow("another card's picture") << QStringLiteral("Kniha21.bmp") << false;
    }
    void pictureOptionFollowsThePictureFile() {
        QFETCH(QString, file);
        QFETCH(bool, expected);
        if (!file.isEmpty())
            source->image.save(dir->workDir() + file, "BMP");
        state.PrintPicture = !expected; // the last card's choice
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QCOMPARE(dialog.PicPrintCheck->isEnabled(), expected);
        QCOMPARE(dialog.PicPrintCheck->isChecked(), expected);
        QCOMPARE(state.PrintPicture, expected);
        // The page is rendered again with the picture or without it.
        const QColor green(0, 120, 0);
        bool hasGreen = false;
        for (int y = 0; y < dialog.pageBitmap().height() && !hasGreen; y += 4)
            hasGreen = dialog.pageBitmap().pixelColor(180, y) == green;
        QCOMPARE(hasGreen, expected);
    }

    void listModeDisablesTheOptionsAndPreviewsOnlyATitle() {
        TPrintForm& dialog = makeForm();
        dialog.printCardList();
        QCOMPARE(state.PrintMode, QStringLiteral("SEZNAM"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Tisk: Seznam všech"));
        for (QCheckBox* check : {dialog.PicPrintCheck, dialog.GrayPrintCheck, dialog.NrPrintCheck})
            QVERIFY(!check->isEnabled());
        const QRect ink = inked(dialog.previewImage());
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.left() >= 5 && ink.top() >= 10);
        QVERIFY(ink.bottom() < 40 && ink.right() < 150);
        QVERIFY(!QFileInfo::exists(outputBmp()));
    }

    void optionsRenderThePageAgain() {
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        const QImage colour = dialog.pageBitmap();

        dialog.GrayPrintCheck->click();
        QVERIFY(state.PrintGray);
        QCOMPARE(dialog.pageBitmap().format(), QImage::Format_RGB888);

        dialog.GrayPrintCheck->click();
        QVERIFY(!state.PrintGray);
        QCOMPARE(dialog.pageBitmap(), colour);

        dialog.NrPrintCheck->click();
        QImage numbered;
        CardPageRenderer().render(*source, {true, false, false}, numbered);
        QCOMPARE(dialog.pageBitmap(), numbered);
        QCOMPARE(QImage(outputBmp()).convertToFormat(QImage::Format_RGB32), numbered);
    }

    // Another card shown while the dialog stays open, then F5 again: the page
    // is that card's, never the one rendered before under the new title.
    void printCommandAimedAtTheOpenDialogRendersAnew() {
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        const QImage first = dialog.pageBitmap();
        source->name = QStringLiteral("B");
        source->rows << QStringLiteral("Rok=1936");
        dialog.printOpenCard();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Tisk: B"));
        QImage expected;
        CardPageRenderer().render(*source, dialog.pageOptions(), expected);
        QCOMPARE(dialog.pageBitmap(), expected);
        QVERIFY(dialog.pageBitmap() != first);
        QCOMPARE(QImage(outputBmp()).convertToFormat(QImage::Format_RGB32), expected);

        // The list command aimed at it shows the list mode.
        dialog.printCardList();
        QVERIFY(!dialog.NrPrintCheck->isEnabled());
        const QRect ink = inked(dialog.previewImage());
        QVERIFY(!ink.isEmpty() && ink.bottom() < 40 && ink.right() < 150);
        dialog.printOpenCard();
        QVERIFY(dialog.NrPrintCheck->isEnabled());
        QCOMPARE(dialog.pageBitmap(), expected);

        dialog.close();
        QVERIFY(!dialog.isVisible());
        source->rows << QStringLiteral("Vydal=Melantrich");
        dialog.printOpenCard();
        QVERIFY(dialog.pageBitmap() != expected);
        QCOMPARE(prompts.allShown(), QStringList());
    }

    void firstPrinterCurrentSelectsNoRow() {
        const QString current = source->printer().printerName();
        if (current.isEmpty())
            QSKIP("no printer is installed, so there is no current printer");
        pretendPrinters({current, QStringLiteral("Other")});
        QVERIFY(makeForm().ListBox1->selectedItems().isEmpty());

        pretendPrinters({QStringLiteral("Other"), current});
        QCOMPARE(makeForm().ListBox1->currentRow(), 1);
        QCOMPARE(form->ListBox1->selectedItems().size(), 1);
    }

    void escapeClosesAndEnterPrints() {
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QTest::keyClick(dialog.ListBox1, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());

        // "Fake" is no real printer: the print command reports it and the
        // dialog stays as it was.
        dialog.printOpenCard();
        dialog.NrPrintCheck->setFocus();
        QTest::keyClick(dialog.NrPrintCheck, Qt::Key_Return);
        QCOMPARE(prompts.errors,
                 QStringList{QStringLiteral("Tiskárna \"Fake\" není k dispozici.")});
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.PrintPanel->isHidden());
    }

    void previewClickOpensThePageCopyOnlyWhenItExists() {
        TPrintForm& dialog = makeForm();
        dialog.printCardList(); // list mode writes no copy
        QTest::mouseClick(dialog.PrintPrew, Qt::LeftButton);
        QVERIFY(urls->opened.isEmpty());

        dialog.close();
        dialog.printOpenCard();
        QTest::mouseClick(dialog.PrintPrew, Qt::LeftButton);
        QCOMPARE(urls->opened, QList<QUrl>{QUrl::fromLocalFile(outputBmp())});
    }

    void helpOpensThePrintingPage() {
        TPrintForm& dialog = makeForm();
        QTest::mouseClick(dialog.Label4, Qt::LeftButton);
        QCOMPARE(urls->opened.size(), 1);
        QVERIFY(
            urls->opened.first().toString().endsWith(QStringLiteral("/tavrosk/help/tisk.html")));
    }

    void pageCopyThatCannotBeWrittenIsReported() {
        QVERIFY(QDir().mkpath(outputBmp()));
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().contains(QStringLiteral("Output.bmp")));
        QVERIFY(!inked(dialog.previewImage()).isEmpty());
    }

    void pageCopyIsNotWrittenThroughALink() {
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.path() + QStringLiteral("/victim.bmp");
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("precious");
        precious.close();
        QVERIFY(QFile::link(victim, outputBmp()));
        TPrintForm& dialog = makeForm();
        dialog.printOpenCard();
        QVERIFY(prompts.errors.isEmpty());
        QVERIFY(!QFileInfo(outputBmp()).isSymLink());
        QVERIFY(!QImage(outputBmp()).isNull());
        QCOMPARE(testcards::fileBytes(victim), QByteArray("precious"));
    }

    void backColourIsTakenWhenCreatedAndShown() {
        state.BackColor = storedcolor::storedFromColor(QColor(10, 20, 30));
        TPrintForm& dialog = makeForm();
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(10, 20, 30));
        dialog.printCardList();
        state.BackColor = storedcolor::storedFromColor(QColor(200, 100, 50));
        dialog.printCardList(); // only brought to the front
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(10, 20, 30));
        dialog.close();
        dialog.printCardList();
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(200, 100, 50));
    }
};

QTEST_MAIN(TestPrintDialog)
#include "tst_print_dialog.moc"
