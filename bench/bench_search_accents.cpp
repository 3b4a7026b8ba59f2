#include "bench/Bench.h"
#include "bench/BenchCorpus.h"
#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/SearchSession.h"

#include <QFile>

// The content search with "Bez ohledu na diakritiku" on and off, on the search
// benchmark's corpus of 10,000 cards (a picture in every third): the first
// search (an empty cache, every card file read) and the repeated one (every
// card from the cache), both with the word typed as the user would. With the
// option on, "jiloveho" must find the lines that "Jílového" finds with it off.
namespace {

constexpr int kRuns = 5;

struct Searched {
    double firstMs = 0;
    double repeatedMs = 0;
    int results = 0;
};

class CountingListener : public SearchListener {
public:
    int results = 0;
    void resultFound(const QString&) override { ++results; }
    void progressed(int) override {}
};

int search(bench::CardCorpus& corpus, CardTextCache& cache, const QString& word,
           bool withoutAccents) {
    SearchSession session;
    CountingListener listener;
    SearchOptions options;
    options.withoutAccents = withoutAccents;
    CardSearch(SearchPlace::of(corpus.state), session, listener, cache)
        .run(corpus.entries, word, options);
    return listener.results;
}

Searched measure(bench::CardCorpus& corpus, const QString& word, bool withoutAccents) {
    Searched searched;
    searched.firstMs = bench::medianMs(kRuns, [&] {
        CardTextCache fresh;
        searched.results = search(corpus, fresh, word, withoutAccents);
    });
    CardTextCache cache;
    search(corpus, cache, word, withoutAccents);
    searched.repeatedMs =
        bench::medianMs(kRuns, [&] { search(corpus, cache, word, withoutAccents); });
    return searched;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

void report(const QString& title, const Searched& searched) {
    bench::print(QStringLiteral("  %1 first %2 ms, repeated %3 ms, %4 results")
                     .arg(title, -34)
                     .arg(searched.firstMs, 7, 'f', 1)
                     .arg(searched.repeatedMs, 6, 'f', 1)
                     .arg(searched.results));
}

} // namespace

BENCHMARK("search: accents on and off, 10,000 cards") {
    bench::CardCorpus corpus = bench::cardCorpus(QStringLiteral("c10k"), 10000, 3);
    bench::print(QStringLiteral("%1 card files, load average %2 (medians of %3)")
                     .arg(corpus.entries.size())
                     .arg(loadAverage())
                     .arg(kRuns));
    {
        CardTextCache warmUp; // the page cache, the library and the allocator
        search(corpus, warmUp, QStringLiteral("zlatokop"), false);
    }
    report(QStringLiteral("\"zlatokop\", accents off:"),
           measure(corpus, QStringLiteral("zlatokop"), false));
    report(QStringLiteral("\"zlatokop\", accents on:"),
           measure(corpus, QStringLiteral("zlatokop"), true));
    report(QStringLiteral("\"Jílového\", accents off:"),
           measure(corpus, QStringLiteral("Jílového"), false));
    report(QStringLiteral("\"jiloveho\", accents on:"),
           measure(corpus, QStringLiteral("jiloveho"), true));
    bench::print(QStringLiteral("  load average now %1").arg(loadAverage()));
}
