#include "bench/Bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace bench {

std::vector<Entry>& registry() {
    static std::vector<Entry> entries;
    return entries;
}

double medianMs(int repeats, const std::function<void()>& fn) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void print(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace bench

// Runs every benchmark, or only those named on the command line.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);
    for (const auto& entry : bench::registry()) {
        if (wanted.isEmpty() || wanted.contains(QString::fromLatin1(entry.name))) {
            bench::print(QStringLiteral("== %1").arg(QString::fromLatin1(entry.name)));
            entry.run();
        }
    }
    return 0;
}
