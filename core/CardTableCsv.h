#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The tables of card files as one table of comma-separated values for a
// spreadsheet: a header line, then one line per table row with the card name,
// the key and the value, and the card's notes in a fourth column on the
// card's first line. A card without rows still has that first line.
struct CardTableCsv {
    QString text;           // the records, each ended by CR LF
    QStringList unreadable; // card list entries whose card file could not be read
    bool stopped = false;   // the export was stopped before the last card

    // The text in UTF-8 with a byte-order mark, which spreadsheets take as UTF-8.
    QByteArray bytes() const;
};

namespace tablecsv {

// Reads the table and notes members of every entry of the card list (card file
// names in cardDir) through the archive library at libraryPath, in list order,
// without touching the working directory. The header takes the first two of
// titleCaptions for the key and value columns ("Předmět" and "Hodnota" when
// the settings give fewer). A card file that cannot be read is left out and
// named in unreadable; nothing else ends the export early. goOn is told how
// many entries are done before each one and stops the export by returning false.
CardTableCsv exportCardTables(const QString& libraryPath, const QString& cardDir,
                              const QStringList& entries, const QStringList& titleCaptions,
                              const std::function<bool(int done)>& goOn = {});

} // namespace tablecsv
