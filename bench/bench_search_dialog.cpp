#include "bench/Bench.h"
#include "core/CardSearch.h"
#include "core/CardTextCache.h"
#include "core/SearchSession.h"
#include "mainwindow/Application.h"
#include "mainwindow/TForm1.h"
#include "search/TFindForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

// The search as the user sees it: the real program's main window on a corpus
// of the search benchmark (bench/make_corpus.py), F3 opens the search dialog,
// the word is typed and Return pressed; timed from the key to the line
// "Nalezeno … výsledků." painted. Beside it, in the same run: the engine alone,
// the Python peer (peer_search.py) and a native reader with libzip on two
// threads (native_search.c). Then the repeated search (time, CPU, card files
// opened as the kernel reports them) and the search without accents.
// KARTOTEKA_BENCH_CORPUS names another program directory with FILES;
// KARTOTEKA_BENCH_NO_PYTHON=1 leaves the Python peer out (minutes at 100,000).
namespace {

constexpr int Runs = 5;
const QString Word = QStringLiteral("zlatokop");

QString corpusDir(const QString& name) {
    const QByteArray chosen = qgetenv("KARTOTEKA_BENCH_CORPUS");
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen) + u'/';
    return QDir::tempPath() + QStringLiteral("/kartoteka-bench-corpus-v1/") + name + u'/';
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double cpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

// Card files opened in FILES while it lives, as inotify reports them.
class OpenCounter {
public:
    explicit OpenCounter(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenCounter() { ::close(fd_); }
    QStringList names; // the first few files opened
    int take() {
        int files = 0;
        alignas(inotify_event) char buffer[65536];
        for (ssize_t length; (length = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0) {
                    ++files;
                    names << QFile::decodeName(event->name);
                }
                at += sizeof(inotify_event) + event->len;
            }
        }
        return files;
    }

private:
    int fd_;
};

// Waits until the keyboard is in `widget`'s own window. Window activation
// reaches the program through the event loop, after the window was shown;
// QTest's wait for an active window would not do: it takes a dialog for active
// as soon as its parent window is.
bool waitForKeyboardIn(QWidget& widget) {
    return QTest::qWaitFor(
        [&] { return QGuiApplication::focusWindow() == widget.window()->windowHandle(); });
}

// F3 with an empty quick-search box opens the dialog; in it the word is typed
// and Return pressed. Milliseconds from Return to the result line painted.
double searchThroughDialog(TForm1& window, TFindForm& dialog, bool withoutAccents) {
    // F3 is a shortcut of the main window and acts there only. The user's part
    // is armed only then: armed earlier, the waiting's event loop would run it
    // with the dialog still hidden.
    if (!waitForKeyboardIn(window))
        qFatal("the main window did not get the keyboard back after the dialog");
    double ms = -1;
    QTimer::singleShot(0, &dialog, [&] {
        if (!dialog.isVisible())
            qFatal("F3 did not show the search dialog");
        // The user types once the dialog has the keyboard; typed sooner, the
        // dialog's own activation would still be on its way and arrive after
        // it closed, leaving the keyboard with a hidden window.
        if (!waitForKeyboardIn(dialog))
            qFatal("the search dialog did not get the keyboard");
        dialog.WithoutAccents->setChecked(withoutAccents);
        dialog.Edit1->setFocus(); // the user types the word into the box
        dialog.Edit1->setText(Word);
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&dialog, Qt::Key_Return);
        dialog.Label7->repaint();
        ms = timer.nsecsElapsed() / 1e6;
        if (!dialog.Label7->text().startsWith(QStringLiteral("Nalezeno")))
            qFatal("the search did not end with its result line");
        dialog.reject();
    });
    // With the quick-search box empty F3 opens the dialog (with the last word
    // in it, F3 would open the next result instead) and returns when it closes.
    window.quickSearchBox()->clear();
    QTest::keyClick(window.quickSearchBox(), Qt::Key_F3);
    if (ms < 0)
        qFatal("F3 did not open the search dialog");
    return ms;
}

int engineSearch(AppState& state, const QStringList& entries, CardTextCache& cache,
                 bool withoutAccents = false) {
    struct Counter : SearchListener {
        int results = 0;
        void resultFound(const QString&) override { ++results; }
        void progressed(int) override {}
    } counter;
    SearchSession session;
    SearchOptions options;
    options.withoutAccents = withoutAccents;
    CardSearch(SearchPlace::of(state), session, counter, cache).run(entries, Word, options);
    return counter.results;
}

// A reader's own figure: "results seconds" on its standard output.
double peerMs(const QString& program, const QStringList& arguments, int& results) {
    QProcess peer;
    peer.start(program, arguments);
    peer.waitForFinished(-1);
    const QList<QByteArray> fields = peer.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        qFatal("%s failed", qPrintable(program));
    results = fields[0].toInt();
    return fields[1].toDouble() * 1000.0;
}

void userSees(const QString& title, const QString& programDir) {
    const QString cardDir = programDir + QStringLiteral("FILES/");
    if (!QFile::exists(programDir + QStringLiteral("7z.so"))) {
        bench::print(
            QStringLiteral("no corpus in %1: run \"search: 10,000 cards\" first").arg(programDir));
        return;
    }
    Application application(programDir, nullptr, [](int) {});
    if (!application.start())
        qFatal("the program did not start on %s", qPrintable(programDir));
    TForm1& window = *application.form1();
    TFindForm& dialog = *window.findChild<TFindForm*>(QString(), Qt::FindDirectChildrenOnly);
    window.show();
    window.activateWindow();
    AppState& state = application.state();
    const QStringList entries = QDir(cardDir).entryList({QStringLiteral("*.krt")}, QDir::Files,
                                                        QDir::Name | QDir::IgnoreCase);
    bench::print(QStringLiteral("%1: %2 card files, load average %3")
                     .arg(title)
                     .arg(entries.size())
                     .arg(loadAverage()));

    CardTextCache::shared().clear();
    searchThroughDialog(window, dialog, false); // the page cache and the allocator
    std::vector<double> dialogMs, engineMs, pythonMs, nativeMs;
    int engineResults = 0, pythonResults = 0, nativeResults = 0;
    for (int run = 0; run < Runs; ++run) {
        CardTextCache::shared().clear();
        dialogMs.push_back(searchThroughDialog(window, dialog, false));
        CardTextCache fresh;
        engineMs.push_back(
            bench::medianMs(1, [&] { engineResults = engineSearch(state, entries, fresh); }));
        if (qEnvironmentVariableIsEmpty("KARTOTEKA_BENCH_NO_PYTHON"))
            pythonMs.push_back(
                peerMs(QStringLiteral("python3"),
                       {QStringLiteral(KARTOTEKA_BENCH_DIR "/peer_search.py"), cardDir, Word},
                       pythonResults));
#ifdef KARTOTEKA_NATIVE_SEARCH
        nativeMs.push_back(
            peerMs(QStringLiteral(KARTOTEKA_NATIVE_SEARCH), {cardDir, Word}, nativeResults));
#endif
    }
    const int dialogResults = dialog.lBox->count();
    bench::print(QStringLiteral("  F3 dialog, Return to result line: %1 ms, %2 results")
                     .arg(median(dialogMs), 0, 'f', 1)
                     .arg(dialogResults));
    bench::print(QStringLiteral("  engine alone:                    %1 ms, %2 results")
                     .arg(median(engineMs), 0, 'f', 1)
                     .arg(engineResults));
    if (!pythonMs.empty())
        bench::print(
            QStringLiteral("  Python peer:                     %1 ms, %2 results (ratio %3)")
                .arg(median(pythonMs), 0, 'f', 1)
                .arg(pythonResults)
                .arg(median(pythonMs) / median(dialogMs), 0, 'f', 2));
    if (!nativeMs.empty())
        bench::print(QStringLiteral("  libzip reader on two threads:    %1 ms, %2 results")
                         .arg(median(nativeMs), 0, 'f', 1)
                         .arg(nativeResults));

    // The cache now holds every card: a repeated search.
    OpenCounter opened(cardDir);
    std::vector<double> repeatMs, repeatCpu;
    for (int run = 0; run < Runs; ++run) {
        const double cpuBefore = cpuMs();
        repeatMs.push_back(searchThroughDialog(window, dialog, false));
        repeatCpu.push_back(cpuMs() - cpuBefore);
    }
    bench::print(QStringLiteral("  repeated: %1 ms, %2 ms of CPU, %3 card files opened in %4 "
                                "searches; cache %5 MiB")
                     .arg(median(repeatMs), 0, 'f', 1)
                     .arg(median(repeatCpu), 0, 'f', 1)
                     .arg(opened.take())
                     .arg(Runs)
                     .arg(CardTextCache::shared().bytes() / 1048576.0, 0, 'f', 1));
    if (!opened.names.isEmpty())
        bench::print(QStringLiteral("  opened: %1").arg(opened.names.mid(0, 5).join(u", ")));

    std::vector<double> accentsOn, accentsOff;
    for (int run = 0; run < Runs; ++run) {
        CardTextCache::shared().clear();
        accentsOn.push_back(searchThroughDialog(window, dialog, true));
        CardTextCache::shared().clear();
        accentsOff.push_back(searchThroughDialog(window, dialog, false));
    }
    bench::print(QStringLiteral("  first search without accents: %1 ms; with accents: %2 ms")
                     .arg(median(accentsOn), 0, 'f', 1)
                     .arg(median(accentsOff), 0, 'f', 1));
    dialog.WithoutAccents->setChecked(false);
    bench::print(
        QStringLiteral("  (medians of %1; load average now %2)").arg(Runs).arg(loadAverage()));
}

} // namespace

BENCHMARK("search dialog: 10,000 cards") {
    userSees(QStringLiteral("10,000 cards, a picture in every third"),
             corpusDir(QStringLiteral("c10k")));
}

BENCHMARK("search dialog: 100,000 cards") {
    userSees(QStringLiteral("100,000 cards without pictures"), corpusDir(QStringLiteral("c100k")));
}
