#include "bench/Bench.h"
#include "core/CardSearch.h"
#include "core/CardTextMembers.h"
#include "core/TextMatcher.h"
#include "storage/AppState.h"
#include "storage/CardFileNames.h"
#include "storage/Cp1250.h"
#include "storage/FileBytes.h"
#include "storage/TextLines.h"
#include "storage/sevenzip/SevenZip.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

// A content search over 10,000 card files (about 20 table rows and a paragraph
// of notes each, a 320 x 240 picture in every third, the searched word in 1% of
// them), against the plain way of unpacking every card file completely into a
// folder and reading its two text members from there.
namespace {

constexpr int kCards = 10000;
const QString kWord = QStringLiteral("zlatokop");

QString benchDir() {
    return QDir::tempPath() + QStringLiteral("/kartoteka-bench-search-v1/");
}

QByteArray pictureBytes() {
    QImage image(320, 240, QImage::Format_RGB888);
    QRandomGenerator noise(7);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int jitter = noise.bounded(24);
            image.setPixel(x, y,
                           qRgb((x * 255 / 320 + jitter) % 256, (y * 255 / 240 + jitter) % 256,
                                (x + y + jitter) % 256));
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return buffer.data();
}

QByteArray tableBytes(int card) {
    QStringList lines;
    const QStringList keys = {"Jméno",  "Příjmení", "Obec",     "Ulice",    "Telefon",
                              "E-mail", "Narozen",  "Povolání", "Poznámka", "Kategorie"};
    for (int row = 0; row < 20; ++row)
        lines << QStringLiteral("%1 %2=hodnota řádku %3 karty %4")
                     .arg(keys[row % keys.size()])
                     .arg(row / keys.size() + 1)
                     .arg(row)
                     .arg(card);
    return textlines::toBytes(lines);
}

QByteArray notesBytes(int card) {
    QString notes =
        QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy, zatímco pes běžel přes pole k řece.\r\n"
                       "Karta číslo %1 popisuje osobu, její adresu, zaměstnání a další údaje, "
                       "které se mohou hodit při hledání v kartotéce.\r\n"
                       "Poslední změna proběhla na jaře; údaje ověřeny telefonicky.")
            .arg(card);
    if (card % 100 == 42)
        notes += QStringLiteral("\r\nByl to vášnivý Zlatokop z Jílového.");
    return cp1250::encode(notes);
}

// Writes the card files once; later runs reuse them.
AppState prepareCards() {
    AppState state;
    state.programDir = benchDir();
    state.CardDir = state.programDir + QStringLiteral("FILES/");
    state.WorkDir = state.programDir + QStringLiteral("TEMP/");
    const QString done = state.programDir + QStringLiteral("complete");
    if (QFile::exists(done))
        return state;

    QDir(state.programDir).removeRecursively();
    QDir().mkpath(state.CardDir);
    QDir().mkpath(state.WorkDir);
    QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), state.libraryPath());
    const QString staging = state.programDir + QStringLiteral("staging/");
    QDir().mkpath(staging);
    const QByteArray picture = pictureBytes();
    QElapsedTimer timer;
    timer.start();
    for (int card = 0; card < kCards; ++card) {
        const QString name = QStringLiteral("Karta %1").arg(card, 5, 10, QLatin1Char('0'));
        QDir(staging).removeRecursively();
        QDir().mkpath(staging);
        filebytes::write(staging + name + ".tbl", tableBytes(card));
        filebytes::write(staging + name + ".txt", notesBytes(card));
        T7zOutArchivePtr writer = MakeOutArchive(state.libraryPath(), ZipFormatId);
        writer->QueueFile(staging + name + ".tbl", name + ".tbl");
        writer->QueueFile(staging + name + ".txt", name + ".txt");
        if (card % 3 == 0) {
            filebytes::write(staging + name + "1.bmp", picture);
            writer->QueueFile(staging + name + "1.bmp", name + "1.bmp");
        }
        SetArchiveLevel(*writer, 2);
        writer->WriteArchive(state.CardDir + name + ".krt");
    }
    QDir(staging).removeRecursively();
    filebytes::write(done, QByteArray());
    bench::print(QStringLiteral("generated %1 card files in %2 s into %3")
                     .arg(kCards)
                     .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
                     .arg(state.CardDir));
    return state;
}

QStringList cardEntries(const AppState& state) {
    return QDir(state.CardDir)
        .entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

class CountingListener : public SearchListener {
public:
    int results = 0;
    void resultFound(const QString&) override { ++results; }
    void progressed(int) override {}
};

// The plain way: every card file unpacked whole into one folder, then its two
// text members read from there.
int plainSearch(const AppState& state, const QStringList& entries, const QString& text) {
    const QString folder = state.programDir + QStringLiteral("plain/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const TextMatcher matcher(text, false);
    int count = 0;
    for (const QString& entry : entries) {
        T7zInArchivePtr reader = MakeInArchive(state.libraryPath(), ZipFormatId);
        reader->OpenArchive(state.CardDir + entry);
        reader->ExtractAllTo(folder);
        const QString name = cardfile::cardNameOf(entry);
        for (const QString& member : {cardfile::notesMember(name), cardfile::tableMember(name)}) {
            const QString path = folder + member;
            if (!QFile::exists(path))
                continue;
            for (const QString& line : textlines::fromBytes(filebytes::read(path)))
                count += matcher.matches(line) ? 1 : 0;
        }
    }
    QDir(folder).removeRecursively();
    return count;
}

} // namespace

BENCHMARK("search") {
    AppState state = prepareCards();
    const QStringList entries = cardEntries(state);

    CountingListener listener;
    const auto memorySearch = [&] {
        listener.results = 0;
        CardSearch(state, listener).run(entries, kWord, SearchOptions());
    };
    memorySearch(); // warms the page cache for both approaches
    const double memoryMs = bench::medianMs(5, memorySearch);
    bench::print(QStringLiteral("content search over %1 card files (members read into memory): "
                                "%2 ms, %3 results")
                     .arg(entries.size())
                     .arg(memoryMs, 0, 'f', 0)
                     .arg(listener.results));

    int plainResults = 0;
    const double plainMs =
        bench::medianMs(1, [&] { plainResults = plainSearch(state, entries, kWord); });
    bench::print(QStringLiteral("plain approach (every card file unpacked into a folder): "
                                "%1 ms, %2 results")
                     .arg(plainMs, 0, 'f', 0)
                     .arg(plainResults));
    bench::print(QStringLiteral("ratio plain / memory: %1").arg(plainMs / memoryMs, 0, 'f', 1));
}
