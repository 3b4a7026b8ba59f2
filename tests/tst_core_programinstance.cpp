#include "core/ProgramInstance.h"
#include "tests/support/TestProgramDir.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

// One program per program directory: the lock beside FILES, the take-over of
// a lock whose program died, and the socket that wakes the first program.
class TestProgramInstance : public QObject {
    Q_OBJECT
private slots:
    void oneHolderPerProgramDirectory() {
        TestProgramDir dir;
        TestProgramDir other;
        ProgramInstance first(dir.path());
        QVERIFY(first.claim());
        QCOMPARE(first.lockPath(), dir.path() + QStringLiteral("kartoteka.lock"));
        QVERIFY(QFile::exists(first.lockPath()));

        ProgramInstance second(dir.path());
        QVERIFY(!second.claim());
        ProgramInstance elsewhere(other.path());
        QVERIFY(elsewhere.claim());
        QVERIFY(first.serverName() != elsewhere.serverName());
    }

    void releasedWhenTheProgramEnds() {
        TestProgramDir dir;
        {
            ProgramInstance first(dir.path());
            QVERIFY(first.claim());
        }
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("kartoteka.lock")));
        ProgramInstance next(dir.path());
        QVERIFY(next.claim());
    }

    // A lock left by a program that died is taken over.
    void lockOfADeadProgramIsTakenOver() {
        TestProgramDir dir;
        const QString lockPath = dir.path() + QStringLiteral("kartoteka.lock");
        // A lock as a living program writes it, with the number of a process
        // that has ended.
        QByteArray contents;
        {
            QLockFile model(dir.path() + QStringLiteral("model.lock"));
            QVERIFY(model.tryLock(0));
            QFile written(dir.path() + QStringLiteral("model.lock"));
            QVERIFY(written.open(QIODevice::ReadOnly));
            contents = written.readAll();
        }
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        QVERIFY(ended.waitForFinished());
        contents = QByteArray::number(deadPid) + contents.mid(contents.indexOf('\n'));
        dir.writeFile(QStringLiteral("kartoteka.lock"), contents);

        ProgramInstance next(dir.path());
        QVERIFY(next.claim());
    }

    void secondStartWakesTheFirst() {
        TestProgramDir dir;
        ProgramInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &ProgramInstance::showRequested);
        ProgramInstance second(dir.path());
        QVERIFY(!second.claim());
        QVERIFY(second.wakeHolder());
        QCOMPARE(shown.count(), 1);
    }

    // Only "show your window" is ever taken from the socket.
    void anythingElseOnTheSocketIsIgnored_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("a path") << QByteArray("/etc/passwd\n");
        QTest::newRow("a command") << QByteArray("open Karta.krt\n");
        QTest::newRow("show with more") << QByteArray("showX\n");
    }
    void anythingElseOnTheSocketIsIgnored() {
        QFETCH(QByteArray, sent);
        TestProgramDir dir;
        ProgramInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &ProgramInstance::showRequested);
        QLocalSocket socket;
        QSignalSpy closed(&socket, &QLocalSocket::disconnected);
        socket.connectToServer(first.serverName());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(sent);
        socket.flush();
        QVERIFY(closed.wait(5000));
        QCOMPARE(shown.count(), 0);
    }

    void wakingNobodyFails() {
        TestProgramDir dir;
        const ProgramInstance lonely(dir.path());
        QVERIFY(!lonely.wakeHolder(300));
    }
};

QTEST_GUILESS_MAIN(TestProgramInstance)
#include "tst_core_programinstance.moc"
