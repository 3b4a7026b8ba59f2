#include "bench/BenchCorpus.h"

#include "bench/Bench.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace bench {

CardCorpus cardCorpus(const QString& name, int cards, int pictureEvery) {
    CardCorpus corpus;
    AppState& state = corpus.state;
    // The folder the content search's benchmark uses too.
    state.programDir =
        QDir::tempPath() + QStringLiteral("/kartoteka-bench-corpus-v1/") + name + u'/';
    state.CardDir = state.programDir + QStringLiteral("FILES/");
    state.WorkDir = state.programDir + QStringLiteral("TEMP/");
    const QString done = state.programDir + QStringLiteral("complete");
    if (!QFile::exists(done)) {
        QDir(state.programDir).removeRecursively();
        QDir().mkpath(state.WorkDir);
        QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), state.libraryPath());
        QElapsedTimer timer;
        timer.start();
        const int exitCode =
            QProcess::execute(QStringLiteral("python3"),
                              {QStringLiteral(KARTOTEKA_BENCH_DIR "/make_corpus.py"), state.CardDir,
                               QString::number(cards), QString::number(pictureEvery)});
        if (exitCode != 0)
            qFatal("make_corpus.py failed");
        QFile(done).open(QIODevice::WriteOnly);
        print(QStringLiteral("made %1 card files in %2 s in %3")
                  .arg(cards)
                  .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
                  .arg(state.CardDir));
    }
    corpus.entries =
        QDir(state.CardDir)
            .entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    return corpus;
}

} // namespace bench
