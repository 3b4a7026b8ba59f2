#include "mainwindow/UpdateCheck.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/UrlCatcher.h"
#include "widgets/WebLinks.h"

#include <QtTest>

// The update check and the web pages.
class TestAuxiliaryCommands : public QObject {
    Q_OBJECT

    const QString startDirectory_ = QDir::currentPath();

private slots:
    void cleanup() { QDir::setCurrent(startDirectory_); }

    // The updater is looked for beside the program, not in the current directory.
    void updaterStartsFromProgramDirectory() {
        TestProgramDir program;
        program.writeRecordingProgram("zolupdt.exe", "arguments.txt");
        TestProgramDir elsewhere;
        elsewhere.writeFile("zolupdt.exe", "#!/bin/sh\nexit 1\n");
        QVERIFY(QDir::setCurrent(elsewhere.path()));

        ScriptedPrompts prompts;
        QVERIFY(updatecheck::checkForUpdates(program.path(), prompts));
        QVERIFY(prompts.allShown().isEmpty());
        QTRY_COMPARE(program.readFile("arguments.txt"), QByteArray("1:074\n"));
    }

    void missingUpdaterNamesWebSite() {
        TestProgramDir program;
        QDir::setCurrent(program.path());
        ScriptedPrompts prompts;
        QVERIFY(!updatecheck::checkForUpdates(program.path(), prompts));
        QCOMPARE(prompts.messages,
                 QStringList{"Aplikace \"zolupdt.exe\" nebyla nalezena. Zkontrolujte verzi na "
                             "kartoteka.pelvarin.cz"});
    }

    void webPages() {
        UrlCatcher recorder;
        weblinks::openHomePage();
        weblinks::openSupportPage();
        weblinks::openHelp();
        weblinks::openHelp("tisk.html");
        QCOMPARE(recorder.opened,
                 (QList<QUrl>{QUrl("https://kartoteka.pelvarin.cz"),
                              QUrl("https://kartoteka.pelvarin.cz/pomoc.html"),
                              QUrl("https://kartoteka.pelvarin.cz/tavrosk/help/index.html"),
                              QUrl("https://kartoteka.pelvarin.cz/tavrosk/help/tisk.html")}));
    }
};

QTEST_MAIN(TestAuxiliaryCommands)
#include "tst_cardfiles_auxiliary.moc"
