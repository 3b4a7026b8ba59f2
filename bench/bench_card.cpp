#include "bench/Bench.h"
#include "bench/CardFixture.h"
#include "storage/CardHistory.h"
#include "storage/HistoryRetention.h"
#include "storage/KeptCardVersion.h"

#include <QFileInfo>
#include <algorithm>
#include <ctime>
#include <vector>

// Opening and saving one card as the main window does: a 320 x 240 24-bit
// picture and 50 table rows.
namespace {

// Median processor time of all threads in milliseconds: on a machine shared with
// other work it shows what the wall-clock figure would be without the contention
// (waits for the disk are not in it).
double medianCpuMs(int repeats, const std::function<void()>& fn) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        timespec start{}, end{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
        fn();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
        times.push_back((end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Fills the card's history with the most versions it keeps, so that every
// further save also drops its oldest version: the costliest save.
void fillHistory(const bench::CardFixture& card) {
    const QString folder =
        cardhistory::folderOf(card.historyDir, card.name + QStringLiteral(".krt"));
    QDir().mkpath(folder);
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
    for (int i = 0; i < historyretention::kMostKept; ++i)
        QFile::copy(card.cardPath(), folder + cardversionname::make(start.addSecs(i), 0));
}

// The medians of a and b, run in turns so that both meet the same load of the machine.
std::pair<double, double>
medianPairMs(int repeats, const std::function<double(const std::function<void()>&)>& time,
             const std::function<void()>& a, const std::function<void()>& b) {
    std::vector<double> timesA, timesB;
    for (int i = 0; i < repeats; ++i) {
        timesA.push_back(time(a));
        timesB.push_back(time(b));
    }
    std::sort(timesA.begin(), timesA.end());
    std::sort(timesB.begin(), timesB.end());
    return {timesA[timesA.size() / 2], timesB[timesB.size() / 2]};
}

} // namespace

BENCHMARK("card open and save") {
    bench::CardFixture card;
    CardWriter writer;
    card.save(writer, false);
    fillHistory(card);
    const auto wallMs = [](const std::function<void()>& fn) { return bench::medianMs(1, fn); };
    const auto cpuMs = [](const std::function<void()>& fn) { return medianCpuMs(1, fn); };
    const auto plainSave = [&] { card.save(writer, false); };
    const auto keepingSave = [&] { card.save(writer, true); };
    const auto [plain, keeping] = medianPairMs(40, wallMs, plainSave, keepingSave);
    const auto [plainCpu, keepingCpu] = medianPairMs(40, cpuMs, plainSave, keepingSave);
    const double versionStep = bench::medianMs(
        200, [&] { const KeptCardVersion version(card.historyDir, card.cardPath()); });
    const double open = bench::medianMs(50, [&] { card.open(); });
    const double openCpu = medianCpuMs(50, [&] { card.open(); });
    bench::print(QStringLiteral("card file: %1 bytes").arg(QFileInfo(card.cardPath()).size()));
    bench::print(QStringLiteral("open (clear, unpack, table, notes, picture): %1 ms median, "
                                "%2 ms processor time")
                     .arg(open, 0, 'f', 2)
                     .arg(openCpu, 0, 'f', 2));
    bench::print(
        QStringLiteral("save without keeping a version: %1 ms median, %2 ms processor time")
            .arg(plain, 0, 'f', 2)
            .arg(plainCpu, 0, 'f', 2));
    bench::print(QStringLiteral("save keeping a version (%1 in the folder, the oldest dropped): "
                                "%2 ms median, %3 ms processor time")
                     .arg(historyretention::kMostKept)
                     .arg(keeping, 0, 'f', 2)
                     .arg(keepingCpu, 0, 'f', 2));
    bench::print(QStringLiteral("keeping the version alone (link, list, prune): %1 ms median")
                     .arg(versionStep, 0, 'f', 3));
}
