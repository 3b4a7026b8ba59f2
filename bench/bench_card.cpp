#include "bench/Bench.h"
#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <vector>

// Opening and saving one card as the main window does: a 320 x 240 24-bit
// picture and 50 table rows.
namespace {

struct CardFixture {
    QTemporaryDir programDir;
    QString library, cardDir, workDir, name = QStringLiteral("Karta");
    QStringList rows;
    QString notes;

    CardFixture() {
        library = programDir.filePath(QStringLiteral("7z.so"));
        cardDir = programDir.filePath(QStringLiteral("FILES/"));
        workDir = programDir.filePath(QStringLiteral("TEMP/"));
        QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), library);
        QDir().mkpath(cardDir);
        QDir().mkpath(workDir);
        for (int i = 0; i < 50; ++i)
            rows << QStringLiteral("Položka %1=Hodnota řádku číslo %1").arg(i);
        for (int i = 0; i < 20; ++i)
            notes += QStringLiteral("Poznámka, řádek %1 s nějakým delším textem.\n").arg(i);
        writePicture();
    }
    QString cardPath() const { return cardDir + name + QStringLiteral(".krt"); }
    QString member(const QString& suffix) const { return workDir + name + suffix; }

    // A photograph-like picture: smooth colours with noise, which compresses
    // about as badly as a real one.
    void writePicture() const {
        QImage picture(320, 240, QImage::Format_RGB888);
        auto* random = QRandomGenerator::global();
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                picture.setPixel(x, y,
                                 qRgb((x + random->bounded(24)) % 256,
                                      (y + random->bounded(24)) % 256,
                                      (x + y + random->bounded(24)) % 256));
        picture.save(member(QStringLiteral("1.bmp")), "BMP");
    }

    void save(CardWriter& writer) const {
        SaveTable(member(QStringLiteral(".tbl")), rows);
        SaveNotes(member(QStringLiteral(".txt")), notes);
        writer.PackCard(library, workDir, name, cardPath());
    }
    void open() const {
        ClearWorkDir(workDir);
        UnpackCard(library, cardPath(), workDir);
        const QStringList table = LoadTable(member(QStringLiteral(".tbl")));
        const QString text = LoadNotes(member(QStringLiteral(".txt")));
        const QImage picture(member(QStringLiteral("1.bmp")));
        if (table.size() != 50 || text.isEmpty() || picture.size() != QSize(320, 240))
            qFatal("the card did not load back");
    }
};

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

} // namespace

BENCHMARK("card open and save") {
    CardFixture card;
    CardWriter writer;
    card.save(writer);
    const double save = bench::medianMs(30, [&] { card.save(writer); });
    const double saveCpu = medianCpuMs(30, [&] { card.save(writer); });
    const double open = bench::medianMs(50, [&] { card.open(); });
    const double openCpu = medianCpuMs(50, [&] { card.open(); });
    bench::print(QStringLiteral("card file: %1 bytes").arg(QFileInfo(card.cardPath()).size()));
    bench::print(QStringLiteral("open (clear, unpack, table, notes, picture): %1 ms median, "
                                "%2 ms processor time")
                     .arg(open, 0, 'f', 2)
                     .arg(openCpu, 0, 'f', 2));
    bench::print(QStringLiteral("save (table, notes, pack): %1 ms median, %2 ms processor time")
                     .arg(save, 0, 'f', 2)
                     .arg(saveCpu, 0, 'f', 2));
}
