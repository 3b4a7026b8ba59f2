#include "core/StoredColor.h"
#include "history/THistoryForm.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/CardHistory.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using testcards::writeCard;

namespace {

// The program with the card "Jan" open, saved twice after it was written:
// two versions, the newer with two rows and a picture, the older with one row.
struct ProgramWithHistory {
    explicit ProgramWithHistory(const TestProgramDir& dir) : program(dir) {
        writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Brno")},
                  QStringLiteral("nejstarší"));
        control<CardList>(program.form(), "List")->reread();
        program.open(0);
        program.card().pastePicture(testcards::filledImage(QSize(320, 240), Qt::red));
        saveWith({QStringLiteral("Obec=Praha"), QStringLiteral("Ulice=Dlouhá")},
                 QStringLiteral("prostřední"));
        saveWith({QStringLiteral("Obec=Plzeň")}, QStringLiteral("nejnovější"));
    }

    void saveWith(const QStringList& rows, const QString& notes) {
        control<KeyValueGrid>(program.form(), "ListB")->setStrings(rows);
        control<NotesEdit>(program.form(), "Memo1")->setText(notes);
        program.card().markModified();
        program.card().save();
    }
    THistoryForm& dialog() const { return *windowparts::dialog<THistoryForm>(program.application); }
    QString folder() const { return program.card().historyFolder(); }
    QStringList listColumn(int column) const {
        QStringList texts;
        for (int row = 0; row < dialog().VersionList->topLevelItemCount(); ++row)
            texts << dialog().VersionList->topLevelItem(row)->text(column);
        return texts;
    }

    AppFixture program;
};

// Spoils a byte of the picture member's data in the card file at path: its
// archive still opens, the picture no longer unpacks.
void DamagePictureData(const QString& path) {
    QByteArray bytes = testcards::fileBytes(path);
    const QByteArray name = "Jan1.bmp";
    const qsizetype nameAt = bytes.indexOf(name); // in the member's local header
    QVERIFY(nameAt >= 30);
    const int extraLength = uchar(bytes[nameAt - 2]) | uchar(bytes[nameAt - 1]) << 8;
    bytes[nameAt + name.size() + extraLength + 5] ^= char(0xFF);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Opens the dialog from the menu and runs step while it is shown modally;
// false when it was not shown.
bool WithHistoryDialog(TForm1& form, THistoryForm& dialog,
                       const std::function<void(THistoryForm&)>& step) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != &dialog) {
            if (modal)
                modal->close();
            return;
        }
        ran = true;
        step(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    commandsOf(form).trigger(Command::CardHistory);
    return ran;
}

} // namespace

// The dialog of a card's earlier versions, in the whole program.
class TestHistoryDialog : public QObject {
    Q_OBJECT
private slots:
    void menuItemStandsInUpravyAndFollowsTheWindowState() {
        TestProgramDir dir;
        ProgramWithHistory history(dir);
        TForm1& form = history.program.form();
        const QList<QAction*> items = control<QMenu>(form, "Edit1")->actions();
        QCOMPARE(items.indexOf(control<QAction>(form, "Historiekarty1")),
                 items.indexOf(control<QAction>(form, "Undo1")) + 1);
        QCOMPARE(control<QAction>(form, "Historiekarty1")->text(),
                 QStringLiteral("&Historie karty…"));
        // Its mnemonic letter is no other item's.
        for (QAction* item : items) {
            const qsizetype amp = item->text().indexOf(u'&');
            if (item != control<QAction>(form, "Historiekarty1") && amp >= 0)
                QVERIFY(item->text().at(amp + 1).toLower() != u'h');
        }
        QVERIFY(control<QAction>(form, "Historiekarty1")->isEnabled());
        history.program.card().closeCard();
        QVERIFY(!control<QAction>(form, "Historiekarty1")->isEnabled());
    }

    void listsTheVersionsNewestFirstWithTimeAndRows() {
        TestProgramDir dir;
        ProgramWithHistory history(dir);
        THistoryForm& dialog = history.dialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Historie karty"));
        QCOMPARE(dialog.palette().color(QPalette::Window),
                 storedcolor::colorFromStored(history.program.state().BackColor));
        QVERIFY(WithHistoryDialog(history.program.form(), dialog, [](THistoryForm& shown) {
            QCOMPARE(shown.listedVersions().size(), 2);
        }));

        const QList<CardVersion> versions = cardhistory::versions(history.folder());
        QStringList times;
        for (const CardVersion& version : versions)
            times << version.stamp.savedUtc.toLocalTime().toString(
                QStringLiteral("d. M. yyyy  H:mm:ss"));
        QCOMPARE(history.listColumn(0), times);
        QCOMPARE(history.listColumn(1), QStringList({QStringLiteral("2"), QStringLiteral("1")}));
        QVERIFY(dialog.Heading->text().endsWith(QStringLiteral("Jan")));

        // The newest is selected and previewed, read-only.
        QCOMPARE(dialog.selectedVersion(), 0);
        QCOMPARE(dialog.PreviewTable->rowCount(), 2);
        QCOMPARE(dialog.PreviewTable->item(1, 0)->text(), QStringLiteral("Ulice"));
        QCOMPARE(dialog.PreviewTable->item(1, 1)->text(), QStringLiteral("Dlouhá"));
        QVERIFY(!(dialog.PreviewTable->item(1, 1)->flags() & Qt::ItemIsEditable));
        QCOMPARE(dialog.PreviewNotes->toPlainText(), QStringLiteral("prostřední"));
        QVERIFY(dialog.PreviewNotes->isReadOnly());
        QVERIFY(!dialog.PreviewPicture->pixmap().isNull());
        QVERIFY(dialog.PreviewPicture->pixmap().width() <= 160);

        dialog.selectVersion(1);
        QCOMPARE(dialog.PreviewNotes->toPlainText(), QStringLiteral("nejstarší"));
        QVERIFY(dialog.PreviewPicture->pixmap().isNull());
        QVERIFY(dialog.RestoreButton->isEnabled());
    }

    // A truncated version and a file that is no archive are listed as
    // unreadable; a version whose picture data are damaged turns unreadable
    // once selected. None of them can be restored, and the others still can.
    void damagedVersionsAreUnreadableAndStopNothing() {
        TestProgramDir dir;
        ProgramWithHistory history(dir);
        const QList<CardVersion> versions = cardhistory::versions(history.folder());
        QByteArray truncated = testcards::fileBytes(versions[1].path);
        truncated.chop(40);
        dir.writeFile(QStringLiteral("HISTORY/Jan.krt/20200101-000000-000.krt"), truncated);
        dir.writeFile(QStringLiteral("HISTORY/Jan.krt/20190101-000000-000.krt"), "no archive");
        DamagePictureData(versions[0].path);

        THistoryForm& dialog = history.dialog();
        dialog.loadVersions();
        QCOMPARE(history.listColumn(1),
                 QStringList({QStringLiteral("nečitelná"), QStringLiteral("1"),
                              QStringLiteral("nečitelná"), QStringLiteral("nečitelná")}));
        QCOMPARE(dialog.selectedVersion(), 0);
        QVERIFY(!dialog.canRestore() && !dialog.RestoreButton->isEnabled());
        QVERIFY(dialog.PreviewProblem->isVisibleTo(&dialog));
        QVERIFY(!dialog.PreviewTable->isVisibleTo(&dialog));
        dialog.restoreSelected();
        QVERIFY(!history.program.card().Modified());

        dialog.selectVersion(1);
        QVERIFY(dialog.canRestore() && dialog.RestoreButton->isEnabled());
        QVERIFY(!dialog.PreviewProblem->isVisibleTo(&dialog));
        dialog.selectVersion(2);
        QVERIFY(!dialog.canRestore());
        QVERIFY(history.program.prompts.allShown().isEmpty());
    }

    // Enter restores the selected version into the editor as unsaved changes
    // and closes the dialog; the save then stores it.
    void enterRestoresTheSelectedVersion() {
        TestProgramDir dir;
        ProgramWithHistory history(dir);
        TForm1& form = history.program.form();
        QVERIFY(WithHistoryDialog(form, history.dialog(), [](THistoryForm& shown) {
            shown.selectVersion(1);
            QTest::keyClick(shown.VersionList, Qt::Key_Return);
            QVERIFY(!shown.isVisible());
        }));
        OpenCard& card = history.program.card();
        QVERIFY(card.Modified());
        QCOMPARE(control<KeyValueGrid>(form, "ListB")->strings(),
                 QStringList{QStringLiteral("Obec=Brno")});
        QCOMPARE(control<NotesEdit>(form, "Memo1")->toPlainText(), QStringLiteral("nejstarší"));
        QVERIFY(!QFileInfo::exists(card.picturePath()));
        QVERIFY(history.program.prompts.allShown().isEmpty());

        card.save();
        QCOMPARE(testcards::readCard(dir, QStringLiteral("Jan.krt")).keys(),
                 QStringList({QStringLiteral("Jan.tbl"), QStringLiteral("Jan.txt")}));
        QCOMPARE(cardhistory::versions(history.folder()).size(), 3);
    }

    void escAndZavritCloseWithoutChange() {
        TestProgramDir dir;
        ProgramWithHistory history(dir);
        TForm1& form = history.program.form();
        QVERIFY(WithHistoryDialog(form, history.dialog(), [](THistoryForm& shown) {
            QTest::keyClick(shown.VersionList, Qt::Key_Escape);
            QVERIFY(!shown.isVisible());
        }));
        QVERIFY(WithHistoryDialog(form, history.dialog(), [](THistoryForm& shown) {
            shown.CloseButton->click();
            QVERIFY(!shown.isVisible());
        }));
        QVERIFY(!history.program.card().Modified());
        QCOMPARE(control<NotesEdit>(form, "Memo1")->toPlainText(), QStringLiteral("nejnovější"));
    }

    void cardWithoutVersionsShowsANote() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Nová"), {});
        AppFixture program(dir);
        program.open(0);
        THistoryForm& dialog = *windowparts::dialog<THistoryForm>(program.application);
        dialog.loadVersions();
        QCOMPARE(dialog.VersionList->topLevelItemCount(), 0);
        QVERIFY(dialog.EmptyNote->isVisibleTo(&dialog));
        QVERIFY(!dialog.RestoreButton->isEnabled());
    }
};

QTEST_MAIN(TestHistoryDialog)
#include "tst_history_dialog.moc"
