#include "core/CardTableCsv.h"

#include "core/CardTextMembers.h"
#include "core/CsvRecord.h"
#include "storage/CardFileNames.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"

#include <exception>

namespace {

QString headerRecord(const QStringList& titleCaptions) {
    return csvrecord::csvRecord(
        {QStringLiteral("Karta"), titleCaptions.value(0, QStringLiteral("Předmět")),
         titleCaptions.value(1, QStringLiteral("Hodnota")), QStringLiteral("Poznámky")});
}

// The key is the text before the first "="; a row without one is a key alone.
QStringList keyAndValue(const QString& row) {
    const qsizetype separator = row.indexOf(u'=');
    if (separator < 0)
        return {row, QString()};
    return {row.left(separator), row.mid(separator + 1)};
}

QString cardRecords(const QString& cardName, const QStringList& rows, const QString& notes) {
    if (rows.isEmpty())
        return csvrecord::csvRecord({cardName, QString(), QString(), notes});
    QString records;
    for (qsizetype i = 0; i < rows.size(); ++i)
        records += csvrecord::csvRecord(QStringList{cardName} + keyAndValue(rows.at(i)) +
                                        QStringList{i == 0 ? notes : QString()});
    return records;
}

} // namespace

QByteArray CardTableCsv::bytes() const {
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

namespace tablecsv {

CardTableCsv exportCardTables(const QString& libraryPath, const QString& cardDir,
                              const QStringList& entries, const QStringList& titleCaptions,
                              const std::function<bool(int done)>& goOn) {
    CardTableCsv csv;
    csv.text = headerRecord(titleCaptions);
    for (qsizetype done = 0; done < entries.size(); ++done) {
        if (goOn && !goOn(int(done))) {
            csv.stopped = true;
            return csv;
        }
        const QString& entry = entries.at(done);
        const QString cardName = cardfile::cardNameOf(entry);
        try {
            const CardTextMembers members =
                textmembers::readCardTextMembers(libraryPath, cardDir + entry, cardName);
            csv.text += cardRecords(cardName, tablefile::parseTable(members.table),
                                    notesfile::parseNotes(members.notes));
        } catch (const std::exception&) {
            csv.unreadable << entry;
        }
    }
    return csv;
}

} // namespace tablecsv
