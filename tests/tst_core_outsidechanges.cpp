#include "core/CardFolderListing.h"
#include "core/CommandAborted.h"
#include "core/OpenCard.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionReader.h"
#include "tests/support/ScriptedChooser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCardEditor.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QtTest>

namespace {

// The card list as the main window's tells the conflict copies apart.
class ListWithCopies : public TestCardList {
public:
    using TestCardList::TestCardList;
    QStringList conflictCopiesOf(const QString& fileName) const override {
        return cardfolder::read(dir, QStringLiteral("*.krt")).conflictCopies.value(fileName);
    }
    QString dir;
};

// The card "A" (Obec=Brno, notes "n"), open, over stand-in controls.
struct Fixture {
    Fixture() : state(dir.startedState()), list(state.CardDir), card(state, prompts, editor, list) {
        list.dir = state.CardDir;
        card.setConflictChooser(&chooser);
        testcards::writeCard(dir, QStringLiteral("A"), {QStringLiteral("Obec=Brno")},
                             QStringLiteral("n"));
        list.reread();
        list.selectEntry(QStringLiteral("A.krt"));
        card.openSelected();
    }
    void edit(const QStringList& table) {
        editor.table = table;
        card.markModified();
    }
    // Another computer's version replaces the card file.
    void replacedElsewhere(const QStringList& table) {
        testcards::replaceCard(dir, QStringLiteral("A"), table, QStringLiteral("n"));
    }
    // The save, as F2 runs it: false when it stopped the command.
    bool save() {
        try {
            card.save();
            return true;
        } catch (const CommandAborted&) {
            return false;
        }
    }
    QStringList storedTable() const {
        return cardversionreader::readCardVersion(state.libraryPath(),
                                                  state.CardDir + QStringLiteral("A.krt"))
            .table;
    }
    QList<QStringList> historyTables() const {
        QList<QStringList> tables;
        for (const CardVersion& version : cardhistory::versions(
                 cardhistory::folderOf(state.historyDir(), QStringLiteral("A.krt"))))
            tables.append(
                cardversionreader::readCardVersion(state.libraryPath(), version.path).table);
        return tables;
    }

    TestProgramDir dir;
    AppState state;
    ScriptedPrompts prompts;
    ScriptedChooser chooser;
    TestCardEditor editor;
    ListWithCopies list;
    OpenCard card;
};

const QStringList kMine = {QStringLiteral("Obec=Brno"), QStringLiteral("Tel=123")};
const QStringList kTheirs = {QStringLiteral("Obec=Praha")};
const QStringList kJoined = {QStringLiteral("Obec=Praha"), QStringLiteral("Tel=123")};

} // namespace

// The open card among other programs: its card file changed on disk, given
// a new name or removed elsewhere, and the sync tools' conflict copies.
class TestOutsideChanges : public QObject {
    Q_OBJECT
private slots:
    // Unsaved edits, and another computer's version arrived: nothing is
    // written before the user chooses, and the version not kept is in the
    // card's history.
    void saveOverAnOutsideChangeAsksFirst_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("saveGoesOn");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<QStringList>>("history");
        QTest::newRow("keep mine") << int(VersionChoice::KeepMine) << true << kMine << kMine
                                   << false << QList<QStringList>{kTheirs};
        QTest::newRow("take theirs") << int(VersionChoice::TakeTheirs) << true << kTheirs << kTheirs
                                     << false << QList<QStringList>{kMine};
        QTest::newRow("join") << int(VersionChoice::Join) << false << kTheirs << kJoined << true
                              << QList<QStringList>{kMine};
        QTest::newRow("cancel") << int(VersionChoice::Cancel) << false << kTheirs << kMine << true
                                << QList<QStringList>{};
    }
    void saveOverAnOutsideChangeAsksFirst() {
        QFETCH(int, choice);
        QFETCH(bool, saveGoesOn);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        QFETCH(bool, modified);
        QFETCH(QList<QStringList>, history);
        Fixture f;
        f.edit(kMine);
        f.replacedElsewhere(kTheirs);
        f.chooser.answers.enqueue(ScriptedChooser::answer(VersionChoice(choice)));

        QCOMPARE(f.save(), saveGoesOn);
        QCOMPARE(f.chooser.asked.size(), 1);
        QCOMPARE(f.chooser.asked[0].cause, VersionQuestion::Cause::ChangedElsewhere);
        QCOMPARE(f.chooser.asked[0].cardName, QStringLiteral("A"));
        // Mine added a row, theirs changed another: nothing to ask.
        QVERIFY(f.chooser.asked[0].conflicts.isEmpty());
        QCOMPARE(f.storedTable(), stored);
        QCOMPARE(f.editor.table, shown);
        QCOMPARE(f.card.Modified(), modified);
        QCOMPARE(f.historyTables(), history);
    }

    // After a join, their version is the base: F2 saves the joined card
    // without asking again.
    void joinedCardSavesWithoutAskingAgain() {
        Fixture f;
        f.edit(kMine);
        f.replacedElsewhere(kTheirs);
        f.chooser.answers.enqueue(ScriptedChooser::answer(VersionChoice::Join));
        QVERIFY(!f.save());
        QVERIFY(f.save());
        QCOMPARE(f.chooser.asked.size(), 1);
        QCOMPARE(f.storedTable(), kJoined);
    }

    // Leaving the card with AutoSave asks too, and a join keeps the card open.
    void leavingTheCardAsksAndAJoinStaysOpen() {
        Fixture f;
        testcards::writeCard(f.dir, QStringLiteral("B"), {QStringLiteral("B=1")});
        f.list.reread();
        f.edit(kMine);
        f.replacedElsewhere(kTheirs);
        f.chooser.answers.enqueue(ScriptedChooser::answer(VersionChoice::Join));
        QVERIFY_THROWS_EXCEPTION(CommandAborted,
                                 f.card.Open(f.state.CardDir + QStringLiteral("B.krt")));
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("A"));
        QCOMPARE(f.editor.table, kJoined);
    }

    // Without unsaved edits the card is loaded again, quietly, whether the
    // window noticed the change first or the save did.
    void unchangedCardIsReloaded() {
        for (const bool byTheWindow : {true, false}) {
            Fixture f;
            f.replacedElsewhere(kTheirs);
            if (byTheWindow) {
                const QString notice = f.card.followCardFile({});
                QVERIFY(notice.contains(QStringLiteral("je načtena znovu")));
                QVERIFY(f.card.followCardFile({}).isEmpty());
            } else {
                QVERIFY(f.save());
            }
            QCOMPARE(f.editor.table, kTheirs);
            QVERIFY(!f.card.Modified());
            QVERIFY(f.chooser.asked.isEmpty());
            QVERIFY(f.prompts.allShown().isEmpty());
            QCOMPARE(f.storedTable(), kTheirs);
        }
    }

    void editedCardIsNotReloadedButNoticedOnce() {
        Fixture f;
        f.edit(kMine);
        f.replacedElsewhere(kTheirs);
        QVERIFY(f.card.followCardFile({}).contains(QStringLiteral("při uložení vyberete")));
        QVERIFY(f.card.followCardFile({}).isEmpty());
        QCOMPARE(f.editor.table, kMine);
        QVERIFY(f.card.Modified());
    }

    // The program's own save is no outside change.
    void ownSaveIsNoOutsideChange() {
        Fixture f;
        f.edit(kMine);
        QVERIFY(f.save());
        QVERIFY(f.card.followCardFile({}).isEmpty());
        f.edit(kJoined);
        QVERIFY(f.save());
        QVERIFY(f.chooser.asked.isEmpty());
        QCOMPARE(f.storedTable(), kJoined);
    }

    void cardFileRenamedElsewhereIsFollowed() {
        Fixture f;
        f.edit(kMine);
        QVERIFY(QFile::rename(f.state.CardDir + QStringLiteral("A.krt"),
                              f.state.CardDir + QStringLiteral("Nová.krt")));
        const QString notice = f.card.followCardFile({QStringLiteral("Nová.krt")});
        QCOMPARE(notice, QStringLiteral("Kartu „A“ jiný program přejmenoval na „Nová“."));
        QCOMPARE(f.card.CurrentCardName(), QStringLiteral("Nová"));
        QCOMPARE(f.editor.title, QStringLiteral("Nová"));
        QVERIFY(f.save());
        QCOMPARE(testcards::readCard(f.dir, QStringLiteral("Nová.krt")).keys(),
                 QStringList({QStringLiteral("Nová.tbl"), QStringLiteral("Nová.txt")}));
        QVERIFY(!QFile::exists(f.state.CardDir + QStringLiteral("A.krt")));
    }

    void cardFileRemovedElsewhereIsNoticedOnce() {
        Fixture f;
        QVERIFY(QFile::remove(f.state.CardDir + QStringLiteral("A.krt")));
        QVERIFY(f.card.followCardFile({}).contains(QStringLiteral("odstranil jiný program")));
        QVERIFY(f.card.followCardFile({}).isEmpty());
        QVERIFY(f.card.CardLoaded());
    }

    // Each conflict copy is joined into the editor as the user picks; the
    // copy then lies in the card's history.
    void conflictCopiesAreJoinedAndFiled() {
        Fixture f;
        const QString copy = QStringLiteral("A.sync-conflict-20261208-120000-ABCDEFG.krt");
        testcards::writeArchive(f.state.libraryPath(), f.state.CardDir + copy,
                                {{QStringLiteral("A.tbl"), QByteArray("Obec=Ostrava\r\nPS=1\r\n")},
                                 {QStringLiteral("A.txt"), QByteArray("n")}});
        // Without a common base: both rows differ, both are asked.
        f.chooser.answers.enqueue(
            ScriptedChooser::answer(VersionChoice::Join, {JoinSide::Theirs, JoinSide::Theirs}));
        const QString notice = f.card.resolveConflictCopies();
        QCOMPARE(f.chooser.asked.size(), 1);
        QCOMPARE(f.chooser.asked[0].cause, VersionQuestion::Cause::ConflictCopy);
        QCOMPARE(f.chooser.asked[0].copyFileName, copy);
        QCOMPARE(f.chooser.asked[0].conflicts.size(), 2);
        QCOMPARE(f.editor.table,
                 QStringList({QStringLiteral("Obec=Ostrava"), QStringLiteral("PS=1")}));
        QVERIFY(f.card.Modified());
        QVERIFY(notice.contains(QStringLiteral("F2")));
        QVERIFY(!QFile::exists(f.state.CardDir + copy));
        const QStringList copyTable = {QStringLiteral("Obec=Ostrava"), QStringLiteral("PS=1")};
        QCOMPARE(f.historyTables(), QList<QStringList>{copyTable});
        // The card file is written only by the save.
        QCOMPARE(f.storedTable(), QStringList{QStringLiteral("Obec=Brno")});
    }

    void cancelledConflictCopyStays() {
        Fixture f;
        const QString copy = QStringLiteral("A (conflicted copy 2026-12-08 120000).krt");
        QVERIFY(QFile::copy(f.state.CardDir + QStringLiteral("A.krt"), f.state.CardDir + copy));
        QVERIFY(f.card.resolveConflictCopies().isEmpty());
        QVERIFY(QFile::exists(f.state.CardDir + copy));
        QVERIFY(!f.card.Modified());
    }
};

QTEST_MAIN(TestOutsideChanges)
#include "tst_core_outsidechanges.moc"
