#include "bench/Bench.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"

// A content search decodes the table and notes members of every card; this is
// the decoding part for 20,000 cards of typical size.
BENCHMARK("decode 20000 cards") {
    QByteArray table;
    for (int i = 0; i < 12; ++i)
        table += "Polo\x9eka=Hodnota \xf8\xe1\x64ku \xe8\xedslo " + QByteArray::number(i) + "\r\n";
    const QByteArray notes =
        QByteArray("\xc8\x65sk\xe9 pozn\xe1mky ke kart\xec, n\xeckolik \xf8\xe1\x64k\xf9.\r\n")
            .repeated(6);
    qsizetype characters = 0;
    const double ms = bench::medianMs(5, [&] {
        for (int card = 0; card < 20000; ++card)
            characters += tablefile::parseTable(table).size() + notesfile::parseNotes(notes).size();
    });
    bench::print(QStringLiteral("%1 + %2 bytes per card: %3 ms median for 20000 cards (%4)")
                     .arg(table.size())
                     .arg(notes.size())
                     .arg(ms, 0, 'f', 1)
                     .arg(characters > 0 ? "ok" : "empty"));
}
