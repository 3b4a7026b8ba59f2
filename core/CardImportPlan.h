#pragma once

#include "core/CsvReader.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// What becomes of each card a CSV file describes, before anything is written.
//
// Two forms are read. A table with a header row: one card per data row, one
// column naming the card, a column headed "Poznámky" giving its notes, every
// other header cell a key whose cell on the row is the value (an empty cell
// gives no row). The overview's export (first column "Karta") is of this form.
// And the program's own "Exportovat do CSV…": the header "Karta", key title,
// value title, "Poznámky", then one line per table row, the lines of one card
// under one name, the notes on its first line.
enum class ImportFate {
    NewCard,
    NameExists,      // a card of that name is in the folder (letter case ignored)
    InvalidName,     // the name may not be a card name
    Unencodable,     // a text holds characters code page 1250 cannot store
    DuplicateInFile, // an earlier card of the file has that name
};

struct ImportedCard {
    int row = 0; // the first line of the card in the file, counted as a spreadsheet does (header 1)
    QString name;
    QStringList table; // "key=value" lines
    QString notes;
    ImportFate fate = ImportFate::NewCard;
    QString detail; // the name rule's message, or the characters code page 1250 lacks
};

struct CardImportPlan {
    bool tableExport = false; // the form of "Exportovat do CSV…"
    int namingColumn = 0;
    int notesColumn = -1;
    QList<ImportedCard> cards;

    int newCards() const;
};

namespace cardimport {

// The header of the program's table export, whatever the settings call its
// key and value columns.
bool isTableExport(const QStringList& header);

// The column whose header is "Poznámky" (letter case and blanks aside), or -1.
int notesColumnOf(const QStringList& header);

// The card names already in cardDir (card files, letter case ignored), lower case.
QSet<QString> existingCardNames(const QString& cardDir);

// Plans the cards of csv; existing holds the lower-case names already taken.
// namingColumn is used only for the table form's of a header row.
CardImportPlan plan(const CsvTable& csv, int namingColumn, const QSet<QString>& existing);

// Why a card is left out, in a few words; empty for a new card.
QString skipReason(const ImportedCard& card);
// The fate of a card for the preview: "nová karta" or "vynecháno: " and the reason.
QString fateText(const ImportedCard& card);

} // namespace cardimport
