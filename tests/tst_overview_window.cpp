#include "core/OverviewLayout.h"
#include "mainwindow/KeyValueGrid.h"
#include "overview/OverviewWindow.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QtTest>

using testcards::writeCard;

namespace {

// The program with its main window shown and the cards Adam, Bára and Cyril.
struct Program : AppFixture {
    explicit Program(const TestProgramDir& dir) : AppFixture(dir) { show(); }

    // Opens the overview with F6 and waits until its rows are shown.
    OverviewWindow& openOverview() {
        QTest::keyClick(&form(), Qt::Key_F6);
        auto* window = form().findChild<OverviewWindow*>();
        if (!window)
            qFatal("F6 opened no overview");
        if (!QTest::qWaitFor([&] { return window->isVisible() && !window->loading(); }))
            qFatal("the overview did not load");
        return *window;
    }
};

void writeThreeCards(const TestProgramDir& dir) {
    writeCard(dir, QStringLiteral("Adam"),
              {QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Rok=1936")});
    writeCard(dir, QStringLiteral("Bára"), {QStringLiteral("Autor=Antonín Dvořák")});
    writeCard(dir, QStringLiteral("Cyril"), {QStringLiteral("Rok=1900")});
}

QStringList shownNames(OverviewWindow& window) {
    QStringList names;
    for (int row = 0; row < window.rows().rowCount(); ++row)
        names << window.rows().index(row, OverviewModel::NameColumn).data().toString();
    return names;
}

// The menu open now; fails the test when none opens.
QMenu* openMenu() {
    if (!QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }))
        qFatal("no menu opened");
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Moves through menu with the Down key to the entry starting with text and
// presses key on it.
void chooseByKeyboard(QMenu* menu, const QString& text, Qt::Key key = Qt::Key_Return) {
    for (int step = 0; step <= menu->actions().size(); ++step) {
        if (menu->activeAction() && menu->activeAction()->text().startsWith(text)) {
            QTest::keyClick(menu, key);
            return;
        }
        QTest::keyClick(menu, Qt::Key_Down);
    }
    qFatal("no menu entry %s", qPrintable(text));
}

QString cellOf(OverviewWindow& window, const QString& fileName, const QString& key) {
    const int row = window.model().rowOf(fileName);
    return row < 0 ? QStringLiteral("<no row>")
                   : window.model().cellText(row, window.model().columnOf(key));
}

} // namespace

class TestOverviewWindow : public QObject {
    Q_OBJECT

private slots:
    void f6ShowsEveryCardAndEnterOpensTheFilteredOne() {
        TestProgramDir dir;
        writeThreeCards(dir);
        Program program(dir);
        program.state().AutoSave = false;
        OverviewWindow& window = program.openOverview();
        QCOMPARE(window.windowTitle(), QStringLiteral("Přehled karet"));
        QVERIFY(!window.isModal());
        QCOMPARE(window.focusWidget(), window.filterBox());
        QCOMPARE(shownNames(window), (QStringList{QStringLiteral("Adam"), QStringLiteral("Bára"),
                                                  QStringLiteral("Cyril")}));
        QCOMPARE(window.model().keys(),
                 (QStringList{QStringLiteral("Autor"), QStringLiteral("Rok")}));

        // Typed without accents, found with them; Enter opens the card.
        QTest::keyClicks(window.filterBox(), QStringLiteral("dvorak"));
        QCOMPARE(shownNames(window), QStringList{QStringLiteral("Bára")});
        QTest::keyClick(window.filterBox(), Qt::Key_Return);
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Bára"));
        QTRY_VERIFY(program.form().isActiveWindow());

        // The unsaved-changes rule of the card list: asked first, and No
        // keeps the card file as it was.
        program.card().markModified();
        window.filterBox()->clear();
        window.table()->setCurrentIndex(window.rows().index(2, 0));
        program.prompts.answers.enqueue(false);
        QTest::keyClick(window.table(), Qt::Key_Enter);
        QCOMPARE(program.prompts.questions.size(), 1);
        QVERIFY(program.prompts.questions.first().contains(QStringLiteral("Bára")));
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Cyril"));

        // A double-click too.
        const QModelIndex adam = window.rows().index(0, 1);
        const QRect cell = window.table()->visualRect(adam);
        QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(window.table()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Adam"));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void followsSaveRenameDeleteAndOutsideCards() {
        TestProgramDir dir;
        writeThreeCards(dir);
        Program program(dir);
        OverviewWindow& window = program.openOverview();
        TForm1& form = program.form();

        program.open(0);
        control<KeyValueGrid>(form, "ListB")
            ->setStrings({QStringLiteral("Autor=Jaroslav Hašek"), QStringLiteral("Žánr=román")});
        program.card().markModified();
        commandsOf(form).trigger(Command::SaveCard);
        QTRY_COMPARE(cellOf(window, QStringLiteral("Adam.krt"), QStringLiteral("Autor")),
                     QStringLiteral("Jaroslav Hašek"));
        QCOMPARE(cellOf(window, QStringLiteral("Adam.krt"), QStringLiteral("Žánr")),
                 QStringLiteral("román"));

        program.prompts.inputAnswers.enqueue(QStringLiteral("Dana"));
        commandsOf(form).trigger(Command::RenameCard);
        QTRY_COMPARE(window.model().fileNames(),
                     (QStringList{QStringLiteral("Bára.krt"), QStringLiteral("Cyril.krt"),
                                  QStringLiteral("Dana.krt")}));
        QTRY_COMPARE(cellOf(window, QStringLiteral("Dana.krt"), QStringLiteral("Autor")),
                     QStringLiteral("Jaroslav Hašek"));

        // Another program adds a card and deletes one.
        writeCard(dir, QStringLiteral("Emil"), {QStringLiteral("Rok=2001")});
        QFile::remove(dir.cardDir() + QStringLiteral("Cyril.krt"));
        QTRY_COMPARE(window.model().fileNames(),
                     (QStringList{QStringLiteral("Bára.krt"), QStringLiteral("Dana.krt"),
                                  QStringLiteral("Emil.krt")}));
        QTRY_COMPARE(cellOf(window, QStringLiteral("Emil.krt"), QStringLiteral("Rok")),
                     QStringLiteral("2001"));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void columnsAndSortAreRememberedAndCsvIsWhatIsShown() {
        TestProgramDir dir;
        writeThreeCards(dir);
        dir.writeFile(QStringLiteral("FILES/Zlomená.krt"), "PK broken");
        const QString csvPath = dir.filePath(QStringLiteral("přehled.csv"));
        {
            Program program(dir);
            OverviewWindow& window = program.openOverview();
            QTRY_COMPARE(program.prompts.messages.size(), 1);
            QVERIFY(program.prompts.messages.first().contains(QStringLiteral("Zlomená.krt")));
            QCOMPARE(window.model().rowCount(), 4);

            QHeaderView* header = window.table()->horizontalHeader();
            const int year = window.model().columnOf(QStringLiteral("Rok"));
            const int author = window.model().columnOf(QStringLiteral("Autor"));
            header->moveSection(header->visualIndex(year), 0);
            header->resizeSection(year, 77);
            header->setSectionHidden(author, true);
            header->setSortIndicator(year, Qt::DescendingOrder);
            QCOMPARE(shownNames(window).first(), QStringLiteral("Adam"));

            program.prompts.saveFileAnswers.enqueue(csvPath);
            QTest::keyClick(window.filterBox(), Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(
                program.prompts.saveFileDialogs,
                QStringList{QStringLiteral(
                    "Uložit přehled do CSV|Přehled karet.csv|Hodnoty oddělené čárkami (*.csv)")});
            window.close();
        }
        QCOMPARE(dir.readFile(QStringLiteral("přehled.csv")),
                 QByteArray("\xEF\xBB\xBFRok,Karta\r\n1936,Adam\r\n1900,Cyril\r\n,B\xC3\xA1ra\r\n"
                            ",Zlomen\xC3\xA1\r\n"));
        const OverviewLayout kept = overviewlayout::read(dir.filePath(overviewlayout::FileName));
        QCOMPARE(kept.sortTitle, QStringLiteral("Rok"));

        Program again(dir);
        OverviewWindow& window = again.openOverview();
        QHeaderView* header = window.table()->horizontalHeader();
        const int year = window.model().columnOf(QStringLiteral("Rok"));
        QCOMPARE(header->logicalIndex(0), year);
        QCOMPARE(header->sectionSize(year), 77);
        QVERIFY(header->isSectionHidden(window.model().columnOf(QStringLiteral("Autor"))));
        QCOMPARE(header->sortIndicatorSection(), year);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(shownNames(window),
                 (QStringList{QStringLiteral("Adam"), QStringLiteral("Cyril"),
                              QStringLiteral("Bára"), QStringLiteral("Zlomená")}));
        // Hidden columns are not searched.
        QTest::keyClicks(window.filterBox(), QStringLiteral("capek"));
        QCOMPARE(window.rows().rowCount(), 0);
    }

    void keyboardAloneSortsReversesAndHidesColumns() {
        TestProgramDir dir;
        writeThreeCards(dir);
        Program program(dir);
        OverviewWindow& window = program.openOverview();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QHeaderView* header = window.table()->horizontalHeader();
        const int author = window.model().columnOf(QStringLiteral("Autor"));
        const int year = window.model().columnOf(QStringLiteral("Rok"));
        const QStringList byYear{QStringLiteral("Cyril"), QStringLiteral("Adam"),
                                 QStringLiteral("Bára")};

        // Ctrl+3: the third column shown, Rok; again: reversed, empty cells last.
        QTest::keyClick(window.filterBox(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(header->sortIndicatorSection(), year);
        QCOMPARE(shownNames(window), byYear);
        QTest::keyClick(window.filterBox(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(shownNames(window), (QStringList{QStringLiteral("Adam"), QStringLiteral("Cyril"),
                                                  QStringLiteral("Bára")}));
        QTest::keyClick(window.filterBox(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(shownNames(window), (QStringList{QStringLiteral("Adam"), QStringLiteral("Bára"),
                                                  QStringLiteral("Cyril")}));

        // The menu key in the table: sort by Autor from the submenu, reverse,
        // then hide Autor.
        window.table()->setFocus();
        QTest::keyClick(window.table(), Qt::Key_Menu);
        QMenu* menu = openMenu();
        chooseByKeyboard(menu, QStringLiteral("&Seřadit podle"), Qt::Key_Right);
        QTRY_VERIFY(QApplication::activePopupWidget() != menu);
        chooseByKeyboard(openMenu(), QStringLiteral("Autor"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(header->sortIndicatorSection(), author);
        QCOMPARE(shownNames(window).first(), QStringLiteral("Bára")); // Antonín before Karel

        QTest::keyClick(window.table(), Qt::Key_F10, Qt::ShiftModifier);
        chooseByKeyboard(openMenu(), QStringLiteral("&Obrátit pořadí"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(shownNames(window).first(), QStringLiteral("Adam"));

        QTest::keyClick(window.table(), Qt::Key_Menu);
        menu = openMenu();
        // Past the sort entries to the column of the same name.
        chooseByKeyboard(menu, QStringLiteral("&Pořadí"), Qt::Key_Down);
        chooseByKeyboard(menu, QStringLiteral("Autor"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(header->isSectionHidden(author));
        // Hidden columns are neither sorted by number nor searched.
        QTest::keyClick(window.table(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(header->sortIndicatorSection(), year);
        QTest::keyClicks(window.filterBox(), QStringLiteral("capek"));
        QCOMPARE(window.rows().rowCount(), 0);
        window.filterBox()->clear();

        // And shown again.
        QTest::keyClick(window.table(), Qt::Key_Menu);
        menu = openMenu();
        chooseByKeyboard(menu, QStringLiteral("&Pořadí"), Qt::Key_Down);
        chooseByKeyboard(menu, QStringLiteral("Autor"));
        QTRY_VERIFY(!header->isSectionHidden(author));
    }
};

QTEST_MAIN(TestOverviewWindow)
#include "tst_overview_window.moc"
