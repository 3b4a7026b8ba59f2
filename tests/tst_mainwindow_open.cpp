#include "mainwindow/CardList.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/Resources.h"
#include "storage/CardArchive.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WindowEvents.h"

#include <QtTest>

using fixture::Started;
using testcards::fileBytes;
using testcards::readCard;
using testcards::writeCard;

// Opening and saving cards in the main window, through the real 7z.so.
class TestMainWindowOpen : public QObject {
    Q_OBJECT
private slots:
    void newEmptyCardOpensEmptyAndSavesTwoEmptyMembers() {
        TestProgramDir dir;
        dir.makeDirectories();
        cardarchive::createEmptyCardFile(dir.library(), dir.cardDir() + QStringLiteral("Nová.krt"));
        Started started(dir);
        started.Open(0);

        QVERIFY(started.prompts.allShown().isEmpty());
        QVERIFY(started.card().CardLoaded());
        QVERIFY(!started.card().Modified());
        QCOMPARE(fileBytes(dir.workDir() + QStringLiteral("Nová.tbl")), QByteArray());
        QCOMPARE(fileBytes(dir.workDir() + QStringLiteral("Nová.txt")), QByteArray());
        QVERIFY(control<KeyValueGrid>(started.form, "ListB")->strings().isEmpty());
        QVERIFY(control<NotesEdit>(started.form, "Memo1")->text().isEmpty());
        QCOMPARE(control<PictureBox>(started.form, "Image1")->picture(),
                 resources::nselectBitmap());

        started.save();
        const auto members = readCard(dir, QStringLiteral("Nová.krt"));
        QCOMPARE(members.keys(),
                 QStringList({QStringLiteral("Nová.tbl"), QStringLiteral("Nová.txt")}));
        QCOMPARE(members.value(QStringLiteral("Nová.tbl")), QByteArray());
        QCOMPARE(members.value(QStringLiteral("Nová.txt")), QByteArray());
    }

    void openLoadsMembersAndLeavesCardUnchanged() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"),
                  {QStringLiteral("Name=Jan"), QStringLiteral("bez rovnítka")},
                  QStringLiteral("a\r\nb"), testcards::bitmapBytes());
        Started started(dir);
        started.Open(0);
        handlePendingEvents(); // late layout and scroll notifications must not mark the card
        QVERIFY(started.card().CardLoaded());
        QVERIFY(!started.card().Modified());
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->strings(),
                 QStringList({QStringLiteral("Name=Jan"), QStringLiteral("bez rovnítka")}));
        QCOMPARE(control<NotesEdit>(started.form, "Memo1")->text(), QStringLiteral("a\r\nb"));
        QCOMPARE(control<PictureBox>(started.form, "Image1")->picture().size(), QSize(64, 48));
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka - (1) Jan"));

        started.save();
        const auto members = readCard(dir, QStringLiteral("Jan.krt"));
        QCOMPARE(members.value(QStringLiteral("Jan.tbl")),
                 QByteArray("Name=Jan\r\nbez rovn\xedtka\r\n"));
        QCOMPARE(members.value(QStringLiteral("Jan.txt")), QByteArray("a\r\nb"));
        QCOMPARE(members.value(QStringLiteral("Jan1.bmp")), testcards::bitmapBytes());
    }

    void titleNumberFollowsTheList() {
        TestProgramDir dir;
        for (const char* name : {"a", "B", "c", "D"})
            writeCard(dir, QString::fromLatin1(name), {});
        Started started(dir);
        started.Open(2);
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka - (3) c"));
        // A card whose entry is not in the list has the number 0.
        started.form->showCardTitle(QStringLiteral("jinde"));
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka - (0) jinde"));
    }

    // Karta.krt and karta.krt are two cards: each has its own number, and
    // revert reloads the one that is open.
    void namesakesKeepTheirOwnNumberAndRevert() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Karta"), {QStringLiteral("k=první")});
        writeCard(dir, QStringLiteral("karta"), {QStringLiteral("k=druhá")});
        Started started(dir);
        const int second =
            control<CardList>(started.form, "List")->indexOf(QStringLiteral("karta.krt"));
        QCOMPARE(control<CardList>(started.form, "List")->indexOf(QStringLiteral("Karta.krt")),
                 1 - second);
        started.Open(second);
        QCOMPARE(started.form->windowTitle(),
                 QStringLiteral("Pelvarin Kartotéka - (%1) karta").arg(second + 1));
        control<KeyValueGrid>(started.form, "ListB")->setStrings({QStringLiteral("k=změna")});
        commandguard::runGuarded(started.prompts, [&] { started.card().revert(); });
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->strings(),
                 QStringList{QStringLiteral("k=druhá")});
        QCOMPARE(control<CardList>(started.form, "List")->itemIndex(), second);
    }

    void reopeningChangedCard_data() {
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("expectedValue");
        QTest::newRow("No reloads the stored card") << false << QStringLiteral("Name=Jan");
        QTest::newRow("Yes saves first") << true << QStringLiteral("Name=Petr");
    }
    void reopeningChangedCard() {
        QFETCH(bool, answerYes);
        QFETCH(QString, expectedValue);
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Name=Jan")});
        Started started(dir);
        started.Open(0);
        started.state.AutoSave = false;
        control<KeyValueGrid>(started.form, "ListB")->setStrings({QStringLiteral("Name=Petr")});
        QVERIFY(started.card().Modified());

        started.prompts.answers.enqueue(answerYes);
        started.Open(0);
        QCOMPARE(started.prompts.questions,
                 QStringList({QStringLiteral("Uložit změny v \"Jan\" ?")}));
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->strings(),
                 QStringList({expectedValue}));
        QVERIFY(!started.card().Modified());
    }

    void autoSaveSavesSilentlyWhenMoving() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")});
        writeCard(dir, QStringLiteral("B"), {QStringLiteral("k=2")});
        Started started(dir);
        QVERIFY(started.state.AutoSave);
        started.Open(0);
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("nové"));
        started.Open(1);
        QVERIFY(started.prompts.questions.isEmpty());
        QCOMPARE(readCard(dir, QStringLiteral("A.krt")).value(QStringLiteral("A.txt")),
                 QByteArray("nov\xe9"));
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->strings(),
                 QStringList({QStringLiteral("k=2")}));
    }

    void scrollingTheTableMarksTheCard() {
        TestProgramDir dir;
        QStringList rows;
        for (int i = 0; i < 200; ++i)
            rows << QStringLiteral("klíč %1=hodnota").arg(i);
        writeCard(dir, QStringLiteral("Dlouhá"), rows);
        Started started(dir);
        started.form->show();
        started.Open(0);
        handlePendingEvents();
        QVERIFY(!started.card().Modified());
        control<KeyValueGrid>(started.form, "ListB")->scrollToBottom();
        QVERIFY(started.card().Modified());
    }

    void unreadableCardLeavesNoCardOpen_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a Zip") << QByteArray("this is no archive");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("truncated") << QByteArray("PK\x03\x04\x14\x00\x00\x00", 8);
    }
    void unreadableCardLeavesNoCardOpen() {
        QFETCH(QByteArray, content);
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")}, QStringLiteral("notes of A"));
        dir.writeFile(QStringLiteral("FILES/B.krt"), content);
        Started started(dir);
        started.Open(0);
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("unsaved"));
        started.state.AutoSave = false;
        started.Open(1); // No to the question: the changes of A are given up

        QCOMPARE(started.prompts.errors.size(), 1);
        QVERIFY(!started.card().CardLoaded());
        QVERIFY(!control<QWidget>(started.form, "Panel7")->isVisibleTo(started.form.get()));
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka"));
        // Nothing can pack the previous card's content into the unreadable file.
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("typed later"));
        started.save();
        commandguard::runGuarded(started.prompts, [&] { started.form->SpeedButton5Click(); });
        QCOMPARE(dir.readFile(QStringLiteral("FILES/B.krt")), content);
        QCOMPARE(readCard(dir, QStringLiteral("A.krt")).value(QStringLiteral("A.txt")),
                 QByteArray("notes of A"));
    }

    void pictureMemberThatIsNoBitmapIsKept() {
        TestProgramDir dir;
        const QByteArray notABitmap("GIF89a this is no bitmap");
        writeCard(dir, QStringLiteral("P"), {QStringLiteral("k=v")}, QString(), notABitmap);
        Started started(dir);
        started.Open(0);
        QVERIFY(started.card().CardLoaded());
        QCOMPARE(control<PictureBox>(started.form, "Image1")->picture(),
                 resources::nselectBitmap());
        control<KeyValueGrid>(started.form, "ListB")->setStrings({QStringLiteral("k=w")});
        started.save();
        QCOMPARE(readCard(dir, QStringLiteral("P.krt")).value(QStringLiteral("P1.bmp")),
                 notABitmap);
    }

    void savingWithNoCardOpenDoesNothing() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")});
        const QByteArray before = dir.readFile(QStringLiteral("FILES/A.krt"));
        Started started(dir);
        started.card().markModified();
        started.save();
        QVERIFY(started.prompts.allShown().isEmpty());
        QCOMPARE(dir.readFile(QStringLiteral("FILES/A.krt")), before);
        QVERIFY(QDir(dir.workDir()).isEmpty());
    }

    void missingCardFileIsReported() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")});
        Started started(dir);
        QFile::remove(dir.cardDir() + QStringLiteral("A.krt"));
        started.Open(0);
        QCOMPARE(started.prompts.messages, QStringList({QStringLiteral("(L) Soubor nenalezen - ") +
                                                        dir.cardDir() + QStringLiteral("A.krt")}));
        QVERIFY(!started.card().CardLoaded());
    }

    // The open has emptied the working directory and CurrentCardPath names the
    // missing file: the card shown until then can no longer be saved, so it must
    // not stay open for edits that would be lost.
    void missingCardFileClosesTheCardShownBefore() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")});
        writeCard(dir, QStringLiteral("B"), {QStringLiteral("k=2")});
        Started started(dir);
        started.Open(0);
        QFile::remove(dir.cardDir() + QStringLiteral("B.krt"));
        started.Open(1);
        QCOMPARE(started.prompts.messages.size(), 1);
        QVERIFY(!started.card().CardLoaded());
        QVERIFY(!started.card().Modified());
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka"));
        QVERIFY(!control<QAction>(started.form, "Save1")->isEnabled());
        QCOMPARE(readCard(dir, QStringLiteral("A.krt")).value(QStringLiteral("A.tbl")),
                 QByteArray("k=1\r\n"));
    }

    void charactersCodePage1250CannotHoldAreRefused() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A"), {QStringLiteral("k=1")});
        const QByteArray before = dir.readFile(QStringLiteral("FILES/A.krt"));
        Started started(dir);
        started.Open(0);
        control<KeyValueGrid>(started.form, "ListB")->setStrings({QStringLiteral("k=€ 5 ☺")});
        control<NotesEdit>(started.form, "Memo1")->setText(QStringLiteral("日本"));
        started.save();
        QCOMPARE(started.prompts.messages.size(), 1);
        const QString message = started.prompts.messages.first();
        for (const QString& shown :
             {QStringLiteral("☺"), QStringLiteral("日"), QStringLiteral("本")})
            QVERIFY2(message.contains(shown), qPrintable(message));
        QVERIFY(!message.contains(QStringLiteral("€"))); // the euro sign is in code page 1250
        QVERIFY(started.card().Modified());
        QCOMPARE(dir.readFile(QStringLiteral("FILES/A.krt")), before);
        QCOMPARE(fileBytes(dir.workDir() + QStringLiteral("A.tbl")), QByteArray("k=1\r\n"));

        // Opening another card stops too, so the changes are not lost.
        started.Open(0);
        QCOMPARE(control<NotesEdit>(started.form, "Memo1")->text(), QStringLiteral("日本"));
    }

    void savedCardReplacesCardFileUnderItsOwnCase() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Velká"), {QStringLiteral("k=1")});
        QVERIFY(QFile::rename(dir.cardDir() + QStringLiteral("Velká.krt"),
                              dir.cardDir() + QStringLiteral("Velká.KRT")));
        Started started(dir);
        started.Open(0);
        control<KeyValueGrid>(started.form, "ListB")->setStrings({QStringLiteral("k=2")});
        started.save();
        QCOMPARE(QDir(dir.cardDir()).entryList(QDir::Files),
                 QStringList({QStringLiteral("Velká.KRT")}));
        QCOMPARE(readCard(dir, QStringLiteral("Velká.KRT")).value(QStringLiteral("Velká.tbl")),
                 QByteArray("k=2\r\n"));
    }
};

QTEST_MAIN(TestMainWindowOpen)
#include "tst_mainwindow_open.moc"
