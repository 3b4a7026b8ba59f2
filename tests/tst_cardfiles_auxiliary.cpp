#include "mainwindow/UpdateCheck.h"
#include "mainwindow/WebLinks.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"

#include <QDesktopServices>
#include <QtTest>

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

// The update check and the web pages.
class TestAuxiliaryCommands : public QObject {
    Q_OBJECT

    const QString startDirectory_ = QDir::currentPath();

private slots:
    void cleanup() { QDir::setCurrent(startDirectory_); }

    // The updater is looked for beside the program, not in the current directory.
    void updaterStartsFromProgramDirectory() {
        TestProgramDir program;
        const QString record = program.filePath("arguments.txt");
        program.writeFile("zolupdt.exe", "#!/bin/sh\necho \"$#:$*\" > '" + record.toUtf8() + "'\n");
        QFile::setPermissions(program.filePath("zolupdt.exe"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TestProgramDir elsewhere;
        elsewhere.writeFile("zolupdt.exe", "#!/bin/sh\nexit 1\n");
        QVERIFY(QDir::setCurrent(elsewhere.path()));

        ScriptedPrompts prompts;
        QVERIFY(CheckForUpdates(program.path(), prompts));
        QVERIFY(prompts.allShown().isEmpty());
        QTRY_COMPARE(program.readFile("arguments.txt"), QByteArray("1:074\n"));
    }

    void missingUpdaterNamesWebSite() {
        TestProgramDir program;
        QDir::setCurrent(program.path());
        ScriptedPrompts prompts;
        QVERIFY(!CheckForUpdates(program.path(), prompts));
        QCOMPARE(prompts.messages,
                 QStringList{"Aplikace \"zolupdt.exe\" nebyla nalezena. Zkontrolujte verzi na "
                             "kartoteka.pelvarin.cz"});
    }

    void webPages() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        weblinks::OpenHomePage();
        weblinks::OpenSupportPage();
        weblinks::OpenHelp();
        weblinks::OpenHelp("tisk.html");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened,
                 (QList<QUrl>{QUrl("https://kartoteka.pelvarin.cz"),
                              QUrl("https://kartoteka.pelvarin.cz/pomoc.html"),
                              QUrl("https://kartoteka.pelvarin.cz/tavrosk/help/index.html"),
                              QUrl("https://kartoteka.pelvarin.cz/tavrosk/help/tisk.html")}));
    }
};

QTEST_MAIN(TestAuxiliaryCommands)
#include "tst_cardfiles_auxiliary.moc"
