#include "bench/Bench.h"
#include "core/CardFolderModel.h"
#include "mainwindow/CardList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <time.h>
#include <vector>

namespace {

double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void touch(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

// Runs the events posted so far (the view's layout after the change).
void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The time the user-interface thread spends on one card file added by another
// program, among cardCount card files: applying the listing that the worker
// thread read (and compared) to the card list shown, with a card selected,
// until the list has laid itself out again. Also the worker's reading, and
// how long the new card takes to show through the folder watch.
void outsideChange(int cardCount) {
    QTemporaryDir dir;
    const QString cards = dir.path() + QStringLiteral("/FILES/");
    QDir().mkpath(cards);
    for (int i = 0; i < cardCount; ++i)
        touch(cards + QStringLiteral("Karta číslo %1.krt").arg(i, 6, 10, QChar(u'0')));
    CardList list;
    list.resize(204, 467);
    list.setDirectory(cards, QStringLiteral("*.krt"));
    list.show();
    list.setItemIndex(cardCount / 2);
    settle();
    CardFolderModel& model = list.cards();

    std::vector<double> uiWall;
    std::vector<double> uiCpu;
    std::vector<double> workerMs;
    std::vector<double> shownMs;
    for (int round = 0; round < 5; ++round) {
        touch(cards + QStringLiteral("Nová %1.krt").arg(round));
        QElapsedTimer reading;
        reading.start();
        const CardFolderListing before = model.listing();
        const CardFolderListing after = cardfolder::read(cards, QStringLiteral("*.krt"));
        const CardFolderDiff diff = cardfolder::diff(before, after);
        workerMs.push_back(reading.nsecsElapsed() / 1e6);

        QElapsedTimer wall;
        const double cpuStart = threadCpuMs();
        wall.start();
        model.applyListing(after, diff, model.generation());
        settle();
        uiWall.push_back(wall.nsecsElapsed() / 1e6);
        uiCpu.push_back(threadCpuMs() - cpuStart);

        // End to end: a card file removed by another program, through the watch.
        const QString gone = cards + QStringLiteral("Nová %1.krt").arg(round);
        QElapsedTimer shown;
        shown.start();
        QFile::remove(gone);
        while (model.names().contains(QStringLiteral("Nová %1.krt").arg(round)) &&
               shown.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        shownMs.push_back(shown.nsecsElapsed() / 1e6);
    }
    bench::print(QStringLiteral("%1 card files: UI thread per outside change median %2 ms wall, "
                                "%3 ms CPU (target <= 50 ms); worker reading %4 ms; shown after "
                                "%5 ms (target < 1000 ms)")
                     .arg(cardCount)
                     .arg(median(uiWall), 0, 'f', 2)
                     .arg(median(uiCpu), 0, 'f', 2)
                     .arg(median(workerMs), 0, 'f', 1)
                     .arg(median(shownMs), 0, 'f', 1));
}

} // namespace

BENCHMARK("outside change") {
    outsideChange(10'000);
    outsideChange(100'000);
}
