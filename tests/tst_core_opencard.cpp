#include "core/OpenCard.h"
#include "storage/AppError.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionReader.h"
#include "storage/Cp1250.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCardEditor.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QtTest>

using testcards::readCard;
using testcards::writeCard;

namespace {

// One program directory with an open-card object over stand-in controls.
struct Fixture {
    Fixture()
        : state(dir.startedState()), list(state.CardDir), card(state, prompts, editor, list) {}

    void open(const QString& fileName) {
        list.selectEntry(fileName);
        card.openSelected();
    }
    // Opens fileName and changes its notes as an edit in the editor would.
    void openAndEdit(const QString& fileName, const QString& notes) {
        open(fileName);
        editor.notes = notes;
        card.markModified();
    }
    QByteArray storedNotes(const QString& name) {
        return readCard(dir, name + QStringLiteral(".krt")).value(name + QStringLiteral(".txt"));
    }
    // Changes the open card's notes and saves it, as an edit and F2 do.
    void editAndSave(const QString& notes) {
        editor.notes = notes;
        card.markModified();
        card.save();
    }
    QList<CardVersion> versions(const QString& name) const {
        return cardhistory::versions(
            cardhistory::folderOf(state.historyDir(), name + QStringLiteral(".krt")));
    }

    TestProgramDir dir;
    AppState state;
    ScriptedPrompts prompts;
    TestCardEditor editor;
    TestCardList list;
    OpenCard card;
};

} // namespace

// The open card's sequences on real card files and the real 7z.so, with no
// window: the editor and the card list are stand-ins.
class TestOpenCard : public QObject {
    Q_OBJECT
private slots:
    void openLoadsMembersAndSaveWritesThemBack() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Praha")},
                  QStringLiteral("první"), testcards::bitmapBytes());
        f.list.reread();
        f.open(QStringLiteral("Jan.krt"));
        QVERIFY(f.card.CardLoaded());
        QVERIFY(!f.card.Modified());
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("Jan"));
        QCOMPARE(f.card.CurrentCardPath(), f.state.CardDir + QStringLiteral("Jan.krt"));
        QCOMPARE(f.editor.table, QStringList{QStringLiteral("Obec=Praha")});
        QCOMPARE(f.editor.notes, QStringLiteral("první"));
        QCOMPARE(f.editor.picture, f.state.WorkDir + QStringLiteral("Jan1.bmp"));
        QCOMPARE(f.editor.title, QStringLiteral("Jan"));

        f.editor.table << QStringLiteral("Ulice=Dlouhá");
        f.card.markModified();
        f.card.save();
        QVERIFY(!f.card.Modified());
        const auto members = readCard(f.dir, QStringLiteral("Jan.krt"));
        QCOMPARE(members.value(QStringLiteral("Jan.tbl")),
                 QByteArray("Obec=Praha\r\nUlice=Dlouh\xe1\r\n"));
        QCOMPARE(members.value(QStringLiteral("Jan1.bmp")), testcards::bitmapBytes());
        QVERIFY(f.prompts.allShown().isEmpty());
    }

    // Leaving a changed card: AutoSave saves it without asking; without
    // AutoSave the user is asked, and only Yes saves.
    void leavingChangedCard_data() {
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArray>("storedNotes");
        QTest::newRow("AutoSave") << true << false << 0 << QByteArray("upraveno");
        QTest::newRow("asked, Yes") << false << true << 1 << QByteArray("upraveno");
        QTest::newRow("asked, No") << false << false << 1 << QByteArray("A");
    }
    void leavingChangedCard() {
        QFETCH(bool, autoSave);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(QByteArray, storedNotes);
        for (const bool leaveByExit : {false, true}) {
            Fixture f;
            f.state.AutoSave = autoSave;
            writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("A"));
            writeCard(f.dir, QStringLiteral("B"), {}, QStringLiteral("B"));
            f.list.reread();
            f.openAndEdit(QStringLiteral("A.krt"), QStringLiteral("upraveno"));
            f.prompts.answers.enqueue(answer);
            if (leaveByExit)
                f.card.offerToSaveBeforeExit();
            else
                f.open(QStringLiteral("B.krt"));
            QCOMPARE(f.prompts.questions.size(), questions);
            if (questions)
                QCOMPARE(f.prompts.questions.first(), QStringLiteral("Uložit změny v \"A\" ?"));
            QCOMPARE(f.storedNotes(QStringLiteral("A")), storedNotes);
            if (!leaveByExit) {
                QCOMPARE(f.card.CurrentCardName(), QStringLiteral("B"));
                QCOMPARE(f.editor.notes, QStringLiteral("B"));
                QVERIFY(!f.card.Modified());
            }
        }
    }

    void missingOrUnreadableCardFileLeavesNoCardOpen() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {QStringLiteral("k=v")}, QStringLiteral("A"));
        f.dir.writeFile(QStringLiteral("FILES/Vadná.krt"), "this is no zip archive");
        f.list.reread();
        f.open(QStringLiteral("A.krt"));

        QVERIFY_THROWS_EXCEPTION(AppError, f.open(QStringLiteral("Vadná.krt")));
        QVERIFY(!f.card.CardLoaded());
        QVERIFY(f.editor.table.isEmpty() && f.editor.notes.isEmpty());
        QVERIFY(f.editor.picture.isEmpty());
        QCOMPARE(f.dir.readFile(QStringLiteral("FILES/Vadná.krt")),
                 QByteArray("this is no zip archive"));

        f.open(QStringLiteral("A.krt"));
        QVERIFY(QFile::remove(f.state.CardDir + QStringLiteral("A.krt")));
        f.card.Open(f.state.CardDir + QStringLiteral("A.krt"));
        QVERIFY(!f.card.CardLoaded());
        QCOMPARE(f.prompts.messages.last(), QStringLiteral("(L) Soubor nenalezen - ") +
                                                f.state.CardDir + QStringLiteral("A.krt"));
    }

    // Another program removed the open card's file: leaving the card by an
    // open or the exit asks whether to write it again; Yes writes the edits
    // under the card's path, No leaves the folder as it is.
    void vanishedCardFileIsWrittenAgainOnlyWhenWanted_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("leaveByExit");
        QTest::newRow("open, Yes") << true << false;
        QTest::newRow("open, No") << false << false;
        QTest::newRow("exit, Yes") << true << true;
        QTest::newRow("exit, No") << false << true;
    }
    void vanishedCardFileIsWrittenAgainOnlyWhenWanted() {
        QFETCH(bool, answer);
        QFETCH(bool, leaveByExit);
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("A"));
        writeCard(f.dir, QStringLiteral("B"), {}, QStringLiteral("B"));
        f.list.reread();
        f.openAndEdit(QStringLiteral("A.krt"), QStringLiteral("nové"));
        const QString path = f.state.CardDir + QStringLiteral("A.krt");
        QVERIFY(QFile::remove(path));
        f.prompts.answers.enqueue(answer);
        if (leaveByExit)
            f.card.offerToSaveBeforeExit();
        else
            f.card.Open(f.state.CardDir + QStringLiteral("B.krt"));
        QCOMPARE(f.prompts.questions,
                 QStringList{QStringLiteral("(S) Soubor nenalezen - ") + path +
                             QStringLiteral("\nZapsat kartu znovu do tohoto souboru?")});
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(QFile::exists(path), answer);
        if (answer)
            QCOMPARE(f.storedNotes(QStringLiteral("A")), QByteArray("nov\xe9"));
    }

    // Linux lets two card files differ only in letter case: each is its own
    // card, and the save writes the one that was opened.
    void namesakesDifferingInCaseStayTwoCards() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("Karta"), {}, QStringLiteral("první"));
        writeCard(f.dir, QStringLiteral("karta"), {}, QStringLiteral("druhá"));
        QVERIFY(QFile::rename(f.state.CardDir + QStringLiteral("karta.krt"),
                              f.state.CardDir + QStringLiteral("karta.KRT")));
        f.list.reread();
        QCOMPARE(f.list.names.size(), 2);
        f.openAndEdit(QStringLiteral("karta.KRT"), QStringLiteral("upravená druhá"));
        f.card.save();
        QCOMPARE(f.storedNotes(QStringLiteral("Karta")), QByteArray("prvn\xed"));
        QCOMPARE(readCard(f.dir, QStringLiteral("karta.KRT")).value(QStringLiteral("karta.txt")),
                 QByteArray("upraven\xe1 druh\xe1"));

        // Revert reloads the card that is open, not its namesake.
        f.card.revert();
        QCOMPARE(f.editor.notes, QStringLiteral("upravená druhá"));
        QCOMPARE(f.card.CurrentCardPath(), f.state.CardDir + QStringLiteral("karta.KRT"));
    }

    void revertDropsChangesAndReloadsTheSavedCard() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {QStringLiteral("k=v")}, QStringLiteral("uloženo"));
        f.list.reread();
        f.openAndEdit(QStringLiteral("A.krt"), QStringLiteral("neuloženo"));
        f.list.selected = -1;
        f.card.revert();
        QVERIFY(f.prompts.questions.isEmpty());
        QCOMPARE(f.editor.notes, QStringLiteral("uloženo"));
        QVERIFY(!f.card.Modified());
        QCOMPARE(f.list.selected, 0);
        QCOMPARE(f.storedNotes(QStringLiteral("A")), QByteArray("ulo\x9e"
                                                                "eno"));
    }

    void renameMovesTheCardAndItsMembers() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("Staré"), {QStringLiteral("k=v")}, QStringLiteral("text"),
                  testcards::bitmapBytes());
        f.list.reread();
        f.openAndEdit(QStringLiteral("Staré.krt"), QStringLiteral("upraveno"));
        f.prompts.inputAnswers.enqueue(QStringLiteral("Nové"));
        f.card.rename();
        QVERIFY(f.prompts.messages.isEmpty());
        QVERIFY(!QFile::exists(f.state.CardDir + QStringLiteral("Staré.krt")));
        const auto members = readCard(f.dir, QStringLiteral("Nové.krt"));
        QCOMPARE(members.keys(),
                 QStringList({QStringLiteral("Nové.tbl"), QStringLiteral("Nové.txt"),
                              QStringLiteral("Nové1.bmp")}));
        QCOMPARE(members.value(QStringLiteral("Nové.txt")), QByteArray("upraveno"));
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("Nové"));
        QCOMPARE(f.list.names, QStringList{QStringLiteral("Nové.krt")});
        QCOMPARE(f.list.selected, 0);
        QVERIFY(f.card.CardLoaded() && !f.card.Modified());
    }

    void renameRefusesListedOrInvalidNames_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("message");
        QTest::newRow("unchanged") << "A"
                                   << "Soubor \"A\" již existuje!";
        QTest::newRow("other card, other case") << "b"
                                                << "Soubor \"b\" již existuje!";
        QTest::newRow("slash") << "x/y"
                               << "Název nesmí obsahovat / * \\ : \" < >  ? | ";
        QTest::newRow("empty") << ""
                               << "Zadejte název souboru!";
    }
    void renameRefusesListedOrInvalidNames() {
        QFETCH(QString, newName);
        QFETCH(QString, message);
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("A"));
        writeCard(f.dir, QStringLiteral("B"), {}, QStringLiteral("B"));
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        f.prompts.inputAnswers.enqueue(newName);
        f.card.rename();
        QCOMPARE(f.prompts.messages, QStringList{message});
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("A"));
        QCOMPARE(f.list.names, QStringList({QStringLiteral("A.krt"), QStringLiteral("B.krt")}));
    }

    // A save under the new name that fails puts the card file back under its
    // old name, whole, and the card stays open under that name.
    void failedSaveAfterRenameKeepsOldName() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("uloženo"));
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        const QByteArray stored = f.dir.readFile(QStringLiteral("FILES/A.krt"));
        f.editor.notes = QStringLiteral("znak mimo kódovou stránku: \u4e00");
        f.card.markModified();
        f.prompts.inputAnswers.enqueue(QStringLiteral("B"));
        QVERIFY_THROWS_EXCEPTION(std::exception, f.card.rename());
        QCOMPARE(f.dir.readFile(QStringLiteral("FILES/A.krt")), stored);
        QVERIFY(!QFile::exists(f.state.CardDir + QStringLiteral("B.krt")));
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("A"));
        QVERIFY(f.card.Modified());
        QVERIFY(QFile::exists(f.state.WorkDir + QStringLiteral("A.txt")));
    }

    void deleteRemovesTheCardFileAndClosesTheCard() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("A"));
        f.list.reread();
        f.openAndEdit(QStringLiteral("A.krt"), QStringLiteral("změna"));
        QVERIFY(f.card.DeleteCardFile());
        f.card.reportUndeletedCardFile();
        QVERIFY(f.prompts.messages.isEmpty());
        QVERIFY(!QFile::exists(f.state.CardDir + QStringLiteral("A.krt")));
        QVERIFY(f.list.names.isEmpty());
        QVERIFY(!f.card.CardLoaded());
        // The path and the unsaved state stay for the next open or exit.
        QVERIFY(f.card.Modified());
        QCOMPARE(f.card.CurrentCardPath(), f.state.CardDir + QStringLiteral("A.krt"));

        QVERIFY(!f.card.DeleteCardFile());
        QCOMPARE(f.prompts.messages,
                 QStringList{QStringLiteral("Chyba: soubor \"") + f.state.CardDir +
                             QStringLiteral("A.krt\" neexistuje.")});
    }

    // Each save of the open card keeps the card file it replaced; a save
    // refused for text the card file cannot hold keeps none.
    void savesKeepTheReplacedCardFiles() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {QStringLiteral("k=v")}, QStringLiteral("původní"));
        const QByteArray original = f.dir.readFile(QStringLiteral("FILES/A.krt"));
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        QCOMPARE(f.card.historyFolder(), f.state.historyDir() + QStringLiteral("A.krt/"));
        QVERIFY(f.versions(QStringLiteral("A")).isEmpty());
        f.editAndSave(QStringLiteral("druhá"));
        const QByteArray second = f.dir.readFile(QStringLiteral("FILES/A.krt"));
        f.editAndSave(QStringLiteral("třetí"));
        QCOMPARE(f.versions(QStringLiteral("A")).size(), 2);
        QCOMPARE(testcards::fileBytes(f.versions(QStringLiteral("A"))[0].path), second);
        QCOMPARE(testcards::fileBytes(f.versions(QStringLiteral("A"))[1].path), original);

        f.editor.notes = QStringLiteral("znak mimo kódovou stránku: \u4e00");
        f.card.markModified();
        QVERIFY_THROWS_EXCEPTION(std::exception, f.card.save());
        QCOMPARE(f.versions(QStringLiteral("A")).size(), 2);
    }

    void renameMovesTheHistoryAndDeleteKeepsIt() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("Staré"), {}, QStringLiteral("první"));
        f.list.reread();
        f.open(QStringLiteral("Staré.krt"));
        f.editAndSave(QStringLiteral("druhá"));
        const QByteArray beforeRename = f.dir.readFile(QStringLiteral("FILES/Staré.krt"));
        f.prompts.inputAnswers.enqueue(QStringLiteral("Nové"));
        f.card.rename();
        QVERIFY(f.prompts.allShown().isEmpty());
        QVERIFY(!QFileInfo::exists(f.state.historyDir() + QStringLiteral("Staré.krt")));
        // The two versions of the old name and the one the rename's save kept.
        const QList<CardVersion> moved = f.versions(QStringLiteral("Nové"));
        QCOMPARE(moved.size(), 2);
        QCOMPARE(testcards::fileBytes(moved[0].path), beforeRename);
        QCOMPARE(f.card.historyFolder(), f.state.historyDir() + QStringLiteral("Nové.krt/"));

        QVERIFY(f.card.DeleteCardFile());
        QVERIFY(!QFileInfo::exists(f.state.CardDir + QStringLiteral("Nové.krt")));
        QCOMPARE(f.versions(QStringLiteral("Nové")).size(), 2);
    }

    // A rename whose save fails leaves the history with the card under its old name.
    void failedSaveAfterRenameKeepsTheHistoryUnderTheOldName() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, QStringLiteral("uloženo"));
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        f.editAndSave(QStringLiteral("druhá"));
        f.editor.notes = QStringLiteral("\u4e00");
        f.card.markModified();
        f.prompts.inputAnswers.enqueue(QStringLiteral("B"));
        QVERIFY_THROWS_EXCEPTION(std::exception, f.card.rename());
        QCOMPARE(f.versions(QStringLiteral("A")).size(), 1);
        QVERIFY(!QFileInfo::exists(f.state.historyDir() + QStringLiteral("B.krt")));
    }

    // Restoring puts a version into the editor as unsaved changes, its
    // picture into the working directory; the save stores it, and the content
    // it replaced becomes a version in turn.
    void restoredVersionIsAnUnsavedChangeThatTheSaveStores() {
        Fixture f;
        const QByteArray bitmap = testcards::bitmapBytes(64, 48, Qt::blue);
        writeCard(f.dir, QStringLiteral("A"), {QStringLiteral("Obec=Brno"), QStringLiteral("x")},
                  QStringLiteral("dřívější\ntext"), bitmap);
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        f.editor.table = {QStringLiteral("Obec=Praha")};
        f.card.removePicture();
        f.editAndSave(QStringLiteral("pozdější"));
        const QByteArray replacedBySave = f.dir.readFile(QStringLiteral("FILES/A.krt"));

        const QList<CardVersion> versions = f.versions(QStringLiteral("A"));
        QCOMPARE(versions.size(), 1);
        f.card.restoreVersion(
            cardversionreader::readCardVersion(f.state.libraryPath(), versions[0].path));
        QVERIFY(f.card.Modified());
        QCOMPARE(f.editor.table, QStringList({QStringLiteral("Obec=Brno"), QStringLiteral("x")}));
        QCOMPARE(f.editor.notes, QStringLiteral("dřívější\ntext"));
        QCOMPARE(f.editor.picture, f.card.picturePath());
        QCOMPARE(testcards::fileBytes(f.card.picturePath()), bitmap);
        QCOMPARE(f.dir.readFile(QStringLiteral("FILES/A.krt")), replacedBySave);

        f.card.save();
        QVERIFY(!f.card.Modified());
        const auto members = readCard(f.dir, QStringLiteral("A.krt"));
        QCOMPARE(members.value(QStringLiteral("A.tbl")), QByteArray("Obec=Brno\r\nx\r\n"));
        QCOMPARE(members.value(QStringLiteral("A.txt")),
                 cp1250::encode(QStringLiteral("dřívější\r\ntext")));
        QCOMPARE(members.value(QStringLiteral("A1.bmp")), bitmap);
        QCOMPARE(f.versions(QStringLiteral("A")).size(), 2);
        QCOMPARE(testcards::fileBytes(f.versions(QStringLiteral("A"))[0].path), replacedBySave);
    }

    // A version without a picture takes the open card's picture away; one
    // saved under the card's earlier name restores into its present name.
    void restoreTakesThePictureAwayAndFollowsARename() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("Staré"), {QStringLiteral("k=v")}, QStringLiteral("bez"));
        f.list.reread();
        f.open(QStringLiteral("Staré.krt"));
        f.card.pastePicture(testcards::filledImage(QSize(320, 240), Qt::green));
        f.prompts.inputAnswers.enqueue(QStringLiteral("Nové"));
        f.card.rename();
        QVERIFY(QFileInfo::exists(f.card.picturePath()));

        const QList<CardVersion> versions = f.versions(QStringLiteral("Nové"));
        QCOMPARE(versions.size(), 1);
        f.card.restoreVersion(
            cardversionreader::readCardVersion(f.state.libraryPath(), versions[0].path));
        QCOMPARE(f.editor.notes, QStringLiteral("bez"));
        QVERIFY(f.editor.picture.isEmpty());
        QVERIFY(!QFileInfo::exists(f.card.picturePath()));
        f.card.save();
        QCOMPARE(readCard(f.dir, QStringLiteral("Nové.krt")).keys(),
                 QStringList({QStringLiteral("Nové.tbl"), QStringLiteral("Nové.txt")}));
    }

    void pictureStepsWriteTheMemberAndMarkTheCard() {
        Fixture f;
        writeCard(f.dir, QStringLiteral("A"), {}, {});
        f.list.reread();
        f.open(QStringLiteral("A.krt"));
        f.card.removePicture();
        QVERIFY(!f.card.Modified());

        f.card.pastePicture(testcards::filledImage(QSize(640, 480), Qt::green));
        QVERIFY(f.card.Modified());
        QCOMPARE(f.editor.picture, f.card.picturePath());
        QCOMPARE(QImage(f.card.picturePath()).size(), QSize(320, 240));
        f.card.save();
        QVERIFY(readCard(f.dir, QStringLiteral("A.krt")).contains(QStringLiteral("A1.bmp")));

        f.card.removePicture();
        QVERIFY(f.card.Modified());
        QVERIFY(f.editor.picture.isEmpty());
        QVERIFY(!QFile::exists(f.card.picturePath()));

        f.card.selectPicture(f.dir.path() + QStringLiteral("chybí.jpg"));
        QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("Soubor nenalezen!")});
    }
};

QTEST_MAIN(TestOpenCard)
#include "tst_core_opencard.moc"
