#include "storage/AppError.h"
#include "storage/ProgramDir.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

QString DirPath(const QTemporaryDir& dir) {
    return dir.path() + u'/';
}

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

// The program directory is the executable's, whatever the current directory;
// the cards stay beside it when it is portable and go to the user's data
// folder otherwise.
class TestProgramDirectory : public QObject {
    Q_OBJECT
private slots:
    void executableDirectoryEndsWithSeparator() {
        const QString dir = programdir::executableDirectory();
        QVERIFY(dir.endsWith(u'/'));
        QVERIFY(
            QFileInfo::exists(dir + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    }
    void testDirectoryHoldsTheLibrary() {
        TestProgramDir dir;
        QVERIFY(QFileInfo::exists(dir.library()));
    }

    // The marker or an existing FILES folder keeps everything beside the
    // program; a bare program (the package's) keeps nothing there.
    void portableWhenMarkedOrAlreadyHoldingCards() {
        QTemporaryDir home;
        ScopedVariable data("XDG_DATA_HOME", home.path().toUtf8());
        QTemporaryDir program;
        const QString p = DirPath(program);
        const QString user = home.path() + QStringLiteral("/kartoteka/");
        Touch(p + QStringLiteral("kartoteka"));
        QVERIFY(!programdir::isPortable(p));
        QCOMPARE(programdir::dataDirectory(p), user);

        // A file named FILES is no cards folder.
        Touch(p + QStringLiteral("FILES"));
        QVERIFY(!programdir::isPortable(p));
        QVERIFY(QFile::remove(p + QStringLiteral("FILES")));

        QVERIFY(QDir(p).mkdir(QStringLiteral("FILES")));
        QVERIFY(programdir::isPortable(p));
        QCOMPARE(programdir::dataDirectory(p), p);
        QCOMPARE(programdir::dataDirectory(program.path()), p);

        QVERIFY(QDir(p).rmdir(QStringLiteral("FILES")));
        Touch(p + QLatin1String(programdir::kPortableMarker));
        QCOMPARE(programdir::dataDirectory(p), p);
    }

    // Development runs and the tests use the program in the build tree,
    // which the build marks portable.
    void buildTreeIsPortable() {
        const QString buildTree = QFileInfo(QStringLiteral(KARTOTEKA_EXECUTABLE)).absolutePath();
        QVERIFY(programdir::isPortable(buildTree));
    }

    // $XDG_DATA_HOME when it is an absolute path, ~/.local/share otherwise.
    void userDataFolderFollowsTheXdgRules_data() {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QString>("expectedBelowHome");
        QTest::newRow("absolute") << QByteArray("@/elsewhere") << QStringLiteral("elsewhere");
        QTest::newRow("unset") << QByteArray() << QStringLiteral(".local/share");
        QTest::newRow("empty") << QByteArray("") << QStringLiteral(".local/share");
        QTest::newRow("relative") << QByteArray("relative/share") << QStringLiteral(".local/share");
    }
    void userDataFolderFollowsTheXdgRules() {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QString, expectedBelowHome);
        QTemporaryDir home;
        ScopedVariable homeVariable("HOME", home.path().toUtf8());
        if (xdgDataHome.startsWith('@'))
            xdgDataHome = home.path().toUtf8() + xdgDataHome.mid(1);
        ScopedVariable data("XDG_DATA_HOME", xdgDataHome);
        QCOMPARE(programdir::userDataDirectory(),
                 home.path() + u'/' + expectedBelowHome + QStringLiteral("/kartoteka/"));
    }

    // Made with its missing parents, readable by its user alone; a folder
    // that exists keeps its permissions.
    void dataDirectoryIsMadePrivate() {
        QTemporaryDir home;
        const QString data = home.path() + QStringLiteral("/.local/share/kartoteka/");
        programdir::makeDataDirectory(data);
        QVERIFY(QFileInfo(data).isDir());
        const QFile::Permissions permissions = QFileInfo(data).permissions();
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QCOMPARE(permissions & owner, owner);
        QCOMPARE(permissions & QFile::Permissions(0x0077), QFile::Permissions());

        TestProgramDir portable;
        const QFile::Permissions before = QFileInfo(portable.path()).permissions();
        programdir::makeDataDirectory(portable.path());
        QCOMPARE(QFileInfo(portable.path()).permissions(), before);
    }

    void unmakeableDataDirectoryIsReportedByName() {
        QTemporaryDir home;
        // A file where a parent folder must go (permissions do not stop root).
        Touch(home.path() + QStringLiteral("/.local"));
        const QString data = home.path() + QStringLiteral("/.local/share/kartoteka/");
        try {
            programdir::makeDataDirectory(data);
            QFAIL("no error");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(home.path() + QStringLiteral("/.local/share/kartoteka")),
                     qPrintable(error.text()));
            QVERIFY(error.text().startsWith(QStringLiteral("Nelze vytvořit složku")));
        }
    }
};

QTEST_MAIN(TestProgramDirectory)
#include "tst_storage_programdir.moc"
