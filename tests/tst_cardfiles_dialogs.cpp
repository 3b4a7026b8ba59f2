#include "mainwindow/CardFileHost.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/UrlCatcher.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

// The main window's side of the dialogs, recorded.
class RecordingHost : public CardFileHost {
public:
    explicit RecordingHost(const TestProgramDir& program) : state(program.startedState()) {}

    AppState state;
    ScriptedPrompts scripted;
    int reReads = 0;
    int stateUpdates = 0;

    AppState& appState() override { return state; }
    Prompts& prompts() override { return scripted; }
    void runCommand(const std::function<void()>& command) override {
        try {
            command();
        } catch (const AppError& error) {
            scripted.error(error.text());
        }
    }
    void ReReadCardList() override { ++reReads; }
    void UpdateWindowState() override { ++stateUpdates; }
};

} // namespace

// The new-card-file, delete and about dialogs.
class TestCardFileDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> program_;
    std::unique_ptr<RecordingHost> host_;

    void typeName(TAddForm& form, const QString& name) {
        form.show();
        form.Edit1->insert(name);
        QTest::keyClick(form.Edit1, Qt::Key_Return);
    }

private slots:
    void init() {
        program_ = std::make_unique<TestProgramDir>();
        host_ = std::make_unique<RecordingHost>(*program_);
    }

    void addMakesEmptyCardFileAndCloses() {
        TAddForm form(*host_);
        typeName(form, QStringLiteral("Recepty babičky"));
        const QString path = program_->cardDir() + "Recepty babičky.krt";
        QVERIFY(host_->scripted.allShown().isEmpty());
        QVERIFY(QFileInfo(path).isFile());
        const T7zInArchivePtr reader = MakeInArchive(program_->library(), ZipFormatId);
        reader->OpenArchive(path);
        QCOMPARE(reader->NumberOfItems(), 0u);
        QCOMPARE(host_->reReads, 1);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void addRefusesNameAndStaysOpen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("message");
        const QString forbidden = QStringLiteral("Název nesmí obsahovat / * \\ : \" < >  ? | ");
        QTest::newRow("colon") << "a:b"
                               << "" << forbidden;
        QTest::newRow("double quote") << "\"citát\""
                                      << "" << forbidden;
        QTest::newRow("empty") << ""
                               << ""
                               << "Zadejte název souboru!";
        QTest::newRow("exists in other case") << "Recepty"
                                              << "recepty.krt"
                                              << "Soubor: \"Recepty\" již existuje!";
    }
    void addRefusesNameAndStaysOpen() {
        QFETCH(QString, name);
        QFETCH(QString, existing);
        QFETCH(QString, message);
        if (!existing.isEmpty())
            program_->writeFile("FILES/" + existing, "card");
        TAddForm form(*host_);
        form.show();
        form.Edit1->insert(name);
        form.SpeedButton2->click();
        QCOMPARE(host_->scripted.messages, QStringList{message});
        QVERIFY(form.isVisible());
        QCOMPARE(host_->reReads, 0);
        const QStringList expected = existing.isEmpty() ? QStringList() : QStringList{existing};
        QCOMPARE(QDir(program_->cardDir()).entryList(QDir::Files | QDir::Hidden), expected);
    }

    void addShowsLibraryErrorAndStaysOpen() {
        QFile::remove(program_->library());
        TAddForm form(*host_);
        typeName(form, QStringLiteral("Recepty"));
        // The loader's reason follows on a second line.
        QCOMPARE(host_->scripted.errors.size(), 1);
        QCOMPARE(host_->scripted.errors.first().section(u'\n', 0, 0),
                 QStringLiteral("Error loading library 7z.so"));
        QVERIFY(form.isVisible());
        QCOMPARE(host_->reReads, 0);
        QVERIFY(QDir(program_->cardDir()).isEmpty(QDir::Files | QDir::Hidden));
    }

    void addStartsEmptyEachTimeAndEscCloses() {
        TAddForm form(*host_);
        form.show();
        QCOMPARE(form.focusWidget(), form.Edit1);
        form.Edit1->insert(QStringLiteral("rozepsané"));
        QTest::keyClick(form.Edit1, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        form.show();
        QVERIFY(form.Edit1->text().isEmpty());
        QCOMPARE(form.focusWidget(), form.Edit1);
        QVERIFY(QDir(program_->cardDir()).isEmpty(QDir::Files | QDir::Hidden));
    }

    void deleteRemovesOpenCardFile() {
        program_->writeFile("FILES/Karta.krt", "card");
        host_->state.CurrentCardPath = program_->cardDir() + "Karta.krt";
        host_->state.CardLoaded = true;
        host_->state.Modified = true;
        TDelForm form(*host_);
        form.show();
        QCOMPARE(form.fileName(), QStringLiteral("Karta.krt"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Karta.krt"));
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!QFile::exists(host_->state.CurrentCardPath));
        QVERIFY(host_->scripted.allShown().isEmpty());
        QCOMPARE(host_->reReads, 1);
        QVERIFY(!host_->state.CardLoaded);
        QCOMPARE(host_->stateUpdates, 1);
        QVERIFY(host_->state.Modified);
        QCOMPARE(host_->state.CurrentCardPath, program_->cardDir() + "Karta.krt");
        QVERIFY(!form.isVisible());
    }

    void deleteOfMissingFileStaysOpen() {
        host_->state.CurrentCardPath = program_->cardDir() + "Pryč.krt";
        host_->state.CardLoaded = true;
        TDelForm form(*host_);
        form.show();
        form.SpeedButton3->click();
        QCOMPARE(host_->scripted.messages,
                 QStringList{"Chyba: soubor \"" + program_->cardDir() + "Pryč.krt\" neexistuje."});
        QVERIFY(form.isVisible());
        QCOMPARE(host_->reReads, 0);
        QVERIFY(host_->state.CardLoaded);
    }

    // Something the program cannot delete stands where the card file was.
    void fileStillThereIsReportedAfterClosing() {
        const QString path = program_->cardDir() + "Karta.krt";
        program_->writeFile("FILES/Karta.krt/inside", "x");
        host_->state.CurrentCardPath = path;
        host_->state.CardLoaded = true;
        TDelForm form(*host_);
        form.show();
        form.SpeedButton3->click();
        QCOMPARE(host_->scripted.messages,
                 QStringList{"Chyba: soubor \"" + path + "\" stále existuje."});
        QVERIFY(!form.isVisible());
        QVERIFY(!host_->state.CardLoaded);
        QCOMPARE(host_->reReads, 1);
    }

    void deleteCommandNeedsAChosenCard_data() {
        QTest::addColumn<QString>("currentCardPath");
        QTest::newRow("nothing opened yet") << "";
        QTest::newRow("folder only") << "/some/folder/";
    }
    void deleteCommandNeedsAChosenCard() {
        QFETCH(QString, currentCardPath);
        host_->state.CurrentCardPath = currentCardPath;
        TDelForm form(*host_);
        form.showForCurrentCard(); // would block in exec() if it showed the dialog
        QVERIFY(!form.isVisible());
    }

    void deleteEscAndNoClose() {
        program_->writeFile("FILES/Karta.krt", "card");
        host_->state.CurrentCardPath = program_->cardDir() + "Karta.krt";
        TDelForm form(*host_);
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        form.show();
        form.SpeedButton1->click();
        QVERIFY(!form.isVisible());
        QVERIFY(QFile::exists(host_->state.CurrentCardPath));
        QCOMPARE(form.windowTitle(), QStringLiteral("Odstranit ?"));
        QCOMPARE(form.size(), QSize(254, 93));
    }

    void aboutClosesOnEnterAndEsc() {
        TAboutForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("O Kartotéce"));
        QCOMPARE(form.size(), QSize(327, 319));
        QCOMPARE(form.Label1->text(), QStringLiteral("Pelvarin Kartotéka  v0.7.4"));
        QCOMPARE(form.Memo2->document()->blockCount(), 15);
        form.show();
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        form.show();
        QTest::keyClick(form.Memo2, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        form.show();
        QTest::keyClick(form.Memo2, Qt::Key_Enter);
        QVERIFY(!form.isVisible());
    }

    void aboutTextTakesDialogColour() {
        TAboutForm form;
        form.setBackColor(QColor(190, 205, 224));
        QCOMPARE(form.Memo2->palette().color(QPalette::Base), QColor(190, 205, 224));
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, Qt::yellow);
        form.setPalette(palette);
        QCOMPARE(form.Memo2->palette().color(QPalette::Base), QColor(Qt::yellow));
    }

    void aboutPicturePanelStaysOnceShown() {
        TAboutForm form;
        form.show();
        QVERIFY(!form.PicturePanel->isVisible());
        QTest::mouseDClick(form.Label1, Qt::LeftButton);
        QVERIFY(form.PicturePanel->isVisible());
        form.SpeedButton1->click();
        form.show();
        QVERIFY(form.PicturePanel->isVisible());
    }

    void aboutLinkOpensHomePage() {
        UrlCatcher recorder;
        TAboutForm form;
        form.show();
        QTest::mouseClick(form.Label3, Qt::LeftButton);
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl("https://kartoteka.pelvarin.cz")});
        QCOMPARE(form.Label3->text(), QStringLiteral("https://kartoteka.pelvarin.cz"));
    }
};

QTEST_MAIN(TestCardFileDialogs)
#include "tst_cardfiles_dialogs.moc"
