#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/AppError.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WindowEvents.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using fixture::Started;
using testcards::writeCard;

namespace {

// Five cards "1".."5", numbered as their names.
void WriteFiveCards(const TestProgramDir& dir) {
    for (int i = 1; i <= 5; ++i)
        writeCard(dir, QString::number(i), {QStringLiteral("číslo=%1").arg(i)});
}

QString OpenCardName(const Started& started) {
    return started.card().CardLoaded() ? started.card().CurrentCardName() : QString();
}

} // namespace

// Stepping through the cards, the window state, shortcuts and geometry.
class TestMainWindowNavigation : public QObject {
    Q_OBJECT
private slots:
    void nextAndPreviousStopAtTheEnds() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        started.form->SpeedButton8Click(); // previous with nothing selected
        QCOMPARE(OpenCardName(started), QString());
        started.form->SpeedButton9Click(); // next with nothing selected opens the first
        QCOMPARE(OpenCardName(started), QStringLiteral("1"));
        started.form->SpeedButton8Click();
        QCOMPARE(control<CardList>(started.form, "List")->itemIndex(), 0);
        started.form->Pejtnaposledn1Click();
        QCOMPARE(OpenCardName(started), QStringLiteral("5"));
        started.form->SpeedButton9Click();
        QCOMPARE(OpenCardName(started), QStringLiteral("5"));
        started.form->SpeedButton8Click();
        QCOMPARE(OpenCardName(started), QStringLiteral("4"));
        started.form->Pejtnaprvn1Click();
        QCOMPARE(OpenCardName(started), QStringLiteral("1"));
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka - (1) 1"));
        QVERIFY(started.prompts.allShown().isEmpty());
    }

    void emptyListDoesNothing() {
        TestProgramDir dir;
        Started started(dir);
        QCOMPARE(control<CardList>(started.form, "List")->toolTip(),
                 QStringLiteral("Celkem 0 záznamů."));
        started.form->SpeedButton9Click();
        started.form->SpeedButton8Click();
        started.form->Pejtnaprvn1Click();
        started.form->Pejtnaposledn1Click();
        started.form->Pejtnakartu1Click();
        QCOMPARE(started.prompts.inputs,
                 QStringList({QStringLiteral("Přejít na kartu číslo:|Maximálně: 0|0")}));
        QVERIFY(!started.card().CardLoaded());
        QVERIFY(started.prompts.allShown().isEmpty());
    }

    void goToCard_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("opened");
        QTest::newRow("3 opens the third") << QStringLiteral("3") << QStringLiteral("3");
        QTest::newRow("not a number") << QStringLiteral("tři") << QStringLiteral("2");
        QTest::newRow("past the end") << QStringLiteral("9") << QStringLiteral("2");
        QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("2");
        QTest::newRow("Cancel reopens the selected") << QString() << QStringLiteral("2");
    }
    void goToCard() {
        QFETCH(QString, answer);
        QFETCH(QString, opened);
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        started.Open(1);
        control<NotesEdit>(started.form, "Memo1")
            ->setText(QStringLiteral("unsaved")); // reopening must not lose it silently
        if (!answer.isNull())
            started.prompts.inputAnswers.enqueue(answer);
        started.form->Pejtnakartu1Click();
        QCOMPARE(started.prompts.inputs,
                 QStringList({QStringLiteral("Přejít na kartu číslo:|Maximálně: 5|2")}));
        QVERIFY(started.prompts.allShown().isEmpty());
        QCOMPARE(OpenCardName(started), opened);
    }

    void goToCardDropsErrorsOfTheOpen() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        dir.writeFile(QStringLiteral("FILES/6.krt"), "no archive");
        Started started(dir);
        started.prompts.inputAnswers.enqueue(QStringLiteral("6"));
        started.form->Pejtnakartu1Click();
        QVERIFY(started.prompts.allShown().isEmpty());
        QVERIFY(!started.card().CardLoaded());
    }

    // The save of the card being left is no part of the open: its failure is
    // shown, and the card stays open with its changes.
    void goToCardStopsAtAFailedSave() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        started.state.AutoSave = true;
        started.Open(0);
        control<KeyValueGrid>(started.form, "ListB")
            ->setStrings({QStringLiteral("k=\u4e00")}); // not in code page 1250
        started.prompts.inputAnswers.enqueue(QStringLiteral("3"));
        commandguard::runGuarded(started.prompts, [&] { started.form->Pejtnakartu1Click(); });
        QCOMPARE(started.prompts.messages.size(), 1);
        QVERIFY(started.prompts.messages.first().startsWith(QStringLiteral("Kartu nelze uložit")));
        QCOMPARE(OpenCardName(started), QStringLiteral("1"));
        QVERIFY(started.card().Modified());
    }

    void keysInTheList() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        QSignalSpy deleteCommand(control<QAction>(started.form, "Delete1"), &QAction::triggered);
        started.form->ListKeyUp(Qt::Key_Delete); // no card open
        QCOMPARE(deleteCommand.count(), 0);
        control<CardList>(started.form, "List")->setItemIndex(2);
        started.form->ListKeyUp(Qt::Key_Return);
        QCOMPARE(OpenCardName(started), QStringLiteral("3"));
        control<CardList>(started.form, "List")
            ->setItemIndex(0); // Delete acts on the open card, whatever is selected
        started.form->ListKeyUp(Qt::Key_Delete);
        QCOMPARE(deleteCommand.count(), 1);
        QCOMPARE(OpenCardName(started), QStringLiteral("3"));
    }

    // Enter that dismisses a message box the list's open has shown is released
    // over the list: that release must not open the card, and show the box, again.
    void keyReleasedWithoutItsPressInTheListDoesNothing() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        QSignalSpy deleteCommand(control<QAction>(started.form, "Delete1"), &QAction::triggered);
        control<CardList>(started.form, "List")->setFocus();
        control<CardList>(started.form, "List")->setItemIndex(2);
        QTest::keyRelease(control<CardList>(started.form, "List"), Qt::Key_Return);
        QCOMPARE(OpenCardName(started), QString());
        QTest::keyClick(control<CardList>(started.form, "List"), Qt::Key_Return);
        QCOMPARE(OpenCardName(started), QStringLiteral("3"));
        QTest::keyRelease(control<CardList>(started.form, "List"), Qt::Key_Delete);
        QCOMPARE(deleteCommand.count(), 0);
        QTest::keyPress(control<CardList>(started.form, "List"), Qt::Key_Delete);
        QTest::keyRelease(control<CardList>(started.form, "List"), Qt::Key_Delete);
        QCOMPARE(deleteCommand.count(), 1);
    }

    void windowStateFollowsTheOpenCard() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        TForm1& form = *started.form;
        const QList<QAction*> byState = {
            control<QAction>(form, "Save1"),         control<QAction>(form, "Pejmenovat1"),
            control<QAction>(form, "Delete1"),       control<QAction>(form, "Selecteditem1"),
            control<QAction>(form, "Undo1"),         control<QAction>(form, "Addline1"),
            control<QAction>(form, "Historiekarty1")};
        const QList<QWidget*> controls = {
            control<QWidget>(form, "Panel3"),           control<QToolButton>(form, "SpeedButton1"),
            control<QToolButton>(form, "SpeedButton2"), control<QToolButton>(form, "SpeedButton3"),
            control<QToolButton>(form, "SpeedButton6"), control<QToolButton>(form, "SpeedButton11"),
            control<QToolButton>(form, "SpeedButton12")};
        for (QAction* action : byState)
            QVERIFY(!action->isEnabled());
        for (QWidget* control : controls)
            QVERIFY(!control->isEnabled());
        QVERIFY(!control<QMenu>(form, "Edit1")->isEnabled());
        QVERIFY(control<QLabel>(form, "Label1")->isVisibleTo(&form));
        QVERIFY(control<QAction>(form, "Add1")->isEnabled() &&
                control<QAction>(form, "Listofitems1")->isEnabled() &&
                control<QAction>(form, "Konec1")->isEnabled());

        started.Open(0);
        for (QAction* action : byState)
            QVERIFY(action->isEnabled());
        for (QWidget* control : controls)
            QVERIFY(control->isEnabled());
        QVERIFY(control<QMenu>(form, "Edit1")->isEnabled());
        QVERIFY(control<QWidget>(form, "Panel7")->isVisibleTo(&form) &&
                control<KeyValueGrid>(form, "ListB")->isVisibleTo(&form));
        QVERIFY(!control<QLabel>(form, "Label1")->isVisibleTo(&form));

        started.card().closeCard(); // as after deleting the open card file
        QCOMPARE(form.windowTitle(), QStringLiteral("Pelvarin Kartotéka"));
        QVERIFY(!control<QWidget>(form, "Panel7")->isVisibleTo(&form));
        QVERIFY(!control<QAction>(form, "Save1")->isEnabled());
    }

    void shortcutsWinOverTextControls_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("notes") << QStringLiteral("Memo1");
        QTest::newRow("table") << QStringLiteral("ListB");
        QTest::newRow("quick search") << QStringLiteral("Edit2");
    }
    void shortcutsWinOverTextControls() {
        QFETCH(QString, control);
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        started.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(started.form.get()));
        started.Open(2);
        QWidget* target = started.form->findChild<QWidget*>(control);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QCOMPARE(OpenCardName(started), QStringLiteral("1"));
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QCOMPARE(OpenCardName(started), QStringLiteral("5"));
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(OpenCardName(started), QStringLiteral("4"));
    }

    void withoutNavigationKeysHomeStaysInTheText() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        started.form->setNavigationKeys(false);
        started.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(started.form.get()));
        started.Open(2);
        control<NotesEdit>(started.form, "Memo1")->setFocus();
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("abc"));
        control<NotesEdit>(started.form, "Memo1")->moveCursor(QTextCursor::End);
        QTest::keyClick(control<NotesEdit>(started.form, "Memo1"), Qt::Key_Home);
        QCOMPARE(OpenCardName(started), QStringLiteral("3"));
        QCOMPARE(control<NotesEdit>(started.form, "Memo1")->textCursor().position(), 0);
    }

    void disabledMenuItemsDoNothingOnTheirShortcut() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        Started started(dir);
        int added = 0;
        started.commands().bind(Command::AddLine, [&] { ++added; });
        started.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(started.form.get()));
        control<CardList>(started.form, "List")->setFocus();
        QTest::keyClick(control<CardList>(started.form, "List"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(added, 0);
        // The menu alone disabled (its item enabled) is not enough to run it.
        control<QAction>(started.form, "Addline1")->setEnabled(true);
        QVERIFY(!started.commands().isAvailable(Command::AddLine));
        QTest::keyClick(control<CardList>(started.form, "List"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(added, 0);
        started.Open(0);
        QVERIFY(started.commands().isAvailable(Command::AddLine));
        control<KeyValueGrid>(started.form, "ListB")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(added, 1);
    }

    void errorsOfBoundCommandsGoToTheErrorBox() {
        TestProgramDir dir;
        Started started(dir);
        bool after = false;
        started.commands().bind(Command::PrintList, [&] {
            throw AppError(QStringLiteral("Tiskárna neodpovídá"));
            after = true;
        });
        started.commands().trigger(Command::PrintList);
        QCOMPARE(started.prompts.errors, QStringList({QStringLiteral("Tiskárna neodpovídá")}));
        QVERIFY(!after);
    }

    // The files reach the card in the order of the drop; the error of one that
    // cannot be read goes to the error box and ends the drop there.
    void droppedFilesReachTheOpenCard() {
        TestProgramDir dir;
        WriteFiveCards(dir);
        dir.writeFile("poznámky.txt", "z disku");
        const QString unreadable = dir.path() + QStringLiteral("složka.txt");
        QVERIFY(QDir().mkpath(unreadable));
        Started started(dir);
        started.Open(0);
        const QString notes = dir.path() + QStringLiteral("poznámky.txt");
        QVERIFY(dropFiles(*started.form, {notes}));
        QCOMPARE(started.editor().notesText(), QStringLiteral("z disku"));
        started.editor().clearNotes();

        QVERIFY(dropFiles(*started.form, {unreadable, notes}));
        QCOMPARE(started.prompts.errors.size(), 1);
        QVERIFY2(started.prompts.errors[0].contains(unreadable),
                 qPrintable(started.prompts.errors[0]));
        QCOMPARE(started.editor().notesText(), QString());
    }

    void leftPanelGeometry() {
        TestProgramDir dir;
        Started started(dir);
        TForm1& form = *started.form;
        started.list().Panel9CanResize(251, 400);
        QCOMPARE(control<CardList>(form, "List")->geometry(), QRect(1, 0, 249, 375));
        QCOMPARE(control<QToolButton>(form, "SpeedButton8")->geometry(), QRect(0, 377, 123, 23));
        QCOMPARE(control<QToolButton>(form, "SpeedButton9")->geometry(), QRect(126, 377, 123, 23));
    }

    void pictureGeometry_data() {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QRect>("picture");
        QTest::newRow("wider than 4:3") << QSize(400, 240) << QRect(40, 0, 320, 240);
        QTest::newRow("taller than 4:3") << QSize(320, 300) << QRect(0, 30, 320, 240);
        QTest::newRow("exactly 4:3") << QSize(320, 240) << QRect(0, 0, 320, 240);
        QTest::newRow("fractions cut off") << QSize(101, 50) << QRect(17, 0, 66, 50);
    }
    void pictureGeometry() {
        QFETCH(QSize, area);
        QFETCH(QRect, picture);
        TestProgramDir dir;
        Started started(dir);
        control<QWidget>(started.form, "Panel10")->resize(area);
        started.form->Splitter2Moved();
        QCOMPARE(control<PictureBox>(started.form, "Image1")->geometry(), picture);
    }
};

QTEST_MAIN(TestMainWindowNavigation)
#include "tst_mainwindow_navigation.moc"
