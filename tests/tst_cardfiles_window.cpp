#include "core/CardNameRules.h"
#include "mainwindow/Application.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/Resources.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "tests/support/AppFixture.h"
#include "tests/support/DesktopHome.h"
#include "tests/support/TestCards.h"
#include "tests/support/UrlCatcher.h"
#include "widgets/LinkLabel.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace testcards;

namespace {

// Runs open, which should show dialog modally, and inside while the dialog is
// open; a dialog inside leaves open is closed. Whether the dialog showed.
bool WhileShown(QDialog* dialog, const std::function<void()>& open,
                const std::function<void()>& inside) {
    bool shown = false;
    QTimer::singleShot(0, dialog, [&] {
        shown = dialog->isVisible();
        if (shown)
            inside();
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    return shown;
}

QStringList FileNames(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// Every card file of a card directory with its bytes.
QMap<QString, QByteArray> CardFiles(const TestProgramDir& dir) {
    QMap<QString, QByteArray> files;
    for (const QString& name : FileNames(dir.cardDir()))
        files.insert(name, fileBytes(dir.cardDir() + name));
    return files;
}

const QUrl HomePage("https://kartoteka.pelvarin.cz");
const QUrl HelpPage("https://kartoteka.pelvarin.cz/tavrosk/help/index.html");

} // namespace

// Card files made, deleted and renamed through the main window, and the
// auxiliary commands reached from it.
class TestCardFileWindow : public QObject {
    Q_OBJECT

    const QString startDirectory_ = QDir::currentPath();
    std::unique_ptr<UrlCatcher> urls_;

    void WriteAlfaGama(const TestProgramDir& dir) {
        writeCard(dir, "Alfa", {"barva=modrá"}, "první", bitmapBytes());
        writeCard(dir, "Gama", {"k=v"});
    }

private slots:
    void init() { urls_ = std::make_unique<UrlCatcher>(); }
    void cleanup() {
        urls_.reset();
        QDir::setCurrent(startDirectory_);
    }

    void newCardShowsUnselectedAndOpensEmpty() {
        TestProgramDir dir;
        writeCard(dir, "Bylinky", {"a=1"});
        writeCard(dir, "Recepty", {"b=2"});
        AppFixture program(dir);
        QVERIFY(program.started);
        TForm1& form = program.form();
        program.open(1);

        auto* add = qobject_cast<TAddForm*>(dialog<TAddForm>(program.application));
        QVERIFY(add);
        QVERIFY(WhileShown(
            add, [&] { commandsOf(form).trigger(Command::NewCard); },
            [&] {
                add->Edit1->insert("Čaj");
                QTest::mouseClick(add->SpeedButton2, Qt::LeftButton);
            }));
        QVERIFY(!add->isVisible());
        QCOMPARE(control<CardList>(form, "List")->items(),
                 (QStringList{"Bylinky.krt", "Čaj.krt", "Recepty.krt"}));
        QCOMPARE(control<CardList>(form, "List")->itemIndex(), -1);
        QVERIFY(program.card().CardLoaded());
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Recepty"));
        QCOMPARE(control<KeyValueGrid>(form, "ListB")->strings(), QStringList{"b=2"});

        program.open(1);
        QCOMPARE(form.windowTitle(), QStringLiteral("Pelvarin Kartotéka - (2) Čaj"));
        QVERIFY(control<KeyValueGrid>(form, "ListB")->strings().isEmpty());
        QVERIFY(control<NotesEdit>(form, "Memo1")->text().isEmpty());
        QCOMPARE(control<PictureBox>(form, "Image1")->picture(), resources::nselectBitmap());
        commandsOf(form).trigger(Command::SaveCard);
        QCOMPARE(readCard(dir, "Čaj.krt"),
                 (QMap<QString, QByteArray>{{"Čaj.tbl", {}}, {"Čaj.txt", {}}}));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void deletingOpenCardKeepsItsChangesFlagged() {
        DesktopHome home;
        TestProgramDir dir;
        for (const char* name : {"A", "B", "C"})
            writeCard(dir, name, {"k=v"});
        AppFixture program(dir);
        TForm1& form = program.form();
        program.state().AutoSave = false;
        program.open(1);
        control<NotesEdit>(form, "Memo1")->insertPlainText("neuloženo");
        QVERIFY(program.card().Modified());

        // The Delete key in the list asks too.
        auto* del = qobject_cast<TDelForm*>(dialog<TDelForm>(program.application));
        QVERIFY(del);
        control<CardList>(form, "List")->setFocus();
        QVERIFY(WhileShown(
            del, [&] { QTest::keyClick(control<CardList>(form, "List"), Qt::Key_Delete); },
            [&] {
                QCOMPARE(del->fileName(), QStringLiteral("B.krt"));
                QTest::mouseClick(del->SpeedButton3, Qt::LeftButton);
            }));
        QCOMPARE(FileNames(dir.cardDir()), (QStringList{"A.krt", "C.krt"}));
        QCOMPARE(home.trashFiles(), QStringList{"B.krt"});
        QCOMPARE(control<CardList>(form, "List")->items(), (QStringList{"A.krt", "C.krt"}));
        QCOMPARE(control<CardList>(form, "List")->itemIndex(), -1);
        QVERIFY(control<KeyValueGrid>(form, "ListB")->isHidden());
        QVERIFY(control<NotesEdit>(form, "Memo1")->isHidden());
        QVERIFY(!control<QAction>(form, "Delete1")->isEnabled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Pelvarin Kartotéka"));
        QVERIFY(program.card().Modified());

        program.prompts.answers.enqueue(true);
        commandsOf(form).trigger(Command::Exit);
        QCOMPARE(program.prompts.questions, QStringList{"Uložit změny v \"B\" ?"});
        QCOMPARE(program.endCodes, QList<int>{0});
        QCOMPARE(FileNames(dir.cardDir()), (QStringList{"A.krt", "C.krt"}));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void renameKeepsPicture() {
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        TForm1& form = program.form();
        program.open(0);
        program.prompts.inputAnswers.enqueue("Beta");
        commandsOf(form).trigger(Command::RenameCard);

        QCOMPARE(program.prompts.inputs, QStringList{"Přejmenovat|Prosím napište nový název|Alfa"});
        QCOMPARE(FileNames(dir.cardDir()), (QStringList{"Beta.krt", "Gama.krt"}));
        const auto members = readCard(dir, "Beta.krt");
        QCOMPARE(members.keys(), (QStringList{"Beta.tbl", "Beta.txt", "Beta1.bmp"}));
        QCOMPARE(members["Beta1.bmp"], bitmapBytes());
        QCOMPARE(FileNames(dir.workDir()), (QStringList{"Beta.tbl", "Beta.txt", "Beta1.bmp"}));
        QCOMPARE(form.windowTitle(), QStringLiteral("Pelvarin Kartotéka - (1) Beta"));
        QCOMPARE(control<CardList>(form, "List")->itemIndex(), 0);
        QCOMPARE(program.card().CurrentCardPath(), dir.cardDir() + "Beta.krt");
        QCOMPARE(control<PictureBox>(form, "Image1")->picture().size(), QSize(64, 48));
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    // Only the open card changes, with its unsaved edits; the selected one stays.
    void renameWhileAnotherEntryIsSelected() {
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        TForm1& form = program.form();
        program.open(0);
        control<NotesEdit>(form, "Memo1")->setText("upraveno");
        control<CardList>(form, "List")->setItemIndex(1);
        const QByteArray gama = fileBytes(dir.cardDir() + "Gama.krt");
        program.prompts.inputAnswers.enqueue("Hotovo");
        commandsOf(form).trigger(Command::RenameCard);

        QCOMPARE(FileNames(dir.cardDir()), (QStringList{"Gama.krt", "Hotovo.krt"}));
        QCOMPARE(fileBytes(dir.cardDir() + "Gama.krt"), gama);
        QCOMPARE(readCard(dir, "Hotovo.krt")["Hotovo.txt"], QByteArray("upraveno"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Pelvarin Kartotéka - (2) Hotovo"));
        QCOMPARE(control<CardList>(form, "List")->itemIndex(), 1);
        QVERIFY(!program.card().Modified());
    }

    void refusedNewNameChangesNothing_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("the first entry, other case")
            << "ALFA" << QStringLiteral("Soubor \"ALFA\" již existuje!");
        QTest::newRow("cancel keeps the open card's own name")
            << "Gama" << QStringLiteral("Soubor \"Gama\" již existuje!");
        QTest::newRow("colon") << "a:b" << cardnames::forbiddenCharacterMessage();
        QTest::newRow("double quote") << "\"x\"" << cardnames::forbiddenCharacterMessage();
        QTest::newRow("empty") << "" << QStringLiteral("Zadejte název souboru!");
    }
    void refusedNewNameChangesNothing() {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        TForm1& form = program.form();
        program.open(1);
        control<NotesEdit>(form, "Memo1")->setText("upraveno");
        const auto before = CardFiles(dir);
        const QString title = form.windowTitle();
        program.prompts.inputAnswers.enqueue(answer);
        commandsOf(form).trigger(Command::RenameCard);

        QCOMPARE(program.prompts.messages, QStringList{message});
        QCOMPARE(CardFiles(dir), before);
        QCOMPARE(FileNames(dir.workDir()), (QStringList{"Gama.tbl", "Gama.txt"}));
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Gama"));
        QCOMPARE(form.windowTitle(), title);
        QVERIFY(program.card().Modified());
    }

    // A card file that came after the list was read is not overwritten.
    void renameOntoUnlistedCardFileRefused() {
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        program.open(0);
        dir.writeFile("FILES/Delta.krt", "cizí");
        program.prompts.inputAnswers.enqueue("delta");
        commandsOf(program.form()).trigger(Command::RenameCard);
        QCOMPARE(program.prompts.messages, QStringList{"Soubor \"delta\" již existuje!"});
        QCOMPARE(FileNames(dir.cardDir()), (QStringList{"Alfa.krt", "Delta.krt", "Gama.krt"}));
        QCOMPARE(dir.readFile("FILES/Delta.krt"), QByteArray("cizí"));
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Alfa"));
    }

    // The card file keeps its old name and the card stays open under it, so
    // that its changes can still be saved.
    void nameRefusedByFileSystemLosesNothing_data() {
        QTest::addColumn<QString>("newName");
        QTest::newRow("name too long") << QString(300, u'x');
        // The members move; the card file cannot.
        QTest::newRow("folder in the way") << QStringLiteral("Beta");
    }
    void nameRefusedByFileSystemLosesNothing() {
        QFETCH(QString, newName);
        TestProgramDir dir;
        WriteAlfaGama(dir);
        QVERIFY(QDir().mkpath(dir.cardDir() + "Beta.krt"));
        AppFixture program(dir);
        TForm1& form = program.form();
        program.open(0);
        control<NotesEdit>(form, "Memo1")->setText("změna");
        const auto before = CardFiles(dir);
        program.prompts.inputAnswers.enqueue(newName);
        commandsOf(form).trigger(Command::RenameCard);

        QCOMPARE(program.prompts.messages,
                 QStringList{"(S) Soubor nenalezen - " + dir.cardDir() + newName + ".krt"});
        QCOMPARE(CardFiles(dir), before);
        QCOMPARE(FileNames(dir.workDir()), (QStringList{"Alfa.tbl", "Alfa.txt", "Alfa1.bmp"}));
        QVERIFY(program.card().CardLoaded());
        QVERIFY(program.card().Modified());
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Alfa"));

        commandsOf(form).trigger(Command::SaveCard);
        QCOMPARE(program.prompts.allShown().size(), 1);
        QCOMPARE(readCard(dir, "Alfa.krt")["Alfa.txt"], QByteArray("zm\xec"
                                                                   "na"));
    }

    // The card file has moved, but the save under the new name fails: the card
    // file and the members go back to the old name.
    void failedSaveMovesCardBack() {
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        TForm1& form = program.form();
        program.open(0);
        const auto before = CardFiles(dir);
        QVERIFY(QDir().mkpath(dir.workDir() + "Beta.tbl"));
        program.prompts.inputAnswers.enqueue("Beta");
        commandsOf(form).trigger(Command::RenameCard);

        QCOMPARE(program.prompts.errors.size(), 1);
        QVERIFY(program.prompts.errors.first().contains("Beta.tbl"));
        QCOMPARE(CardFiles(dir), before);
        QCOMPARE(FileNames(dir.workDir()), (QStringList{"Alfa.tbl", "Alfa.txt", "Alfa1.bmp"}));
        QCOMPARE(program.card().CurrentCardPath(), dir.cardDir() + "Alfa.krt");
        QCOMPARE(program.card().CurrentCardName(), QStringLiteral("Alfa"));
        QCOMPARE(control<CardList>(form, "List")->items(), (QStringList{"Alfa.krt", "Gama.krt"}));
    }

    void updaterFoundInProgramDirectory() {
        TestProgramDir dir;
        dir.writeRecordingProgram("zolupdt.exe", "arguments.txt");
        TestProgramDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        AppFixture program(dir);
        commandsOf(program.form()).trigger(Command::CheckForUpdates);
        QVERIFY(program.prompts.allShown().isEmpty());
        QTRY_COMPARE(dir.readFile("arguments.txt"), QByteArray("1:074\n"));
    }

    void missingUpdaterIsExplained() {
        TestProgramDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        AppFixture program(dir);
        commandsOf(program.form()).trigger(Command::CheckForUpdates);
        QCOMPARE(program.prompts.messages,
                 QStringList{"Aplikace \"zolupdt.exe\" nebyla nalezena. Zkontrolujte verzi na "
                             "kartoteka.pelvarin.cz"});
    }

    void helpKeyWhereverTheFocusIs_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("table") << QStringLiteral("ListB");
        QTest::newRow("notes") << QStringLiteral("Memo1");
        QTest::newRow("card list") << QStringLiteral("List");
        QTest::newRow("quick search") << QStringLiteral("Edit2");
    }
    void helpKeyWhereverTheFocusIs() {
        QFETCH(QString, control);
        TestProgramDir dir;
        WriteAlfaGama(dir);
        AppFixture program(dir);
        TForm1& form = program.form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        program.open(0);
        QWidget* target = form.findChild<QWidget*>(control);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(urls_->opened, QList<QUrl>{HelpPage});
    }

    void webPagesFromTheWindow() {
        TestProgramDir dir;
        AppFixture program(dir);
        TForm1& form = program.form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(control<LinkLabel>(form, "Label5"), Qt::LeftButton);
        commandsOf(form).trigger(Command::HomePage);
        QTest::mouseClick(control<LinkLabel>(form, "Label10"), Qt::LeftButton);
        QTest::mouseClick(control<QToolButton>(form, "SpeedButton10"), Qt::LeftButton);
        emit control<LinkLabel>(form, "Label8")->clicked();
        QCOMPARE(urls_->opened, (QList<QUrl>{HomePage, HomePage, HelpPage, HelpPage,
                                             QUrl("https://kartoteka.pelvarin.cz/pomoc.html")}));
    }

    void aboutFromTheMenu() {
        TestProgramDir dir;
        AppFixture program(dir);
        auto* about = qobject_cast<TAboutForm*>(dialog<TAboutForm>(program.application));
        QVERIFY(about);
        QVERIFY(WhileShown(
            about, [&] { commandsOf(program.form()).trigger(Command::About); },
            [&] { QTest::keyClick(about->Memo2, Qt::Key_Escape); }));
        QVERIFY(!about->isVisible());
    }
};

QTEST_MAIN(TestCardFileWindow)
#include "tst_cardfiles_window.moc"
