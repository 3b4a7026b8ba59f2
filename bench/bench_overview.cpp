#include "bench/Bench.h"
#include "bench/BenchCorpus.h"
#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/OverviewLayout.h"
#include "core/Prompts.h"
#include "core/SearchSession.h"
#include "overview/OverviewHost.h"
#include "overview/OverviewWindow.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <sys/resource.h>
#include <time.h>

// The overview window on the search benchmarks' corpora (10,000 cards with a
// picture in every third, 100,000 without): from the command to the full
// table, with the shared cache empty and after a content search; the filter's
// keystrokes, and a first letter with an accent; one sort by a column.
// Medians of five, the page cache warm.
namespace {

constexpr int Runs = 5;

class SilentPrompts : public Prompts {
public:
    void message(const QString&) override {}
    void error(const QString& text) override { qFatal("error: %s", qPrintable(text)); }
    bool ask(const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString& proposed) override {
        return proposed;
    }
    QString openFile(const QString&, const QStringList&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QStringList&) override { return {}; }
    bool chooseFont(QFont&, qint32&) override { return false; }
    bool setUpPrinter(QPrinter&) override { return false; }
};

class CorpusHost : public OverviewHost {
public:
    explicit CorpusHost(bench::CardCorpus& corpus) : corpus_(corpus) {}
    QStringList cardEntries() const override { return corpus_.entries; }
    void openCard(const QString&) override {}
    void bringToFront() override {}
    AppState& appState() override { return corpus_.state; }

private:
    bench::CardCorpus& corpus_;
};

class NullListener : public SearchListener {
public:
    void resultFound(const QString&) override {}
    void progressed(int) override {}
};

// The longest the user-interface thread went without turning its event loop
// while the window loaded: how responsive it stayed.
struct Opening {
    double ms = 0;
    double longestStallMs = 0;
    double threadCpuMs = 0;  // of the user-interface thread
    double processCpuMs = 0; // of every thread, the workers' reading included
    double closeMs = 0;      // closing the window after
};

double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double processCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

Opening openWindow(OverviewWindow& window, bool closeAfter = true) {
    QEventLoop loop;
    QObject::connect(&window, &OverviewWindow::loaded, &loop, &QEventLoop::quit);
    QElapsedTimer stall;
    double longest = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, stall.nsecsElapsed() / 1e6);
        stall.restart();
    });
    QElapsedTimer timer;
    timer.start();
    const double threadBefore = threadCpuMs();
    const double processBefore = processCpuMs();
    stall.start();
    ticks.start();
    window.showOverview();
    loop.exec();
    Opening opening{timer.nsecsElapsed() / 1e6, longest, threadCpuMs() - threadBefore,
                    processCpuMs() - processBefore};
    if (closeAfter) {
        timer.restart();
        window.close();
        opening.closeMs = timer.nsecsElapsed() / 1e6;
    }
    return opening;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(const QString& title, bench::CardCorpus& corpus) {
    bench::print(QStringLiteral("%1: %2 card files, load average %3")
                     .arg(title)
                     .arg(corpus.entries.size())
                     .arg(loadAverage()));
    // The card list's order and every column, as on a first opening; a
    // remembered sort is measured on its own below.
    const QString layoutPath = corpus.state.programDir + overviewlayout::FileName;
    QFile::remove(layoutPath);
    SilentPrompts prompts;
    CorpusHost host(corpus);
    OverviewWindow window(host, prompts);
    std::vector<double> closing, cold, stalls, afterSearch, coldThread, coldProcess, warmThread,
        warmProcess;
    openWindow(window); // the page cache, the library and the allocator
    for (int run = 0; run < Runs; ++run) {
        CardTextCache::shared().clear();
        const Opening opening = openWindow(window);
        cold.push_back(opening.ms);
        closing.push_back(opening.closeMs);
        stalls.push_back(opening.longestStallMs);
        coldThread.push_back(opening.threadCpuMs);
        coldProcess.push_back(opening.processCpuMs);
    }
    const auto searchAll = [&corpus] {
        CardTextCache::shared().clear();
        NullListener listener;
        SearchSession session;
        CardSearch(SearchPlace::of(corpus.state), session, listener)
            .run(corpus.entries, QStringLiteral("zlatokop"), {});
    };
    for (int run = 0; run < Runs; ++run) {
        searchAll();
        const Opening opening = openWindow(window);
        afterSearch.push_back(opening.ms);
        warmThread.push_back(opening.threadCpuMs);
        warmProcess.push_back(opening.processCpuMs);
    }
    // Sorted by the most used key, as the layout file remembers it.
    OverviewLayout sorted;
    sorted.sortTitle = window.model().keys().value(0);
    std::vector<double> afterSearchSorted, sortedThread;
    for (int run = 0; run < Runs; ++run) {
        overviewlayout::write(layoutPath, sorted);
        searchAll();
        const Opening opening = openWindow(window);
        afterSearchSorted.push_back(opening.ms);
        sortedThread.push_back(opening.threadCpuMs);
    }
    QFile::remove(layoutPath);
    bench::print(QStringLiteral("  open, cache empty:     %1 ms (CPU: window thread %2 ms, all "
                                "threads %3 ms; longest pause of the window %4 ms)")
                     .arg(median(cold), 0, 'f', 1)
                     .arg(median(coldThread), 0, 'f', 1)
                     .arg(median(coldProcess), 0, 'f', 1)
                     .arg(median(stalls), 0, 'f', 1));
    bench::print(QStringLiteral("  open after a search:   %1 ms (CPU: window thread %2 ms, all "
                                "threads %3 ms; cache %4 MB)")
                     .arg(median(afterSearch), 0, 'f', 1)
                     .arg(median(warmThread), 0, 'f', 1)
                     .arg(median(warmProcess), 0, 'f', 1)
                     .arg(CardTextCache::shared().bytes() / 1e6, 0, 'f', 1));
    bench::print(QStringLiteral("  closing the window:    %1 ms").arg(median(closing), 0, 'f', 1));
    bench::print(QStringLiteral("  the same, sorted:      %1 ms (CPU: window thread %2 ms)")
                     .arg(median(afterSearchSorted), 0, 'f', 1)
                     .arg(median(sortedThread), 0, 'f', 1));

    // Typing a letter at a time into a freshly loaded window: its first
    // keystroke folds every row's text once, the others only compare.
    const QString typed = QStringLiteral("hodnota 1");
    std::vector<double> first, next, accented, sorts, reversals;
    for (int run = 0; run < Runs; ++run) {
        window.filterBox()->clear();
        openWindow(window, false);
        for (qsizetype length = 1; length <= typed.size(); ++length) {
            QElapsedTimer timer;
            timer.start();
            window.filterBox()->setText(typed.left(length));
            (length == 1 ? first : next).push_back(timer.nsecsElapsed() / 1e6);
        }
        window.filterBox()->clear();
        // A letter with an accent: letter case alone is folded, for every row.
        QElapsedTimer accentTimer;
        accentTimer.start();
        window.filterBox()->setText(QStringLiteral("ř"));
        accented.push_back(accentTimer.nsecsElapsed() / 1e6);
        window.filterBox()->clear();
        // A column not sorted by before in this loading: its ranks are new.
        QTableView* table = window.table();
        QElapsedTimer timer;
        timer.start();
        table->sortByColumn(2 + run, Qt::AscendingOrder);
        sorts.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        table->sortByColumn(2 + run, Qt::DescendingOrder);
        reversals.push_back(timer.nsecsElapsed() / 1e6);
        window.close();
        QFile::remove(layoutPath);
    }
    bench::print(QStringLiteral("  first keystroke:       %1 ms; each further one %2 ms")
                     .arg(median(first), 0, 'f', 1)
                     .arg(median(next), 0, 'f', 1));
    bench::print(QStringLiteral("  first accented letter: %1 ms").arg(median(accented), 0, 'f', 1));
    bench::print(QStringLiteral("  sort by a column:      %1 ms; again, reversed %2 ms")
                     .arg(median(sorts), 0, 'f', 1)
                     .arg(median(reversals), 0, 'f', 1));
    bench::print(QStringLiteral("  load average now %1").arg(loadAverage()));
}

} // namespace

BENCHMARK("overview: 10,000 cards") {
    bench::CardCorpus corpus = bench::cardCorpus(QStringLiteral("c10k"), 10000, 3);
    measure(QStringLiteral("10,000 cards, a picture in every third"), corpus);
}

BENCHMARK("overview: 100,000 cards") {
    bench::CardCorpus corpus = bench::cardCorpus(QStringLiteral("c100k"), 100000, 0);
    measure(QStringLiteral("100,000 cards without pictures"), corpus);
}
