#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "tests/support/MainWindowFixture.h"

#include <QtTest>

using fixture::Started;
using testcards::readCard;
using testcards::writeCard;

// The exit: the unsaved-changes rule, the layout files, the working directory.
class TestMainWindowExit : public QObject {
    Q_OBJECT
private slots:
    void exitWritesLayoutFilesAndEmptiesWorkDir() {
        TestProgramDir dir;
        Started started(dir);
        dir.writeFile(QStringLiteral("TEMP/left over.tbl"), "x");
        dir.writeFile(QStringLiteral("TEMP/.hidden"), "kept");
        dir.writeFile(QStringLiteral("TEMP/sub/inner.txt"), "kept");
        started.form->move(120, 80);
        commandguard::runGuarded(started.prompts, [&] { started.form->SpeedButton5Click(); });

        QVERIFY(started.prompts.allShown().isEmpty());
        QVERIFY(started.prompts.questions.isEmpty());
        QCOMPARE(started.endCodes, QList<int>({0}));
        QCOMPARE(dir.readFile(QStringLiteral("colw.ini")), QByteArray("167\r\n387\r\n"));
        QCOMPARE(dir.readFile(QStringLiteral("cbar.ini")),
                 QByteArray("11\r\n563\r\n728\r\n629\r\n395\r\n182\r\n"));
        QCOMPARE(dir.readFile(QStringLiteral("winpos.ini")), QByteArray("120\r\n80\r\n0\r\n"));
        QVERIFY(!QFileInfo::exists(dir.workDir() + QStringLiteral("left over.tbl")));
        // The working directory is emptied wholly: nothing a card unpacked stays.
        QVERIFY(!QFileInfo::exists(dir.workDir() + QStringLiteral(".hidden")));
        QVERIFY(!QFileInfo::exists(dir.workDir() + QStringLiteral("sub/inner.txt")));
    }

    void layoutRoundTripsThroughTheNextStart() {
        TestProgramDir dir;
        {
            Started first(dir);
            control<KeyValueGrid>(first.form, "ListB")->setColWidth(0, 90);
            control<KeyValueGrid>(first.form, "ListB")->setColWidth(1, 300);
            first.form->move(40, 30);
            first.form->setWindowState(Qt::WindowMaximized);
            commandguard::runGuarded(first.prompts, [&] { first.form->SpeedButton5Click(); });
            QVERIFY(dir.readFile(QStringLiteral("winpos.ini")).endsWith("\r\n1\r\n"));
        }
        Started second(dir);
        QVERIFY(second.prompts.allShown().isEmpty());
        QCOMPARE(control<KeyValueGrid>(second.form, "ListB")->colWidth(0), 90);
        QCOMPARE(control<KeyValueGrid>(second.form, "ListB")->colWidth(1), 300);
        QVERIFY(second.form->windowState() & Qt::WindowMaximized);
    }

    void exitWithUnsavedChanges_data() {
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QByteArray>("storedNotes");
        QTest::newRow("AutoSave saves silently") << true << false << false << QByteArray("changed");
        QTest::newRow("asked, Yes saves") << false << true << true << QByteArray("changed");
        QTest::newRow("asked, No gives up") << false << false << true << QByteArray("stored");
    }
    void exitWithUnsavedChanges() {
        QFETCH(bool, autoSave);
        QFETCH(bool, answerYes);
        QFETCH(bool, asked);
        QFETCH(QByteArray, storedNotes);
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Karta"), {QStringLiteral("k=v")}, QStringLiteral("stored"));
        Started started(dir);
        started.Open(0);
        started.state.AutoSave = autoSave;
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("changed"));
        started.prompts.answers.enqueue(answerYes);
        commandguard::runGuarded(started.prompts, [&] { started.form->SpeedButton5Click(); });

        QCOMPARE(started.prompts.questions.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(started.prompts.questions.first(),
                     QStringLiteral("Uložit změny v \"Karta\" ?"));
        QCOMPARE(readCard(dir, QStringLiteral("Karta.krt")).value(QStringLiteral("Karta.txt")),
                 storedNotes);
        QCOMPARE(started.endCodes, QList<int>({0}));
        QVERIFY(QDir(dir.workDir()).isEmpty());
    }

    void layoutFileThatCannotBeWrittenStopsTheExit_data() {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("colw.ini") << QStringLiteral("colw.ini") << QStringList();
        QTest::newRow("cbar.ini") << QStringLiteral("cbar.ini")
                                  << QStringList({QStringLiteral("colw.ini")});
        QTest::newRow("winpos.ini")
            << QStringLiteral("winpos.ini")
            << QStringList({QStringLiteral("colw.ini"), QStringLiteral("cbar.ini")});
    }
    void layoutFileThatCannotBeWrittenStopsTheExit() {
        QFETCH(QString, blocked);
        QFETCH(QStringList, written);
        TestProgramDir dir;
        Started started(dir);
        QDir().mkpath(dir.filePath(blocked));
        dir.writeFile(QStringLiteral("TEMP/member.tbl"), "x");
        // Closing the window by any means is the exit.
        QVERIFY(!started.form->close());

        QCOMPARE(started.prompts.errors.size(), 1);
        QVERIFY(started.endCodes.isEmpty());
        QVERIFY(QFileInfo::exists(dir.workDir() + QStringLiteral("member.tbl")));
        for (const QString& file : {QStringLiteral("colw.ini"), QStringLiteral("cbar.ini"),
                                    QStringLiteral("winpos.ini")}) {
            if (file != blocked)
                QCOMPARE(QFileInfo(dir.filePath(file)).isFile(), written.contains(file));
        }
    }

    void closingTheWindowIsTheExit() {
        TestProgramDir dir;
        Started started(dir);
        started.form->show();
        started.form->close();
        QCOMPARE(started.endCodes, QList<int>({0}));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("winpos.ini"))));
    }
};

QTEST_MAIN(TestMainWindowExit)
#include "tst_mainwindow_exit.moc"
