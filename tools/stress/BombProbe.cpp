// Opens or searches one card file as the program does and reports how long it
// took and the peak memory of this process, for bomb_cards.py:
//
//   kartoteka_bombprobe open|search LIBRARY CARD
//
// Prints one line: operation, seconds, peak resident MB, bytes left in the
// working folder afterwards, and "ok" or the error text.

#include "core/CardTextMembers.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/WorkDir.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

qint64 BytesBelow(const QString& dir) {
    qint64 total = 0;
    QDirIterator files(dir, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        total += QFileInfo(files.next()).size();
    return total;
}

double PeakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: %s open|search LIBRARY CARD\n", argv[0]);
        return 2;
    }
    const QString operation = arguments[1];
    const QString library = arguments[2];
    const QString card = arguments[3];
    QTemporaryDir work;
    const QString workDir = work.path() + u'/';
    QString outcome = QStringLiteral("ok");
    QElapsedTimer timer;
    timer.start();
    try {
        if (operation == QStringLiteral("open")) {
            cardarchive::unpackCard(library, card, workDir);
        } else {
            const QString name = QFileInfo(card).fileName();
            textmembers::readCardTextMembers(library, card, cardfile::cardNameOf(name));
        }
    } catch (const AppError& error) {
        outcome = error.text();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%s\t%.3f\t%.1f\t%lld\t%s\n", qPrintable(operation), seconds, PeakMegabytes(),
                static_cast<long long>(BytesBelow(workDir)), outcome.toUtf8().constData());
    workdir::ClearWorkDir(workDir);
    return 0;
}
