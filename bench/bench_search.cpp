#include "bench/Bench.h"
#include "bench/BenchCorpus.h"
#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/SearchSession.h"
#include "storage/AppState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <sys/resource.h>

// The content search against a plain Python zipfile script doing the same job
// (bench/peer_search.py), on card files written by Python's zipfile
// (bench/make_corpus.py): 10,000 cards, a 320 x 240 picture in every third, and
// 100,000 cards without pictures. The corpora are made once in the temporary
// folder and kept for later runs. Figures are medians of five runs, with the
// page cache warm.
namespace {

constexpr int Runs = 5;
const QString Word = QStringLiteral("zlatokop");

using Corpus = bench::CardCorpus;

QString scriptPath(const char* name) {
    return QStringLiteral(KARTOTEKA_BENCH_DIR "/") + QString::fromLatin1(name);
}

class CountingListener : public SearchListener {
public:
    int results = 0;
    void resultFound(const QString&) override { ++results; }
    void progressed(int) override {}
};

int search(Corpus& corpus, CardTextCache& cache) {
    SearchSession session;
    CountingListener listener;
    CardSearch(SearchPlace::of(corpus.state), session, listener, cache)
        .run(corpus.entries, Word, SearchOptions());
    return listener.results;
}

// The peer's own figure: seconds from its first open of a card file to its last.
double peerMs(const Corpus& corpus, int& results) {
    QProcess peer;
    peer.start(QStringLiteral("python3"),
               {scriptPath("peer_search.py"), corpus.state.CardDir, Word});
    peer.waitForFinished(-1);
    const QList<QByteArray> fields = peer.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        qFatal("peer_search.py failed");
    results = fields[0].toInt();
    return fields[1].toDouble() * 1000.0;
}

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

void compare(const QString& title, Corpus& corpus) {
    bench::print(QStringLiteral("%1: %2 card files, load average %3")
                     .arg(title)
                     .arg(corpus.entries.size())
                     .arg(loadAverage()));
    {
        CardTextCache warmUp; // the page cache, the library and the allocator
        search(corpus, warmUp);
    }

    int results = 0;
    const double cpuBefore = cpuSeconds();
    const double firstMs = bench::medianMs(Runs, [&] {
        CardTextCache fresh;
        results = search(corpus, fresh);
    });
    const double firstCpuMs = (cpuSeconds() - cpuBefore) * 1000.0 / Runs;

    CardTextCache cache;
    search(corpus, cache);
    const double repeatMs = bench::medianMs(Runs, [&] { search(corpus, cache); });

    int peerResults = 0;
    std::vector<double> peerTimes;
    for (int i = 0; i < Runs; ++i)
        peerTimes.push_back(peerMs(corpus, peerResults));
    std::sort(peerTimes.begin(), peerTimes.end());
    const double peer = peerTimes[peerTimes.size() / 2];

    bench::print(QStringLiteral("  first search:    %1 ms (median of %2; %3 ms of CPU per "
                                "search), %4 results")
                     .arg(firstMs, 0, 'f', 1)
                     .arg(Runs)
                     .arg(firstCpuMs, 0, 'f', 1)
                     .arg(results));
    bench::print(QStringLiteral("  repeated search: %1 ms (median of %2), cache %3 MB")
                     .arg(repeatMs, 0, 'f', 1)
                     .arg(Runs)
                     .arg(cache.bytes() / 1e6, 0, 'f', 1));
    bench::print(QStringLiteral("  Python peer:     %1 ms (median of %2), %3 results%4")
                     .arg(peer, 0, 'f', 1)
                     .arg(Runs)
                     .arg(peerResults)
                     .arg(peerResults == results ? QString() : QStringLiteral(" (DIFFERENT)")));
    bench::print(QStringLiteral("  ratio peer / first search: %1; load average now %2")
                     .arg(peer / firstMs, 0, 'f', 2)
                     .arg(loadAverage()));
}

} // namespace

BENCHMARK("search: 10,000 cards") {
    Corpus pictures = bench::cardCorpus(QStringLiteral("c10k"), 10000, 3);
    compare(QStringLiteral("10,000 cards, a picture in every third"), pictures);
}

BENCHMARK("search: 100,000 cards") {
    Corpus large = bench::cardCorpus(QStringLiteral("c100k"), 100000, 0);
    compare(QStringLiteral("100,000 cards without pictures"), large);
}
