#include "mainwindow/Application.h"
#include "mainwindow/CommandRegistry.h"
#include "mainwindow/TForm1.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// The installed program: the executable and 7z.so in one folder, which it
// never writes, and the user's cards, work folder, settings and lock in a
// data folder of their own, made on the first start.
class TestUserDataFolder : public QObject {
    Q_OBJECT
private slots:
    void cardsLiveInTheDataFolderAndTheLibraryBesideTheProgram() {
        TestProgramDir program; // holds 7z.so only
        QTemporaryDir home;
        const QString data = home.path() + QStringLiteral("/.local/share/kartoteka/");
        ScriptedPrompts prompts;
        QList<int> endCodes;
        {
            Application application(data, &prompts, [&](int code) { endCodes << code; });
            application.state().libraryDir = program.path();
            QVERIFY(application.start());
            QCOMPARE(application.state().CardDir, data + QStringLiteral("FILES/"));
            QVERIFY(QFileInfo(data + QStringLiteral("FILES")).isDir());
            QVERIFY(QFileInfo(data + QStringLiteral("TEMP")).isDir());
            QVERIFY(QFileInfo::exists(data + QStringLiteral("kartoteka.lock")));
            QCOMPARE(QFileInfo(data).permissions() & QFile::Permissions(0x0077),
                     QFile::Permissions());
            application.form1()->commands().trigger(Command::Exit);
            QCOMPARE(endCodes, QList<int>{0});
        }
        QVERIFY(prompts.allShown().isEmpty());
        QVERIFY(QFileInfo::exists(data + QStringLiteral("colw.ini")));
        QCOMPARE(
            QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("7z.so")});
    }

    // A data folder that cannot be made stops the start with a message
    // naming it, before anything else is done.
    void unmakeableDataFolderIsReported() {
        TestProgramDir program;
        QTemporaryDir home;
        QFile blocker(home.path() + QStringLiteral("/.local"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const QString data = home.path() + QStringLiteral("/.local/share/kartoteka/");
        ScriptedPrompts prompts;
        QList<int> endCodes;
        Application application(data, &prompts, [&](int code) { endCodes << code; });
        application.state().libraryDir = program.path();
        QVERIFY(!application.start());
        QCOMPARE(endCodes, QList<int>{0});
        QCOMPARE(prompts.allShown().size(), 1);
        QVERIFY2(prompts.allShown().first().contains(QDir::cleanPath(data)),
                 qPrintable(prompts.allShown().first()));
    }
};

QTEST_MAIN(TestUserDataFolder)
#include "tst_mainwindow_userdata.moc"
