#include "mainwindow/BandBar.h"
#include "mainwindow/CardList.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/AppError.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/WindowEvents.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

// The main window's own controls: the key/value grid, the notes box, the
// picture box, the card list and the band bar.
class TestMainWindowWidgets : public QObject {
    Q_OBJECT
private slots:
    void gridKeepsLinesVerbatim() {
        KeyValueGrid grid;
        const QStringList lines = {QStringLiteral("Name=Jan"),     QStringLiteral("bez rovnítka"),
                                   QStringLiteral("=jen hodnota"), QStringLiteral("a=b=c"),
                                   QStringLiteral("Name=Jan"),     QString()};
        grid.setStrings(lines);
        QCOMPARE(grid.strings(), lines);
        QCOMPARE(grid.model()->index(3, 0).data().toString(), QStringLiteral("a"));
        QCOMPARE(grid.model()->index(3, 1).data().toString(), QStringLiteral("b=c"));
        QCOMPARE(grid.model()->index(1, 0).data().toString(), QStringLiteral("bez rovnítka"));
    }

    void gridEditsComposeLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("key") << "Name=Jan" << 0 << "Jméno"
                             << "Jméno=Jan";
        QTest::newRow("value") << "Name=Jan" << 1 << "Petr"
                               << "Name=Petr";
        QTest::newRow("key of a line without =") << "poznámka" << 0 << "jiná"
                                                 << "jiná";
        QTest::newRow("value of a line without =") << "poznámka" << 1 << "x"
                                                   << "poznámka=x";
        QTest::newRow("value may hold =") << "k=v" << 1 << "a=b"
                                          << "k=a=b";
    }
    void gridEditsComposeLines() {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, result);
        KeyValueGrid grid;
        grid.setStrings({line});
        QSignalSpy changing(&grid, &KeyValueGrid::stringsChanging);
        QSignalSpy changed(&grid, &KeyValueGrid::stringsChanged);
        QVERIFY(grid.model()->setData(grid.model()->index(0, column), text));
        QCOMPARE(grid.strings(), QStringList({result}));
        QCOMPARE(changing.count(), 1);
        QCOMPARE(changed.count(), 1);
    }

    void keyWithEqualsSignIsRefused() {
        KeyValueGrid grid;
        grid.setStrings({QStringLiteral("k=v")});
        QSignalSpy errors(&grid, &KeyValueGrid::errorRaised);
        QSignalSpy changed(&grid, &KeyValueGrid::stringsChanged);
        QVERIFY(!grid.model()->setData(grid.model()->index(0, 0), QStringLiteral("a=b")));
        QCOMPARE(grid.strings(), QStringList({QStringLiteral("k=v")}));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(changed.count(), 0);
    }

    void typingIntoTheCellEditorReachesTheLinesAtOnce() {
        KeyValueGrid grid;
        grid.setStrings({QStringLiteral("k=v")});
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(0, 1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QSignalSpy typed(&grid, &KeyValueGrid::keyTyped);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("nova"));
        // No commit yet: a save reads the lines while the editor is open.
        QCOMPARE(grid.strings(), QStringList({QStringLiteral("k=nova")}));
        QCOMPARE(typed.count(), 4);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(typed.count(), 5);
        QCOMPARE(typed.last().first().value<QChar>(), QChar(u'\r'));
    }

    void emptyTableGetsItsFirstLineByTyping() {
        KeyValueGrid grid;
        grid.clear();
        QCOMPARE(grid.model()->rowCount(), 1);
        QCOMPARE(grid.lineCount(), 0);
        QVERIFY(grid.model()->setData(grid.model()->index(0, 0), QStringLiteral("Jméno")));
        QCOMPARE(grid.strings(), QStringList({QStringLiteral("Jméno=")}));
    }

    void rowsAreAddedAndDeletedAtTheCursor() {
        KeyValueGrid grid;
        grid.setStrings({"a=1", "b=2", "c=3", "d=4", "e=5"});
        grid.setRow(2);
        QCOMPARE(grid.row(), 2);
        grid.insertLine(grid.row(), QStringLiteral("="));
        QCOMPARE(grid.strings(), QStringList({"a=1", "b=2", "=", "c=3", "d=4", "e=5"}));
        grid.deleteLine(0);
        grid.deleteLine(10); // outside: nothing
        QCOMPARE(grid.lineCount(), 5);
        grid.deleteLine(0);
        grid.deleteLine(0);
        grid.deleteLine(0);
        grid.deleteLine(0);
        grid.deleteLine(0);
        QCOMPARE(grid.lineCount(), 0);
        QCOMPARE(grid.model()->rowCount(), 1);
    }

    void scrollingReportsTopLeftChange() {
        KeyValueGrid grid;
        QStringList lines;
        for (int i = 0; i < 100; ++i)
            lines << QStringLiteral("k%1=v").arg(i);
        grid.resize(300, 120);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setStrings(lines);
        QSignalSpy topLeft(&grid, &KeyValueGrid::topLeftChanged);
        grid.scrollToBottom();
        QVERIFY(topLeft.count() > 0);
        topLeft.clear();
        grid.setStrings(lines.mid(0, 2)); // back at the top at once, nothing arrives later
        handlePendingEvents();
        const int afterLoad = topLeft.count();
        handlePendingEvents();
        QCOMPARE(topLeft.count(), afterLoad);
    }

    void columnWidthsAndTitles() {
        KeyValueGrid grid;
        QCOMPARE(grid.colWidth(0), 173);
        grid.setColWidth(1, 250);
        QCOMPARE(grid.colWidth(1), 250);
        try {
            grid.setColWidth(2, 100);
            QFAIL("a third column was accepted");
        } catch (const AppError& error) {
            QCOMPARE(error.text(), QStringLiteral("Grid index out of range"));
        }
        grid.setTitleCaptions(
            {QStringLiteral("1"), QStringLiteral("<---"), QStringLiteral("--->")});
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("<---"));
        grid.setTitleCaptions({QStringLiteral("jen jeden")});
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString());
    }

    void notesKeepLineBreaksAndNoBreakSpaces_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\r\nb";
        QTest::newRow("lone LF") << "a\nb\n"
                                 << "a\r\nb\r\n";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a\r\nb";
        QTest::newRow("no-break space")
            << QStringLiteral("10\u00A0Kč") << QStringLiteral("10\u00A0Kč");
        QTest::newRow("empty") << ""
                               << "";
    }
    void notesKeepLineBreaksAndNoBreakSpaces() {
        QFETCH(QString, given);
        QFETCH(QString, text);
        NotesEdit notes;
        notes.setText(given);
        QCOMPARE(notes.text(), text);
    }

    void pictureBoxRefusesWhatIsNoBitmap() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("x.bmp"), "not a bitmap");
        PictureBox box;
        QImage shown(8, 8, QImage::Format_RGB32);
        shown.fill(Qt::blue);
        box.setPicture(shown);
        QVERIFY(!box.loadBitmapFile(dir.filePath(QStringLiteral("x.bmp"))));
        QCOMPARE(box.picture(), shown);
    }

    void cardListShowsCardFilesInCaseInsensitiveOrder() {
        TestProgramDir dir;
        for (const char* name :
             {"b.krt", "A.KRT", "čáp.krt", "Cyril.Krt", "d.krt.bak", "e.txt", ".skryta.krt"})
            dir.writeFile(QStringLiteral("FILES/") + QString::fromUtf8(name), "x");
        QDir().mkpath(dir.cardDir() + QStringLiteral("slozka.krt"));
        CardList list;
        QSignalSpy changed(&list, &CardList::listChanged);
        list.setDirectory(dir.cardDir());
        QCOMPARE(list.items(), QStringList({"A.KRT", "b.krt", "čáp.krt", "Cyril.Krt"}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(list.indexOf(QStringLiteral("CYRIL.krt")), 3);
        QCOMPARE(list.indexOf(QStringLiteral("nic.krt")), -1);

        list.setItemIndex(1);
        QCOMPARE(list.fileName(), dir.cardDir() + QStringLiteral("b.krt"));
        QCOMPARE(changed.count(), 1); // a command's selection is not the user's change
        list.reread();
        QCOMPARE(list.itemIndex(), -1);
        QCOMPARE(list.fileName(), QString());
        QCOMPARE(changed.count(), 2);
        list.setItemIndex(7);
        QCOMPARE(list.itemIndex(), -1);
    }

    // The list's order is that of the letters without accents and case
    // (decomposed, marks dropped, case folded), the name breaking ties, for
    // names of Latin letters and of any other script alike.
    void cardListOrdersNamesByTheirBareLetters() {
        const QStringList names = {
            "Čáp",       "cap",  "Cáp",      "ČAP",      "Dvořák",      "dvorak",  "Ďáblice",
            "Dablice",   "Ěmil", "Émile",    "emil",     "Straße",      "STRASSE", "strasse",
            "ǅemal",     "Ǆ",    "Łódź",     "Lodz",     "Øresund",     "oresund", "Žluťoučký",
            "zlutoucky", "Ω",    "ω",        "Ярослав",  "e\u0301mile", "Æther",   "aether",
            "Þór",       "thor", "İstanbul", "istanbul", "ǖ",           "u",       "Ǖ"};
        TestProgramDir dir;
        for (const QString& name : names)
            dir.writeFile(QStringLiteral("FILES/") + name + QStringLiteral(".krt"), "x");
        CardList list;
        list.setDirectory(dir.cardDir());

        const auto bareLetters = [](const QString& name) {
            QString key;
            for (const QChar ch : name.normalized(QString::NormalizationForm_D)) {
                if (ch.category() != QChar::Mark_NonSpacing)
                    key += ch;
            }
            return key.toCaseFolded();
        };
        QStringList expected;
        for (const QString& name : names)
            expected << name + QStringLiteral(".krt");
        std::sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
            return std::pair(bareLetters(a), a) < std::pair(bareLetters(b), b);
        });
        QCOMPARE(list.items(), expected);
    }

    void bandsMoveOnlyWithinTheirRoom() {
        BandBar bar;
        bar.resize(400, 38);
        QWidget* first = new QWidget;
        first->setFixedSize(50, 34);
        QWidget* second = new QWidget;
        second->setFixedSize(60, 34);
        bar.addBand(first, 10);
        bar.addBand(second, 200);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.bandLeft(1), 200);
        QCOMPARE(second->x(), 200 + BandBar::GripWidth);
        QSignalSpy moved(&bar, &BandBar::bandMoved);
        // Dragging the second band's grip far left stops at the first band.
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(202, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(0, 10), bar.mapToGlobal(QPointF(0, 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &move);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(0, 10));
        QCOMPARE(bar.bandLeft(1), 10 + bar.bandWidth(0));
        QVERIFY(moved.count() > 0);
        bar.setBandLeft(0, 300);
        QCOMPARE(bar.bandLeft(0), 300);
    }
};

QTEST_MAIN(TestMainWindowWidgets)
#include "tst_mainwindow_widgets.moc"
