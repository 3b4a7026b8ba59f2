#include "conflict/CardConflictDialog.h"
#include "core/CardFolderModel.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionReader.h"
#include "tests/support/AppFixture.h"
#include "tests/support/SyncthingPair.h"
#include "tests/support/TestCards.h"

#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// Syncthing takes a second or two for a change; a conflict takes longer.
constexpr int kSyncMs = 60000;

// One program on a program directory whose FILES the pair shares.
struct Side {
    Side() : program(dir) { control<CardList>(program.form(), "List")->reread(); }
    CardList& list() const { return *control<CardList>(program.form(), "List"); }
    QString cardPath(const QString& fileName) const { return dir.cardDir() + fileName; }
    // The card file's rows; none while it is missing or still arriving.
    QStringList rows(const QString& fileName) const {
        try {
            return cardversionreader::readCardVersion(dir.library(), cardPath(fileName)).table;
        } catch (const AppError&) {
            return {};
        }
    }
    void openCard(const QString& fileName) { program.open(list().indexOf(fileName)); }
    // Edits the open card's table and saves it with F2.
    void editAndSave(const QStringList& rows) {
        control<KeyValueGrid>(program.form(), "ListB")->setStrings(rows);
        program.card().markModified();
        commandsOf(program.form()).trigger(Command::SaveCard);
    }
    bool listsNoConflictCopy() const {
        for (const QString& name : list().items()) {
            if (name.contains(QStringLiteral("sync-conflict")))
                return false;
        }
        return true;
    }

    TestProgramDir dir;
    AppFixture program;
};

// Ticks, for each row both versions changed, the side holding an edit.
void pickEditedSides(CardConflictDialog& dialog) {
    for (int row = 0; row < dialog.Conflicts->rowCount(); ++row) {
        const bool mineEdited =
            dialog.Conflicts->item(row, 1)->text().contains(QStringLiteral("upraveno"));
        dialog.pick(row, mineEdited ? JoinSide::Mine : JoinSide::Theirs);
    }
}

} // namespace

// Two program directories whose FILES two real Syncthing instances share, as
// two computers would: the program is a good citizen of a synced folder.
class TestMainWindowSyncthing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!SyncthingPair::available())
            QFAIL("syncthing is missing: scripts/install-deps.sh --tests installs it");
    }

    void cardsTravelAndConflictsAreJoined() {
        Side a;
        Side b;
        SyncthingPair pair(a.dir.cardDir(), b.dir.cardDir());
        QVERIFY2(pair.start(), qPrintable(pair.why()));

        // A card saved in one program appears in the other's running list.
        const QString fileName = QStringLiteral("Spolu.krt");
        cardarchive::createEmptyCardFile(a.dir.library(), a.cardPath(fileName));
        a.list().reread();
        a.openCard(fileName);
        a.editAndSave(
            {QStringLiteral("Jméno=Spolu"), QStringLiteral("A=1"), QStringLiteral("B=1")});
        QTRY_VERIFY_WITH_TIMEOUT(b.list().items().contains(fileName), kSyncMs);
        QTRY_COMPARE_WITH_TIMEOUT(b.rows(fileName).size(), 3, kSyncMs);
        b.openCard(fileName);
        QCOMPARE(control<KeyValueGrid>(b.program.form(), "ListB")->strings(), a.rows(fileName));

        // Both edit at once, while the sync is held: a conflict.
        QVERIFY2(pair.setPaused(true), qPrintable(pair.why()));
        a.editAndSave({QStringLiteral("Jméno=Spolu"), QStringLiteral("A=upraveno v A"),
                       QStringLiteral("B=1")});
        b.editAndSave({QStringLiteral("Jméno=Spolu"), QStringLiteral("A=1"),
                       QStringLiteral("B=upraveno v B")});
        QVERIFY2(pair.setPaused(false), qPrintable(pair.why()));
        for (Side* side : {&a, &b})
            QTRY_VERIFY_WITH_TIMEOUT(!side->list().cards().conflictCopiesOf(fileName).isEmpty(),
                                     kSyncMs);
        QVERIFY(a.listsNoConflictCopy() && b.listsNoConflictCopy());
        QCOMPARE(a.list().items(), QStringList{fileName});
        QCOMPARE(b.list().items(), QStringList{fileName});

        // Joined on one side, nothing is lost; the other side follows.
        QTRY_VERIFY_WITH_TIMEOUT(!a.program.card().Modified(), kSyncMs);
        bool asked = false;
        CardConflictDialog& dialog =
            *windowparts::dialog<CardConflictDialog>(a.program.application);
        QTimer::singleShot(0, &dialog, [&] {
            asked = QApplication::activeModalWidget() == &dialog;
            if (!asked)
                return;
            pickEditedSides(dialog);
            dialog.JoinButton->click();
        });
        commandsOf(a.program.form()).trigger(Command::ResolveConflict);
        QVERIFY(asked);
        commandsOf(a.program.form()).trigger(Command::SaveCard);
        const QStringList joined = {QStringLiteral("Jméno=Spolu"), QStringLiteral("A=upraveno v A"),
                                    QStringLiteral("B=upraveno v B")};
        QCOMPARE(a.rows(fileName), joined);
        QCOMPARE(cardhistory::versions(a.program.card().historyFolder()).isEmpty(), false);
        QTRY_COMPARE_WITH_TIMEOUT(b.rows(fileName), joined, kSyncMs);
        QTRY_COMPARE_WITH_TIMEOUT(control<KeyValueGrid>(b.program.form(), "ListB")->strings(),
                                  joined, kSyncMs);
        QTRY_VERIFY_WITH_TIMEOUT(b.list().cards().conflictCopiesOf(fileName).isEmpty(), kSyncMs);
        QVERIFY(a.program.prompts.allShown().isEmpty());
        QVERIFY(b.program.prompts.allShown().isEmpty());
    }
};

QTEST_MAIN(TestMainWindowSyncthing)
#include "tst_mainwindow_syncthing.moc"
