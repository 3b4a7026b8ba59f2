#include "conflict/CardConflictDialog.h"
#include "core/CardFolderModel.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionReader.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstdio>

using testcards::writeCard;

namespace {

// The main window's parts these tests reach: the card list, the quiet line
// and the menu commands (the one place that knows TForm1's widgets).
struct Window {
    explicit Window(AppFixture& program) : program(program) {}
    CardList& list() const { return *control<CardList>(program.form(), "List"); }
    QLabel* notice() const {
        return program.form().findChild<QLabel*>(QStringLiteral("NoticeLine"));
    }
    QString title() const { return program.form().windowTitle(); }
    void save() const { commandsOf(program.form()).trigger(Command::SaveCard); }
    void resolveConflicts() const { commandsOf(program.form()).trigger(Command::ResolveConflict); }
    CardConflictDialog& conflictForm() const {
        return *dialog<CardConflictDialog>(program.application);
    }
    AppFixture& program;
};

// Runs command, which should show the conflict dialog modally, and step
// while it is shown; false when it was not shown.
bool WhileConflictDialog(Window& window, const std::function<void()>& command,
                         const std::function<void(CardConflictDialog&)>& step) {
    bool shown = false;
    CardConflictDialog& dialog = window.conflictForm();
    QTimer::singleShot(0, &dialog, [&] {
        if (QApplication::activeModalWidget() != &dialog)
            return;
        shown = true;
        step(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    command();
    return shown;
}

QStringList rows(const QString& path, const QString& library) {
    return cardversionreader::readCardVersion(library, path).table;
}

} // namespace

// The main window among other programs: a second program on its folder, the
// card list following the folder, a card changed elsewhere while open, and
// the sync tools' conflict copies.
class TestMainWindowSync : public QObject {
    Q_OBJECT
private slots:
    // A second start on the folder shows the first program's window and
    // ends; TEMP stays the first program's, and its save keeps the picture.
    void secondProgramOnOneFolderShowsTheFirst() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Obraz"), {QStringLiteral("k=v")}, {},
                  testcards::bitmapBytes());
        writeCard(dir, QStringLiteral("Jiná"), {QStringLiteral("x=y")});
        AppFixture first(dir);
        QVERIFY(first.started);
        control<CardList>(first.form(), "List")->reread();
        first.open(control<CardList>(first.form(), "List")->indexOf(QStringLiteral("Obraz.krt")));
        QVERIFY(!first.form().isVisible());

        AppFixture second(dir);
        QVERIFY(!second.started);
        QCOMPARE(second.endCodes, QList<int>{0});
        QVERIFY(second.prompts.allShown().isEmpty());
        QVERIFY(first.form().isVisible());

        first.card().markModified();
        Window(first).save();
        QVERIFY(first.prompts.allShown().isEmpty());
        QCOMPARE(testcards::readCard(dir, QStringLiteral("Obraz.krt"))
                     .value(QStringLiteral("Obraz1.bmp")),
                 testcards::bitmapBytes());
    }

    // Card files added, removed and renamed by others show within a second;
    // the selection and the open card's number follow.
    void listFollowsOtherPrograms() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Cyril"), {});
        writeCard(dir, QStringLiteral("Eva"), {});
        AppFixture program(dir);
        Window window(program);
        control<CardList>(program.form(), "List")->reread();
        program.open(1); // Eva
        QVERIFY(window.title().contains(QStringLiteral("(2) Eva")));

        writeCard(dir, QStringLiteral("Adam"), {});
        QTRY_COMPARE(window.list().items(),
                     QStringList({QStringLiteral("Adam.krt"), QStringLiteral("Cyril.krt"),
                                  QStringLiteral("Eva.krt")}));
        QCOMPARE(window.list().itemIndex(), 2);
        QTRY_VERIFY(window.title().contains(QStringLiteral("(3) Eva")));

        QVERIFY(QFile::rename(dir.cardDir() + QStringLiteral("Cyril.krt"),
                              dir.cardDir() + QStringLiteral("Zora.krt")));
        QVERIFY(QFile::remove(dir.cardDir() + QStringLiteral("Adam.krt")));
        QTRY_COMPARE(window.list().items(),
                     QStringList({QStringLiteral("Eva.krt"), QStringLiteral("Zora.krt")}));
        QCOMPARE(window.list().itemIndex(), 0);
        QTRY_VERIFY(window.title().contains(QStringLiteral("(1) Eva")));
        QCOMPARE(window.list().toolTip(), QStringLiteral("Celkem 2 záznamů."));
    }

    // A burst applied at once keeps the selection on its card too.
    void burstKeepsTheSelection() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Eva"), {});
        AppFixture program(dir);
        Window window(program);
        control<CardList>(program.form(), "List")->reread();
        window.list().setItemIndex(0);
        const int before = window.list().cards().listingsApplied();
        for (int i = 0; i < 200; ++i)
            testcards::writeArchive(
                dir.library(), dir.cardDir() + QStringLiteral("A%1.krt").arg(i, 3, 10, QChar(u'0')),
                {});
        QTRY_VERIFY(window.list().count() == 201 && !window.list().cards().busy());
        QVERIFY(window.list().cards().listingsApplied() > before);
        QCOMPARE(window.list().itemIndex(), 200);
    }

    // No unsaved edits: the card is loaded again and the quiet line says so.
    void changedElsewhereWithoutEditsReloads() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Brno")});
        AppFixture program(dir);
        Window window(program);
        control<CardList>(program.form(), "List")->reread();
        program.open(0);
        testcards::replaceCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Praha")});
        QTRY_COMPARE(control<KeyValueGrid>(program.form(), "ListB")->strings(),
                     QStringList{QStringLiteral("Obec=Praha")});
        QVERIFY(!program.card().Modified());
        QVERIFY(window.notice()->isVisibleTo(&program.form()));
        QCOMPARE(window.notice()->text(),
                 QStringLiteral("Kartu „Jan“ změnil jiný program (například synchronizace); je "
                                "načtena znovu."));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    // Unsaved edits: F2 writes nothing before the dialog's answer.
    void changedElsewhereWithEditsAsksOnSave() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Brno")});
        AppFixture program(dir);
        Window window(program);
        control<CardList>(program.form(), "List")->reread();
        program.open(0);
        program.card().restoreVersion({{QStringLiteral("Obec=Plzeň")}, {}, {}});
        testcards::replaceCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Praha")});
        QTRY_VERIFY(window.notice()->isVisibleTo(&program.form()));
        QVERIFY(window.notice()->text().contains(QStringLiteral("Vaše úpravy zatím nejsou")));

        const QString path = dir.cardDir() + QStringLiteral("Jan.krt");
        QVERIFY(WhileConflictDialog(
            window, [&] { window.save(); },
            [&](CardConflictDialog& d) {
                QCOMPARE(d.Heading->text(), QStringLiteral("Karta „Jan“ se mezitím změnila jinde"));
                QCOMPARE(d.Conflicts->rowCount(), 1);
                QVERIFY(!d.JoinButton->isEnabled());
                QVERIFY(d.HistoryNote->text().contains(QStringLiteral("historii karty")));
                QCOMPARE(rows(path, dir.library()), QStringList{QStringLiteral("Obec=Praha")});
                d.pick(0, JoinSide::Theirs);
                QVERIFY(d.JoinButton->isEnabled());
                d.KeepMineButton->click();
            }));
        QCOMPARE(rows(path, dir.library()), QStringList{QStringLiteral("Obec=Plzeň")});
        const QList<CardVersion> versions = cardhistory::versions(program.card().historyFolder());
        QCOMPARE(versions.size(), 1);
        QCOMPARE(rows(versions.first().path, dir.library()),
                 QStringList{QStringLiteral("Obec=Praha")});
    }

    // Changes on different sides join without a question: the dialog then
    // closes up over the empty table, its buttons still inside it.
    void joinWithoutQuestionsHasNoEmptyTable() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Brno")});
        AppFixture program(dir);
        Window window(program);
        program.list().reread();
        program.open(0);
        program.card().restoreVersion({{QStringLiteral("Obec=Brno")}, QStringLiteral("Moje"), {}});
        testcards::replaceCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Praha")});
        QTRY_VERIFY(window.notice()->isVisibleTo(&program.form()));
        QVERIFY(WhileConflictDialog(
            window, [&] { window.save(); },
            [&](CardConflictDialog& d) {
                QVERIFY(!d.Conflicts->isVisible());
                QVERIFY(d.JoinButton->isEnabled());
                QVERIFY(d.HistoryNote->geometry().bottom() < d.JoinButton->y());
                QVERIFY(d.CancelButton->geometry().bottom() < d.height());
                QVERIFY(d.height() < d.Conflicts->geometry().bottom());
            }));
    }

    // A conflict copy is no card: not listed, numbered or searched; its card
    // is marked, and "Vyřešit konflikt…" joins it in.
    void conflictCopyIsJoinedIntoItsCard_data() {
        QTest::addColumn<QString>("copy");
        QTest::newRow("Syncthing") << "Jan.sync-conflict-20261208-120000-ABCDEFG.krt";
        QTest::newRow("Nextcloud") << "Jan (conflicted copy 2026-12-08 120000).krt";
    }
    void conflictCopyIsJoinedIntoItsCard() {
        QFETCH(QString, copy);
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Brno")});
        writeCard(dir, QStringLiteral("Karel"), {});
        testcards::writeArchive(dir.library(), dir.cardDir() + copy,
                                {{QStringLiteral("Jan.tbl"), QByteArray("Obec=Praha\r\n")}});
        AppFixture program(dir);
        Window window(program);
        control<CardList>(program.form(), "List")->reread();
        QCOMPARE(window.list().items(),
                 QStringList({QStringLiteral("Jan.krt"), QStringLiteral("Karel.krt")}));
        QCOMPARE(window.list().model()->index(0, 0).data(CardFolderModel::ConflictCopiesRole),
                 QVariant(QStringList{copy}));
        program.open(0);
        QVERIFY(window.title().contains(QStringLiteral("(1) Jan")));

        QVERIFY(WhileConflictDialog(
            window, [&] { window.resolveConflicts(); },
            [&](CardConflictDialog& d) {
                QCOMPARE(d.Heading->text(), QStringLiteral("Karta „Jan“ má kopii z konfliktu "
                                                           "synchronizace"));
                QVERIFY(d.Explanation->text().contains(copy));
                d.pick(0, JoinSide::Theirs);
                d.JoinButton->click();
            }));
        QCOMPARE(control<KeyValueGrid>(program.form(), "ListB")->strings(),
                 QStringList{QStringLiteral("Obec=Praha")});
        QVERIFY(program.card().Modified());
        QVERIFY(!QFile::exists(dir.cardDir() + copy));
        QCOMPARE(cardhistory::versions(program.card().historyFolder()).size(), 1);
        QTRY_VERIFY(!window.list()
                         .model()
                         ->index(0, 0)
                         .data(CardFolderModel::ConflictCopiesRole)
                         .toStringList()
                         .size());
    }
};

QTEST_MAIN(TestMainWindowSync)
#include "tst_mainwindow_sync.moc"
