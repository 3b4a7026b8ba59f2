#include "bench/Bench.h"
#include "core/CardTextCache.h"
#include "search/SearchHost.h"
#include "search/TFindForm.h"
#include "storage/AppState.h"
#include "widgets/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>

// A quick search over the 100,000 card files of the search benchmark (made by
// its first run), stopped with Esc after half a second: how often the bar
// moved meanwhile and how long the search took to stop after the key.
namespace {

class BenchSearchHost : public SearchHost {
public:
    explicit BenchSearchHost(AppState& state) : state_(state) {
        entries_ =
            QDir(state.CardDir)
                .entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    QStringList cardEntries() const override { return entries_; }
    void selectCardRow(int) override {}
    void openSelectedCard() override {}
    QString programDir() const override { return state_.programDir; }
    QString cardDir() const override { return state_.CardDir; }
    QString libraryPath() const override { return state_.libraryPath(); }
    QString quickSearchText() const override { return box_.text(); }
    void setQuickSearchText(const QString& text) override { box_.setText(text); }
    QWidget& quickSearchField() const override { return box_; }

private:
    AppState& state_;
    QStringList entries_;
    mutable QLineEdit box_;
};

} // namespace

BENCHMARK("search: Esc stops a quick search, 100,000 cards") {
    AppState state;
    state.programDir = QDir::tempPath() + QStringLiteral("/kartoteka-bench-corpus-v1/c100k/");
    state.CardDir = state.programDir + QStringLiteral("FILES/");
    if (!QFile::exists(state.programDir + QStringLiteral("complete"))) {
        bench::print(QStringLiteral("run the benchmark \"search: 100,000 cards\" first"));
        return;
    }
    BenchSearchHost host(state);
    QtPrompts prompts;
    TFindForm form(host, prompts);
    host.quickSearchField().show();

    std::vector<double> stops;
    for (int run = 0; run < 5; ++run) {
        CardTextCache::shared().clear();
        int barMoves = 0;
        const auto moves =
            QObject::connect(form.Progress, &QProgressBar::valueChanged, [&] { ++barMoves; });
        QElapsedTimer sinceEsc;
        QTimer::singleShot(500, [&] {
            sinceEsc.start();
            QCoreApplication::postEvent(
                &host.quickSearchField(),
                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        QElapsedTimer searching;
        searching.start();
        const bool finished = form.SearchCardFiles(QStringLiteral("zlatokop"));
        const double stopMs = sinceEsc.nsecsElapsed() / 1e6;
        QObject::disconnect(moves);
        stops.push_back(stopMs);
        bench::print(QStringLiteral("  run %1: %2 after %3 ms, %4 of %5 cards, bar moved %6 times, "
                                    "stopped %7 ms after Esc")
                         .arg(run + 1)
                         .arg(finished ? QStringLiteral("finished") : QStringLiteral("stopped"))
                         .arg(searching.nsecsElapsed() / 1e6, 0, 'f', 0)
                         .arg(form.Progress->value())
                         .arg(host.cardEntries().size())
                         .arg(barMoves)
                         .arg(stopMs, 0, 'f', 1));
    }
    std::sort(stops.begin(), stops.end());
    bench::print(QStringLiteral("median stop after Esc: %1 ms (target <= 100 ms)")
                     .arg(stops[stops.size() / 2], 0, 'f', 1));
}
