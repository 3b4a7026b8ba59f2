#include "core/StoredColor.h"
#include "mainwindow/Application.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "print/CardPageRenderer.h"
#include "print/TPrintForm.h"
#include "tests/support/AppFixture.h"
#include "tests/support/PretendedPrinters.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestPrintSource.h"
#include "widgets/InstalledPrinters.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::writeCard;

namespace {

// The whole program, whose printer set-up is always confirmed.
struct Program : AppFixture {
    explicit Program(const TestProgramDir& dir) : AppFixture(dir) {
        prompts.printerSetupAnswer = true;
    }
    TPrintForm& dialog() const { return *windowparts::dialog<TPrintForm>(application); }
};

} // namespace

// The commands of the menu "Tisk" in the running program, with a pretended list
// of printers: rendering needs one, printing on it is never tried here.
class TestPrintWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { pretendPrinters({QStringLiteral("Fake")}); }
    void cleanup() { stopPretendingPrinters(); }

    void openCardIsRenderedAsTheEditorShowsIt_data() {
        QTest::addColumn<bool>("pictureFile");
        QTest::addColumn<bool>("viaButton");
        QTest::newRow("picture, F5") << true << false;
        QTest::newRow("picture, tool button") << true << true;
        QTest::newRow("no picture, F5") << false << false;
        QTest::newRow("no picture, tool button") << false << true;
    }
    void openCardIsRenderedAsTheEditorShowsIt() {
        QFETCH(bool, pictureFile);
        QFETCH(bool, viaButton);
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Alfa"), {QStringLiteral("a=1")});
        writeCard(dir, QStringLiteral("Kniha"), {QStringLiteral("Autor=Karel Čapek")},
                  QStringLiteral("Poznámka"),
                  pictureFile ? bitmapBytes(64, 48, QColor(0, 0, 255)) : QByteArray());
        const QString cardFile = dir.cardDir() + QStringLiteral("Kniha.krt");
        const QByteArray savedCard = testcards::fileBytes(cardFile);
        Program program(dir);
        QVERIFY(program.started);
        QVERIFY(program.show());
        const auto printOpenCard = [&] {
            if (viaButton) {
                control<QToolButton>(program.form(), "SpeedButton11")->click();
            } else {
                control<NotesEdit>(program.form(), "Memo1")->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
            }
        };
        printOpenCard(); // nothing is open yet
        QVERIFY(!program.dialog().isVisible());

        // The last card's choice must not carry over.
        program.dialog().PicPrintCheck->setChecked(!pictureFile);
        program.open(1);
        const QStringList rows{QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Rok=1936")};
        control<KeyValueGrid>(program.form(), "ListB")->setStrings(rows);
        control<NotesEdit>(program.form(), "Memo1")
            ->setText(QStringLiteral("Nová poznámka\r\ndruhý řádek"));
        QVERIFY(program.card().Modified());
        printOpenCard();

        TPrintForm& dialog = program.dialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.parentWidget(), &program.form());
        QCOMPARE(program.state().PrintMode, QStringLiteral("SOUBOR"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Tisk: Kniha"));
        QCOMPARE(dialog.PicPrintCheck->isEnabled(), pictureFile);
        QCOMPARE(dialog.PicPrintCheck->isChecked(), pictureFile);
        QCOMPARE(program.state().PrintPicture, pictureFile);

        // The page shows the unsaved edits, which stay unsaved.
        TestPrintSource expected;
        expected.name = QStringLiteral("Kniha");
        expected.cards = {QStringLiteral("Alfa.krt"), QStringLiteral("Kniha.krt")};
        expected.rows = rows;
        expected.notes = QStringLiteral("Nová poznámka\r\ndruhý řádek");
        expected.font = control<NotesEdit>(program.form(), "Memo1")->font();
        expected.image = control<PictureBox>(program.form(), "Image1")->picture();
        QImage page;
        const PageGeometry geometry =
            CardPageRenderer().render(expected, {false, pictureFile, false}, page);
        QCOMPARE(dialog.pageBitmap(), page);
        QCOMPARE(dialog.pageBitmap().pixelColor(180, geometry.y4 + 130) == QColor(0, 0, 255),
                 pictureFile);
        QVERIFY(program.card().Modified());
        QCOMPARE(testcards::fileBytes(cardFile), savedCard);
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void listOfAllCardsShowsTheListMode() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Kniha"), {QStringLiteral("a=1")});
        Program program(dir);
        program.open(0);
        commandsOf(program.form()).trigger(Command::PrintCard);
        program.dialog().close();

        commandsOf(program.form()).trigger(Command::PrintList);
        TPrintForm& dialog = program.dialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(program.state().PrintMode, QStringLiteral("SEZNAM"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Tisk: Seznam všech"));
        for (QCheckBox* check : {dialog.PicPrintCheck, dialog.GrayPrintCheck, dialog.NrPrintCheck})
            QVERIFY(!check->isEnabled());
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void printerSetUpRunsOnTheWindowsPrinter() {
        TestProgramDir dir;
        Program program(dir);
        commandsOf(program.form()).trigger(Command::PrinterSetUp);
        QCOMPARE(program.prompts.printerSetUps, QList<QPrinter*>{&program.form().printer()});
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void withoutPrinterTheCommandsSaySo() {
        pretendPrinters({});
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Kniha"), {QStringLiteral("a=1")});
        Program program(dir);
        program.open(0);
        TPrintForm& dialog = program.dialog();
        const QString none = QStringLiteral("Nenalezena žádná tiskárna.");

        commandsOf(program.form()).trigger(Command::PrintCard);
        QCOMPARE(program.prompts.messages, QStringList{none});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.ListBox1->count(), 1);
        QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("* Printers *"));
        dialog.close();

        commandsOf(program.form()).trigger(Command::PrintList);
        QCOMPARE(program.prompts.messages, QStringList({none, none}));
        QVERIFY(dialog.isVisible());

        commandsOf(program.form()).trigger(Command::PrinterSetUp);
        QCOMPARE(program.prompts.messages.last(), QStringLiteral("Nenalezena žádná tiskárna!"));
        QVERIFY(program.prompts.printerSetUps.isEmpty());
        QVERIFY(program.prompts.errors.isEmpty());
    }

    void printerListSelectsNoRowForTheFirstPrinter_data() {
        QTest::addColumn<bool>("currentFirst");
        QTest::newRow("current printer first") << true;
        QTest::newRow("current printer second") << false;
    }
    void printerListSelectsNoRowForTheFirstPrinter() {
        QFETCH(bool, currentFirst);
        const QString current = QPrinter().printerName();
        if (current.isEmpty())
            QSKIP("no printer is installed, so the window's printer has none current");
        const QString other = QStringLiteral("Other");
        pretendPrinters(currentFirst ? QStringList{current, other} : QStringList{other, current});
        TestProgramDir dir;
        Program program(dir);
        const QList<QListWidgetItem*> selected = program.dialog().ListBox1->selectedItems();
        if (currentFirst) {
            QVERIFY(selected.isEmpty());
        } else {
            QCOMPARE(selected.size(), 1);
            QCOMPARE(selected.first()->text(), current);
        }
    }

    void dialogTakesTheBackColourWhenShown() {
        TestProgramDir dir;
        Program program(dir);
        TPrintForm& dialog = program.dialog();
        const auto background = [&] { return dialog.palette().color(QPalette::Window); };
        QCOMPARE(background(), storedcolor::colorFromStored(program.state().BackColor));

        program.form().applyBackColor(storedcolor::storedFromColor(QColor(10, 20, 30)));
        commandsOf(program.form()).trigger(Command::PrintList);
        QCOMPARE(background(), QColor(10, 20, 30));
        program.form().applyBackColor(storedcolor::storedFromColor(QColor(200, 100, 50)));
        QCOMPARE(background(), QColor(10, 20, 30));
        dialog.close();
        commandsOf(program.form()).trigger(Command::PrintList);
        QCOMPARE(background(), QColor(200, 100, 50));
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_print_window.moc"
