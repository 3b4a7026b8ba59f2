#include "storage/ProgramDir.h"
#include "tests/support/TestProgramDir.h"

#include <QFileInfo>
#include <QtTest>

// The program directory is the executable's, whatever the current directory.
class TestProgramDirectory : public QObject {
    Q_OBJECT
private slots:
    void executableDirectoryEndsWithSeparator() {
        const QString dir = executableDirectory();
        QVERIFY(dir.endsWith(u'/'));
        QVERIFY(
            QFileInfo::exists(dir + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    }
    void testDirectoryHoldsTheLibrary() {
        TestProgramDir dir;
        QVERIFY(QFileInfo::exists(dir.library()));
    }
};

QTEST_MAIN(TestProgramDirectory)
#include "tst_storage_programdir.moc"
