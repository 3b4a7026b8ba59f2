#include "core/PictureChoice.h"
#include "mainwindow/Application.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/Resources.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"
#include "tests/support/WindowEvents.h"

#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::fileBytes;
using testcards::filledImage;
using testcards::readCard;
using testcards::writeCard;

namespace {

// A test program directory holding one card "Jan".
struct CardJan {
    CardJan(const QStringList& table, const QString& notes, const QByteArray& bitmap) {
        writeCard(dir, QStringLiteral("Jan"), table, notes, bitmap);
    }
    TestProgramDir dir;
};

// The whole program started on the card "Jan", opened unless told otherwise.
struct OpenedJan : CardJan, AppFixture {
    explicit OpenedJan(const QStringList& table = {QStringLiteral("Jméno=Jan")},
                       const QString& notes = {}, const QByteArray& bitmap = {}, bool openIt = true)
        : CardJan(table, notes, bitmap), AppFixture(CardJan::dir) {
        if (openIt)
            open(0);
    }

    QString member() const { return dir.workDir() + QStringLiteral("Jan1.bmp"); }
    QString scratchFile(const QString& name) const { return scratch.path() + u'/' + name; }
    QString writeScratch(const QString& name, const QByteArray& bytes) const {
        QFile file(scratchFile(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QString pictureFile(const QString& name, QSize size, QColor color, const char* format) const {
        filledImage(size, color).save(scratchFile(name), format);
        return scratchFile(name);
    }
    void choosePicture(const QString& path) {
        prompts.fileAnswers.enqueue(path);
        commandsOf(form()).trigger(Command::ChoosePicture);
    }
    void drop(const QStringList& paths) { dropFiles(form(), paths); }

    QTemporaryDir scratch;
};

QStringList lines(int count) {
    QStringList made;
    for (int i = 1; i <= count; ++i)
        made << QStringLiteral("k%1=v%1").arg(i);
    return made;
}

bool near(QRgb a, QColor b) {
    return qAbs(qRed(a) - b.red()) < 10 && qAbs(qGreen(a) - b.green()) < 10 &&
           qAbs(qBlue(a) - b.blue()) < 10;
}

// Bits per pixel of a Windows bitmap file.
int bitCount(const QByteArray& bmp) {
    return bmp.size() < 30 ? 0 : quint8(bmp[28]) | quint8(bmp[29]) << 8;
}

} // namespace

// The card editing commands, run through the real main window and the real 7z.so.
class TestEditingCommands : public QObject {
    Q_OBJECT
private slots:
    void addRow_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("inserted"); // line index of the new "=", -1 for none
        QTest::newRow("row 2 of 5") << 5 << 2 << 2;
        QTest::newRow("last row") << 3 << 3 << 3;
        QTest::newRow("empty table") << 0 << 1 << -1;
    }
    void addRow() {
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(int, inserted);
        OpenedJan card(lines(count));
        control<KeyValueGrid>(card.form(), "ListB")->setRow(row);
        control<QToolButton>(card.form(), "SpeedButton1")->click();
        QStringList expected = lines(count);
        if (inserted >= 0)
            expected.insert(inserted, QStringLiteral("="));
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->strings(), expected);
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->row(), inserted >= 0 ? row + 1 : row);
        QCOMPARE(card.card().Modified(), inserted >= 0);
    }

    // Added from the value column, the new row takes the typing in its key cell.
    void addRowPutsTheCursorInTheNewKeyCell() {
        OpenedJan card(lines(3));
        card.form().show();
        QVERIFY(QTest::qWaitForWindowActive(&card.form()));
        KeyValueGrid& table = *control<KeyValueGrid>(card.form(), "ListB");
        table.setFocus();
        table.setCell(2, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(table.row(), 3);
        QCOMPARE(table.currentIndex().column(), 0);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("barva"));
        QCOMPARE(table.strings(), QStringList({"k1=v1", "k2=v2", "barva=", "k3=v3"}));
        QVERIFY(card.prompts.allShown().isEmpty());
    }

    // Enter adds a row below, also while a cell is being edited; the typed
    // text stays in its own row and typing goes on in the new one.
    void enterInTableAddsRow() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("editor")));
        OpenedJan card(lines(3));
        card.form().show();
        QVERIFY(QTest::qWaitForWindowActive(&card.form()));
        control<KeyValueGrid>(card.form(), "ListB")->setFocus();
        control<KeyValueGrid>(card.form(), "ListB")->setRow(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(control<KeyValueGrid>(card.form(), "ListB")->lineCount(), 4);
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->row(), 3);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(control<KeyValueGrid>(card.form(), "ListB")->lineCount(), 5);
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->row(), 4);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("y"));
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->strings(),
                 QStringList({"k1=v1", "k2=v2", "x=", "y=", "k3=v3"}));
        QVERIFY(card.prompts.allShown().isEmpty());
    }

    void deleteRow_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("deleted"); // line index, -1 for none
        QTest::newRow("row 1 of 5") << 5 << 1 << -1;
        QTest::newRow("single line") << 1 << 1 << -1;
        QTest::newRow("row 3 of 5") << 5 << 3 << 2;
        QTest::newRow("last of 2") << 2 << 2 << 1;
    }
    void deleteRow() {
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(int, deleted);
        OpenedJan card(lines(count));
        control<KeyValueGrid>(card.form(), "ListB")->setRow(row);
        control<QToolButton>(card.form(), "SpeedButton2")->click();
        QStringList expected = lines(count);
        if (deleted >= 0)
            expected.removeAt(deleted);
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->strings(), expected);
        QCOMPARE(card.card().Modified(), deleted >= 0);
        QVERIFY(card.prompts.questions.isEmpty());
    }

    // The picture dialog is reached from the menu, the picture's pop-up and a
    // click on the picture; the extension decides how the file is read.
    void choosePicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("taken");
        QTest::newRow("JPEG upper case") << "foto.JPEG" << QByteArray("JPG") << "menu" << true;
        QTest::newRow("jpg") << "foto.jpg" << QByteArray("JPG") << "pop-up" << true;
        QTest::newRow("BMP") << "foto.BMP" << QByteArray("BMP") << "click" << true;
        QTest::newRow("png") << "foto.png" << QByteArray("PNG") << "menu" << true;
        QTest::newRow("WebP") << "foto.WEBP" << QByteArray("WEBP") << "pop-up" << true;
        QTest::newRow("no reader's extension")
            << "foto.xyz" << QByteArray("PNG") << "menu" << false;
    }
    void choosePicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(QString, way);
        QFETCH(bool, taken);
        OpenedJan card;
        const QString path =
            card.pictureFile(name, QSize(1920, 1080), QColor(0, 0, 200), format.constData());
        card.prompts.fileAnswers.enqueue(path);
        if (way == u"menu")
            commandsOf(card.form()).trigger(Command::ChoosePicture);
        else if (way == u"pop-up")
            control<QAction>(card.form(), "Vybratobrzek2")->trigger();
        else
            QTest::mouseClick(control<PictureBox>(card.form(), "Image1"), Qt::LeftButton);

        QVERIFY(card.prompts.fileAnswers.isEmpty());
        QCOMPARE(card.prompts.fileDialogTitle, picturechoice::pictureDialogTitle());
        QCOMPARE(card.prompts.fileDialogFilters, picturechoice::pictureDialogFilters());
        QVERIFY(card.prompts.allShown().isEmpty());
        QVERIFY(card.card().Modified());
        QCOMPARE(QFileInfo::exists(card.member()), taken);
        if (!taken) {
            QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture(),
                     resources::nselectBitmap());
            return;
        }
        const QImage shown = control<PictureBox>(card.form(), "Image1")->picture();
        QCOMPARE(shown, QImage(card.member()));
        QCOMPARE(shown.size(), QSize(320, 240));
        QCOMPARE(shown.pixel(160, 29), qRgb(255, 255, 255)); // letterbox band
        QVERIFY(near(shown.pixel(160, 120), QColor(0, 0, 200)));

        commandsOf(card.form()).trigger(Command::SaveCard);
        const QByteArray saved =
            readCard(card.dir, QStringLiteral("Jan.krt")).value(QStringLiteral("Jan1.bmp"));
        QCOMPARE(saved, fileBytes(card.member()));
        QCOMPARE(bitCount(saved), 24);
    }

    void missingOrCancelledPictureChangesNothing() {
        OpenedJan card;
        card.choosePicture(card.scratchFile(QStringLiteral("pryč.jpg")));
        QCOMPARE(card.prompts.messages, QStringList({QStringLiteral("Soubor nenalezen!")}));
        commandsOf(card.form()).trigger(Command::ChoosePicture); // Cancel
        QCOMPARE(card.prompts.messages.size(), 1);
        QVERIFY(!card.card().Modified());
        QVERIFY(!QFileInfo::exists(card.member()));
    }

    // The file named with the decoder's words in the error box; the card counts as changed and
    // keeps the picture it had, in the box and in the working directory.
    void corruptPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("JPEG") << "foto.jpg" << QByteArray("not a picture at all")
                              << "Not a JPEG file: starts with 0x6e 0x6f";
        QTest::newRow("JPEG header only") << "foto.JPG" << QByteArray("\xff\xd8\xff\xe0", 4)
                                          << "JPEG datastream contains no image";
        QTest::newRow("BMP") << "foto.bmp" << QByteArray("BM\x10\0\0\0garbage", 13)
                             << "Unable to read image data";
    }
    void corruptPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        OpenedJan card({}, {}, bitmapBytes());
        const QStringList workFiles = QDir(card.dir.workDir()).entryList(QDir::Files);
        const QString path = card.writeScratch(name, content);
        card.choosePicture(path);
        QCOMPARE(
            card.prompts.errors,
            QStringList({QStringLiteral("Obrázek \"%1\" nelze přečíst: %2").arg(path, error)}));
        QVERIFY(card.card().Modified());
        QCOMPARE(fileBytes(card.member()), bitmapBytes());
        QCOMPARE(QDir(card.dir.workDir()).entryList(QDir::Files), workFiles);
        QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture().size(), QSize(64, 48));
    }

    void pasteTextOnlyDoesNothing() {
        OpenedJan card;
        QGuiApplication::clipboard()->setText(QStringLiteral("jen text"));
        commandsOf(card.form()).trigger(Command::PastePicture);
        QVERIFY(!card.card().Modified());
        QVERIFY(!QFileInfo::exists(card.member()));
        QVERIFY(card.prompts.allShown().isEmpty());
    }

    void pasteImageBecomesPicture() {
        OpenedJan card;
        QImage copied(800, 400, QImage::Format_ARGB32);
        copied.fill(QColor(0, 160, 0));
        QGuiApplication::clipboard()->setImage(copied);
        control<QAction>(card.form(), "Nastzeschrnky1")->trigger(); // the picture's pop-up entry
        QVERIFY(card.card().Modified());
        const QImage stored(card.member());
        QCOMPARE(stored.size(), QSize(320, 240));
        QCOMPARE(stored.pixel(160, 39), qRgb(255, 255, 255));
        QVERIFY(near(stored.pixel(160, 40), QColor(0, 160, 0)));
        QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture(), stored);
    }

    void removedPictureLeavesArchiveWithoutIt() {
        OpenedJan card({QStringLiteral("a=b")}, {}, bitmapBytes());
        control<QAction>(card.form(), "Odstranitobrzek1")->trigger(); // the picture's pop-up entry
        QVERIFY(card.card().Modified());
        QVERIFY(!QFileInfo::exists(card.member()));
        QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture(), resources::nselectBitmap());
        commandsOf(card.form()).trigger(Command::SaveCard);
        QVERIFY(card.prompts.allShown().isEmpty());
        QCOMPARE(readCard(card.dir, QStringLiteral("Jan.krt")).keys(),
                 QStringList({QStringLiteral("Jan.tbl"), QStringLiteral("Jan.txt")}));

        QVERIFY(!card.card().Modified());
        commandsOf(card.form()).trigger(Command::RemovePicture); // nothing left to remove
        QVERIFY(!card.card().Modified());
    }

    void pictureThatCannotBeRemovedStays() {
        OpenedJan card({}, {}, bitmapBytes());
        // The immutable attribute holds even for root.
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), card.member()}))
            QSKIP("the file system cannot make a file immutable");
        commandsOf(card.form()).trigger(Command::RemovePicture);
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), card.member()});
        QCOMPARE(card.prompts.messages,
                 QStringList({QStringLiteral("Nastala chyba při odstraňování obrázku!")}));
        QVERIFY(!card.card().Modified());
        QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture().size(), QSize(64, 48));
    }

    void dropWithNoCardOpenIsIgnored() {
        OpenedJan card({}, {}, {}, false);
        card.drop({card.writeScratch(QStringLiteral("a.txt"), "text"),
                   card.pictureFile(QStringLiteral("b.jpg"), QSize(8, 8), Qt::red, "JPG")});
        QVERIFY(control<NotesEdit>(card.form(), "Memo1")->text().isEmpty());
        QVERIFY(QDir(card.dir.workDir()).isEmpty());
        QVERIFY(!card.card().Modified());
        QVERIFY(card.prompts.questions.isEmpty() && card.prompts.allShown().isEmpty());
    }

    void dropOfOtherFilesIsIgnored() {
        OpenedJan card({}, QStringLiteral("poznámka"));
        card.drop({card.writeScratch(QStringLiteral("dopis.doc"), "text")});
        QCOMPARE(control<NotesEdit>(card.form(), "Memo1")->text(), QStringLiteral("poznámka"));
        QVERIFY(!card.card().Modified());
        QVERIFY(card.prompts.allShown().isEmpty() && card.prompts.questions.isEmpty());
    }

    void lastDroppedPictureWins() {
        OpenedJan card;
        card.drop({card.pictureFile(QStringLiteral("red.bmp"), QSize(64, 48), Qt::red, "BMP"),
                   card.pictureFile(QStringLiteral("blue.jpg"), QSize(64, 48), Qt::blue, "JPG")});
        QVERIFY(card.card().Modified());
        QVERIFY(near(QImage(card.member()).pixel(160, 120), Qt::blue));
        QVERIFY(
            near(control<PictureBox>(card.form(), "Image1")->picture().pixel(160, 120), Qt::blue));
    }

    void droppedText_data() {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("empty notes") << QString() << false << true;
        QTest::newRow("notes, Yes") << QStringLiteral("stará") << true << true;
        QTest::newRow("notes, No") << QStringLiteral("stará") << false << false;
    }
    void droppedText() {
        QFETCH(QString, notes);
        QFETCH(bool, answer);
        QFETCH(bool, replaced);
        OpenedJan card({}, notes);
        card.prompts.answers.enqueue(answer);
        card.drop({card.writeScratch(QStringLiteral("poznamky.txt"), "nová\r\npoznámka")});
        const QStringList asked = {
            QStringLiteral("Opravdu chcete nahradit text souborem \"poznamky.txt\" ?")};
        QCOMPARE(card.prompts.questions, notes.isEmpty() ? QStringList() : asked);
        QCOMPARE(control<NotesEdit>(card.form(), "Memo1")->text(),
                 replaced ? QStringLiteral("nová\r\npoznámka") : notes);
        QCOMPARE(card.card().Modified(), replaced);
    }

    // A dropped text may hold characters a card cannot store: the save names
    // them and writes nothing, and the card stays changed.
    void unstorableDroppedTextIsRefusedOnSave() {
        OpenedJan card;
        const QByteArray before = fileBytes(card.dir.cardDir() + QStringLiteral("Jan.krt"));
        card.drop(
            {card.writeScratch(QStringLiteral("emoji.txt"), QStringLiteral("Ahoj 😀").toUtf8())});
        QCOMPARE(control<NotesEdit>(card.form(), "Memo1")->text(), QStringLiteral("Ahoj 😀"));
        commandsOf(card.form()).trigger(Command::SaveCard);
        QCOMPARE(card.prompts.messages.size(), 1);
        QVERIFY(card.prompts.messages.first().contains(QStringLiteral("\"😀\" (U+1F600)")));
        QCOMPARE(fileBytes(card.dir.cardDir() + QStringLiteral("Jan.krt")), before);
        QVERIFY(card.card().Modified());
    }

    void revertRestoresTableNotesAndPicture() {
        const QStringList table = {QStringLiteral("Jméno=Jan"), QStringLiteral("Věk=40")};
        OpenedJan card(table, QStringLiteral("poznámka"), bitmapBytes());
        commandsOf(card.form()).trigger(Command::AddLine);
        control<NotesEdit>(card.form(), "Memo1")->appendPlainText(QStringLiteral("další"));
        card.choosePicture(
            card.pictureFile(QStringLiteral("f.jpg"), QSize(40, 30), Qt::blue, "JPG"));
        QVERIFY(card.card().Modified());
        QVERIFY(fileBytes(card.member()) != bitmapBytes());

        control<QToolButton>(card.form(), "SpeedButton12")->click();
        QVERIFY(card.prompts.questions.isEmpty());
        QVERIFY(card.prompts.allShown().isEmpty());
        QVERIFY(!card.card().Modified());
        QCOMPARE(control<KeyValueGrid>(card.form(), "ListB")->strings(), table);
        QCOMPARE(control<NotesEdit>(card.form(), "Memo1")->text(), QStringLiteral("poznámka"));
        QCOMPARE(fileBytes(card.member()), bitmapBytes());
        QCOMPARE(control<PictureBox>(card.form(), "Image1")->picture().size(), QSize(64, 48));
        QCOMPARE(control<CardList>(card.form(), "List")->itemIndex(), 0);
    }

    void revertOfCardGoneFromListOnlyClearsTheFlag() {
        OpenedJan card;
        control<NotesEdit>(card.form(), "Memo1")->setPlainText(QStringLiteral("změna"));
        QFile::remove(card.dir.cardDir() + QStringLiteral("Jan.krt"));
        control<CardList>(card.form(), "List")->reread();
        commandsOf(card.form()).trigger(Command::RevertCard);
        QVERIFY(!card.card().Modified());
        QCOMPARE(control<NotesEdit>(card.form(), "Memo1")->text(), QStringLiteral("změna"));
        QCOMPARE(control<CardList>(card.form(), "List")->itemIndex(), -1);
        QVERIFY(card.prompts.allShown().isEmpty());
    }
};

QTEST_MAIN(TestEditingCommands)
#include "tst_editing_commands.moc"
