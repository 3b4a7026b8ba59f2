#include "core/CardImportPlan.h"

#include "core/CardNameRules.h"
#include "core/CsvCell.h"
#include "storage/CardFileNames.h"
#include "storage/Cp1250.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace cardimport {

namespace {

constexpr int kHeaderRows = 1;
constexpr int kLongestName = 200;

QString cell(const QStringList& row, qsizetype column) {
    return csvcell::restored(row.value(column));
}

// The spreadsheet's row number of data row index (the header is row 1).
int rowNumber(qsizetype index) {
    return int(index) + kHeaderRows + 1;
}

ImportedCard cardFromRow(const QStringList& header, const QStringList& row, int namingColumn,
                         int notesColumn) {
    ImportedCard card;
    card.name = cell(row, namingColumn);
    for (qsizetype column = 0; column < header.size(); ++column) {
        if (column == namingColumn)
            continue;
        const QString value = cell(row, column);
        if (column == notesColumn)
            card.notes = value;
        else if (!value.isEmpty())
            card.table << csvcell::restored(header.at(column)) + u'=' + value;
    }
    return card;
}

QList<ImportedCard> cardsPerRow(const CsvTable& csv, int namingColumn, int notesColumn) {
    QList<ImportedCard> cards;
    cards.reserve(csv.rows.size());
    for (qsizetype i = 0; i < csv.rows.size(); ++i) {
        ImportedCard card = cardFromRow(csv.header, csv.rows.at(i), namingColumn, notesColumn);
        card.row = rowNumber(i);
        cards << card;
    }
    return cards;
}

// The export writes a card without rows as one line with an empty key and
// value, and a row "key=value" with its key and value apart.
void addTableLine(ImportedCard& card, const QStringList& row, bool firstLine) {
    const QString key = cell(row, 1);
    const QString value = cell(row, 2);
    if (firstLine)
        card.notes = cell(row, 3);
    if (!key.isEmpty() || !value.isEmpty() || !firstLine)
        card.table << key + u'=' + value;
}

// The lines of one name make one card, in the order the names first come.
QList<ImportedCard> cardsPerName(const CsvTable& csv) {
    QList<ImportedCard> cards;
    QHash<QString, qsizetype> cardOfName;
    for (qsizetype i = 0; i < csv.rows.size(); ++i) {
        const QStringList& row = csv.rows.at(i);
        const QString name = cell(row, 0);
        const auto found = cardOfName.constFind(name);
        if (found != cardOfName.cend()) {
            addTableLine(cards[*found], row, false);
            continue;
        }
        ImportedCard card;
        card.row = rowNumber(i);
        card.name = name;
        addTableLine(card, row, true);
        cardOfName.insert(name, cards.size());
        cards << card;
    }
    return cards;
}

QString unencodableIn(const ImportedCard& card) {
    return cp1250::unencodable(card.name + card.table.join(QString()) + card.notes);
}

// The card file and its temporary name beside it must fit the file system's
// 255 bytes a name.
QString nameProblem(const QString& name) {
    if (QFile::encodeName(name).size() > kLongestName)
        return QStringLiteral("Název je příliš dlouhý.");
    return cardnames::nameProblem(name);
}

void decideFate(ImportedCard& card, const QSet<QString>& existing, QSet<QString>& planned) {
    const QString key = card.name.toLower();
    if (const QString problem = nameProblem(card.name); !problem.isEmpty()) {
        card.fate = ImportFate::InvalidName;
        card.detail = problem;
    } else if (const QString refused = unencodableIn(card); !refused.isEmpty()) {
        card.fate = ImportFate::Unencodable;
        card.detail = refused;
    } else if (existing.contains(key)) {
        card.fate = ImportFate::NameExists;
    } else if (planned.contains(key)) {
        card.fate = ImportFate::DuplicateInFile;
    } else {
        card.fate = ImportFate::NewCard;
        planned.insert(key);
    }
}

QString separatedCharacters(const QString& characters) {
    QStringList shown;
    for (const QChar c : characters)
        shown << QStringLiteral("\"%1\" (U+%2)").arg(c).arg(c.unicode(), 4, 16, QChar(u'0'));
    return shown.join(QStringLiteral(", "));
}

} // namespace

bool isTableExport(const QStringList& header) {
    return header.size() == 4 && header.at(0) == u"Karta" && header.at(3) == u"Poznámky";
}

int notesColumnOf(const QStringList& header) {
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (header.at(i).trimmed().compare(u"Poznámky", Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QSet<QString> existingCardNames(const QString& cardDir) {
    QSet<QString> names;
    const QStringList files =
        QDir(cardDir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& file : files) {
        if (file.endsWith(cardfile::extension(), Qt::CaseInsensitive))
            names.insert(cardfile::cardNameOf(file).toLower());
    }
    return names;
}

CardImportPlan plan(const CsvTable& csv, int namingColumn, const QSet<QString>& existing) {
    CardImportPlan result;
    result.tableExport = isTableExport(csv.header);
    if (result.tableExport) {
        result.notesColumn = 3;
        result.cards = cardsPerName(csv);
    } else {
        result.namingColumn =
            std::clamp(namingColumn, 0, int(std::max<qsizetype>(csv.header.size(), 1)) - 1);
        result.notesColumn = notesColumnOf(csv.header);
        if (result.notesColumn == result.namingColumn)
            result.notesColumn = -1;
        result.cards = cardsPerRow(csv, result.namingColumn, result.notesColumn);
    }
    QSet<QString> planned;
    for (ImportedCard& card : result.cards)
        decideFate(card, existing, planned);
    return result;
}

QString skipReason(const ImportedCard& card) {
    switch (card.fate) {
    case ImportFate::NewCard:
        break;
    case ImportFate::NameExists:
        return QStringLiteral("karta \"%1\" již existuje").arg(card.name);
    case ImportFate::InvalidName:
        return QStringLiteral("neplatný název \"%1\": %2").arg(card.name, card.detail.trimmed());
    case ImportFate::Unencodable:
        return QStringLiteral("znaky, které karta neuloží: %1")
            .arg(separatedCharacters(card.detail));
    case ImportFate::DuplicateInFile:
        return QStringLiteral("název \"%1\" je v souboru už výše").arg(card.name);
    }
    return {};
}

QString fateText(const ImportedCard& card) {
    if (card.fate == ImportFate::NewCard)
        return QStringLiteral("nová karta");
    return QStringLiteral("vynecháno: ") + skipReason(card);
}

} // namespace cardimport

int CardImportPlan::newCards() const {
    return int(std::count_if(cards.cbegin(), cards.cend(), [](const ImportedCard& card) {
        return card.fate == ImportFate::NewCard;
    }));
}
