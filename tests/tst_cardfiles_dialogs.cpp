#include "core/OpenCard.h"
#include "mainwindow/CardFileDialog.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/CardHistory.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/DesktopHome.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCardEditor.h"
#include "tests/support/TestCards.h"
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

// A card list that counts how often it is read again.
class RecordingList : public TestCardList {
public:
    using TestCardList::TestCardList;
    int reReads = 0;
    void reread() override {
        ++reReads;
        TestCardList::reread();
    }
};

// The main window's side of the dialogs, recorded.
class RecordingHost : public CardFileHost {
public:
    explicit RecordingHost(const TestProgramDir& program)
        : program_(program), state(program.startedState()), list(state.CardDir),
          card(state, scripted, editor, list) {
        list.reReads = 0;
    }

    // Opens the card file name.krt, written first as an empty card.
    void openCard(const QString& name) {
        testcards::writeCard(program_, name, {});
        card.Open(state.CardDir + name + QStringLiteral(".krt"));
    }
    int reReads() const { return list.reReads; }

    const TestProgramDir& program_;
    AppState state;
    ScriptedPrompts scripted;
    TestCardEditor editor;
    RecordingList list;
    OpenCard card;

    AppState& appState() override { return state; }
    OpenCard& openCard() override { return card; }
    Prompts& prompts() override { return scripted; }
    void runCommand(const std::function<void()>& command) override {
        try {
            command();
        } catch (const AppError& error) {
            scripted.error(error.text());
        }
    }
    void reReadCardList() override { list.reread(); }
};

} // namespace

// The new-card-file, delete and about dialogs.
class TestCardFileDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<DesktopHome> home_; // deleted cards go to its trash
    std::unique_ptr<TestProgramDir> program_;
    std::unique_ptr<RecordingHost> host_;

    void typeName(TAddForm& form, const QString& name) {
        form.show();
        form.Edit1->insert(name);
        QTest::keyClick(form.Edit1, Qt::Key_Return);
    }

private slots:
    void init() {
        home_ = std::make_unique<DesktopHome>();
        program_ = std::make_unique<TestProgramDir>();
        host_ = std::make_unique<RecordingHost>(*program_);
    }
    // The home goes before the next one comes, so that it restores the
    // user's own.
    void cleanup() { home_.reset(); }

    void addMakesEmptyCardFileAndCloses() {
        TAddForm form(*host_);
        typeName(form, QStringLiteral("Recepty babičky"));
        const QString path = program_->cardDir() + "Recepty babičky.krt";
        QVERIFY(host_->scripted.allShown().isEmpty());
        QVERIFY(QFileInfo(path).isFile());
        const T7zInArchivePtr reader = sevenzip::MakeInArchive(program_->library(), ZipFormatId);
        reader->OpenArchive(path);
        QCOMPARE(reader->numberOfItems(), 0u);
        QCOMPARE(host_->reReads(), 1);
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
        QCOMPARE(host_->reReads(), 0);
        const QStringList expected = existing.isEmpty() ? QStringList() : QStringList{existing};
        QCOMPARE(QDir(program_->cardDir()).entryList(QDir::Files | QDir::Hidden), expected);
    }

    // A deleted card's versions are kept, but a new card of its name starts
    // without them: they are set aside, not deleted.
    void addGivesTheNewCardNoVersions() {
        program_->writeFile("HISTORY/Recepty.krt/20200101-000000-000.krt", "of a deleted card");
        TAddForm form(*host_);
        typeName(form, QStringLiteral("Recepty"));
        QVERIFY(host_->scripted.allShown().isEmpty());
        QVERIFY(cardhistory::versions(program_->filePath("HISTORY/Recepty.krt/")).isEmpty());
        const QStringList folders =
            QDir(program_->filePath("HISTORY")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 1);
        QVERIFY(folders[0].startsWith("Recepty.krt~"));
        QCOMPARE(cardhistory::versions(program_->filePath("HISTORY/" + folders[0])).size(), 1);
    }

    void addShowsLibraryErrorAndStaysOpen() {
        QFile::remove(program_->library());
        TAddForm form(*host_);
        typeName(form, QStringLiteral("Recepty"));
        QCOMPARE(host_->scripted.errors.size(), 1);
        QCOMPARE(host_->scripted.errors.first().section(u'\n', 0, 0),
                 QStringLiteral("Error loading library 7z.so"));
        QVERIFY(form.isVisible());
        QCOMPARE(host_->reReads(), 0);
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
        host_->openCard(QStringLiteral("Karta"));
        const QByteArray stored = program_->readFile("FILES/Karta.krt");
        host_->card.markModified();
        const int updatesBefore = host_->editor.windowStateUpdates;
        TDelForm form(*host_);
        form.show();
        QCOMPARE(form.fileName(), QStringLiteral("Karta.krt"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Karta.krt"));
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!QFile::exists(host_->card.CurrentCardPath()));
        // In the trash, from where the file manager can restore it.
        QCOMPARE(home_->trashFiles(), QStringList{"Karta.krt"});
        QCOMPARE(testcards::fileBytes(home_->trashFile("Karta.krt")), stored);
        QVERIFY(QFileInfo(home_->trashInfo("Karta.krt")).isFile());
        QVERIFY(host_->scripted.allShown().isEmpty());
        QCOMPARE(host_->reReads(), 1);
        QVERIFY(!host_->card.CardLoaded());
        QCOMPARE(host_->editor.windowStateUpdates, updatesBefore + 1);
        QVERIFY(host_->card.Modified());
        QCOMPARE(host_->card.CurrentCardPath(), program_->cardDir() + "Karta.krt");
        QVERIFY(!form.isVisible());
    }

    void deleteOfMissingFileStaysOpen() {
        host_->openCard(QStringLiteral("Pryč"));
        QVERIFY(QFile::remove(program_->cardDir() + "Pryč.krt"));
        TDelForm form(*host_);
        form.show();
        form.SpeedButton3->click();
        QCOMPARE(host_->scripted.messages,
                 QStringList{"Chyba: soubor \"" + program_->cardDir() + "Pryč.krt\" neexistuje."});
        QVERIFY(form.isVisible());
        QCOMPARE(host_->reReads(), 0);
        QVERIFY(host_->card.CardLoaded());
    }

    // Something the program cannot delete stands where the card file was.
    void fileStillThereIsReportedAfterClosing() {
        const QString path = program_->cardDir() + "Karta.krt";
        host_->openCard(QStringLiteral("Karta"));
        QVERIFY(QFile::remove(path));
        program_->writeFile("FILES/Karta.krt/inside", "x");
        TDelForm form(*host_);
        form.show();
        form.SpeedButton3->click();
        QCOMPARE(host_->scripted.messages,
                 QStringList{"Chyba: soubor \"" + path + "\" stále existuje."});
        QVERIFY(!form.isVisible());
        QVERIFY(!host_->card.CardLoaded());
        QCOMPARE(host_->reReads(), 1);
    }

    void deleteCommandNeedsAChosenCard_data() {
        QTest::addColumn<QString>("currentCardPath");
        QTest::newRow("nothing opened yet") << "";
        QTest::newRow("folder only") << "/some/folder/";
    }
    void deleteCommandNeedsAChosenCard() {
        QFETCH(QString, currentCardPath);
        if (!currentCardPath.isEmpty())
            host_->card.Open(currentCardPath);
        QCOMPARE(host_->card.CurrentCardPath(), currentCardPath);
        TDelForm form(*host_);
        form.showForCurrentCard(); // would block in exec() if it showed the dialog
        QVERIFY(!form.isVisible());
    }

    void deleteEscAndNoClose() {
        host_->openCard(QStringLiteral("Karta"));
        TDelForm form(*host_);
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        form.show();
        form.SpeedButton1->click();
        QVERIFY(!form.isVisible());
        QVERIFY(QFile::exists(host_->card.CurrentCardPath()));
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
