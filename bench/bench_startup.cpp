#include "bench/Bench.h"
#include "mainwindow/CardList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// A program directory with the program, 7z.so and cardCount card files.
struct ProgramWithCards {
    explicit ProgramWithCards(int cardCount) {
        const QString p = dir.path() + u'/';
        QFile::copy(QStringLiteral(KARTOTEKA_EXECUTABLE), p + QStringLiteral("kartoteka"));
        QFile::setPermissions(p + QStringLiteral("kartoteka"), QFile::ReadOwner | QFile::ExeOwner);
        QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), p + QStringLiteral("7z.so"));
        QDir().mkpath(p + QStringLiteral("FILES"));
        // An empty Zip archive: what a new card file holds.
        const QByteArray emptyZip = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
        for (int i = 0; i < cardCount; ++i) {
            QFile card(p + QStringLiteral("FILES/Karta číslo %1.krt").arg(i, 6, 10, QChar(u'0')));
            card.open(QIODevice::WriteOnly);
            card.write(emptyZip);
        }
    }
    QString path() const { return dir.path() + u'/'; }
    QTemporaryDir dir;
};

// Milliseconds from starting the process to its window being exposed.
double StartToShown(const QString& program) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KARTOTEKA_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    while (process.state() != QProcess::NotRunning || process.bytesAvailable()) {
        process.waitForReadyRead(50);
        if (process.readAllStandardOutput().contains("shown"))
            break;
    }
    const double elapsed = timer.nsecsElapsed() / 1e6;
    process.waitForFinished();
    return elapsed;
}

void startToShown(int cardCount) {
    ProgramWithCards program(cardCount);
    const QString executable = program.path() + QStringLiteral("kartoteka");
    StartToShown(executable); // warm the file cache
    bench::print(QStringLiteral("%1 card files: median %2 ms (target < 500 ms)")
                     .arg(cardCount)
                     .arg(bench::medianMs(7, [&] { StartToShown(executable); }), 0, 'f', 1));
}

void readCardList(int cardCount) {
    ProgramWithCards program(cardCount);
    CardList list;
    list.setDirectory(program.path() + QStringLiteral("FILES/"));
    bench::print(QStringLiteral("median %1 ms for %2 entries")
                     .arg(bench::medianMs(7, [&] { list.reread(); }), 0, 'f', 1)
                     .arg(list.count()));
}

} // namespace

BENCHMARK("startup: process start to window shown") {
    startToShown(10000);
    startToShown(100000);
}

BENCHMARK("startup: reading the card list") {
    readCardList(10000);
    readCardList(100000);
}
