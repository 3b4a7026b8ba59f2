#include "mainwindow/EditorControls.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QAccessible>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::writeCard;

// What a screen reader's user meets beyond the names (read through AT-SPI by
// tests/accessible_names.py): Tab leaves the notes, and the picture says
// whether the card has one.
class TestAccessibleMainWindow : public QObject {
    Q_OBJECT
private slots:
    void tabLeavesTheNotes() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Karta"), {QStringLiteral("k=v")}, QStringLiteral("text"));
        AppFixture program(dir);
        program.open(0);
        QVERIFY(program.show());
        NotesEdit* notes = program.control<NotesEdit>("Memo1");
        notes->setFocus();
        QTRY_VERIFY(notes->hasFocus());
        QTest::keyClick(notes, Qt::Key_Tab);
        QTRY_VERIFY(!notes->hasFocus());
        QCOMPARE(notes->text(), QStringLiteral("text"));
        QVERIFY(!program.card().Modified());
    }

    void pictureDescriptionFollowsTheCard() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("A s obrázkem"), {}, {}, bitmapBytes());
        writeCard(dir, QStringLiteral("B bez obrázku"), {});
        AppFixture program(dir);
        PictureBox* picture = program.control<PictureBox>("Image1");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Graphic);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Obrázek karty"));
        QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Karta nemá obrázek."));
        program.open(0);
        QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Karta má obrázek."));
        program.open(1);
        QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Karta nemá obrázek."));
    }
};

QTEST_MAIN(TestAccessibleMainWindow)
#include "tst_mainwindow_accessible.moc"
