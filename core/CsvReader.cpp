#include "core/CsvReader.h"

#include "storage/AppError.h"
#include "storage/Cp1250.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace csvreader {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
constexpr std::array<QChar, 3> kSeparators{u';', u',', u'\t'};
// Lines looked at to tell the separator: enough for a header and a few rows.
constexpr int kSampleLines = 20;

bool decodesAsUtf8(const QByteArray& bytes, QString& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

// How many times each candidate separator stands outside quotes on each of the
// first lines of the text.
QList<std::array<int, 3>> separatorCounts(const QString& text) {
    QList<std::array<int, 3>> lines;
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'\n' || c == u'\r')) {
            if (counts != std::array<int, 3>{})
                lines << counts;
            counts = {};
            if (lines.size() == kSampleLines)
                return lines;
        } else if (!quoted) {
            for (size_t i = 0; i < kSeparators.size(); ++i)
                counts[i] += c == kSeparators[i] ? 1 : 0;
        }
    }
    if (counts != std::array<int, 3>{})
        lines << counts;
    return lines;
}

// A separator scores by the lines on which it stands as often as on the first
// one; one that is missing from the first line does not count.
int separatorScore(const QList<std::array<int, 3>>& lines, size_t candidate) {
    if (lines.isEmpty() || lines.first()[candidate] == 0)
        return 0;
    const int expected = lines.first()[candidate];
    return int(std::count_if(lines.cbegin(), lines.cend(), [&](const std::array<int, 3>& line) {
        return line[candidate] == expected;
    }));
}

class RecordParser {
public:
    RecordParser(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    QList<QStringList> records() {
        while (position_ < text_.size())
            readRecord();
        return records_;
    }

private:
    void readRecord() {
        QStringList fields;
        for (;;) {
            fields << readField();
            if (position_ >= text_.size() || text_.at(position_) != separator_)
                break;
            ++position_; // the separator
        }
        skipLineBreak();
        const bool empty = fields.size() == 1 && fields.first().isEmpty();
        if (!empty)
            records_ << fields;
    }

    QString readField() {
        if (position_ < text_.size() && text_.at(position_) == u'"')
            return readQuotedField();
        const qsizetype start = position_;
        while (position_ < text_.size() && !endsField(text_.at(position_)))
            ++position_;
        return text_.mid(start, position_ - start);
    }

    // A quoted field runs to the quote not doubled; whatever follows that
    // quote up to the next separator is kept, as spreadsheets do.
    QString readQuotedField() {
        QString field;
        ++position_;
        while (position_ < text_.size()) {
            const QChar c = text_.at(position_++);
            if (c != u'"') {
                field += c;
            } else if (position_ < text_.size() && text_.at(position_) == u'"') {
                field += u'"';
                ++position_;
            } else {
                break;
            }
        }
        while (position_ < text_.size() && !endsField(text_.at(position_)))
            field += text_.at(position_++);
        return field;
    }

    bool endsField(QChar c) const { return c == separator_ || c == u'\r' || c == u'\n'; }

    void skipLineBreak() {
        if (position_ < text_.size() && text_.at(position_) == u'\r')
            ++position_;
        if (position_ < text_.size() && text_.at(position_) == u'\n')
            ++position_;
    }

    const QString& text_;
    const QChar separator_;
    qsizetype position_ = 0;
    QList<QStringList> records_;
};

} // namespace

QString decode(const QByteArray& bytes, Encoding* found) {
    Encoding encoding = Encoding::Utf8;
    QString text;
    if (bytes.startsWith(kUtf8Bom) && decodesAsUtf8(bytes.mid(kUtf8Bom.size()), text)) {
        encoding = Encoding::Utf8WithBom;
    } else if (!decodesAsUtf8(bytes, text)) {
        text = cp1250::decode(bytes);
        encoding = Encoding::Cp1250;
    }
    if (found)
        *found = encoding;
    return text;
}

QChar detectSeparator(const QString& text) {
    const QList<std::array<int, 3>> lines = separatorCounts(text);
    QChar best = u',';
    int bestScore = 0;
    for (size_t i = 0; i < kSeparators.size(); ++i) {
        const int score = separatorScore(lines, i);
        if (score > bestScore) {
            best = kSeparators[i];
            bestScore = score;
        }
    }
    return best;
}

QList<QStringList> parse(const QString& text, QChar separator) {
    return RecordParser(text, separator).records();
}

QString encodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf8WithBom:
        return QStringLiteral("UTF-8 se značkou BOM");
    case Encoding::Cp1250:
        return QStringLiteral("Windows-1250");
    }
    return {};
}

QString separatorName(QChar separator) {
    if (separator == u'\t')
        return QStringLiteral("tabulátor");
    if (separator == u';')
        return QStringLiteral("středník");
    return QStringLiteral("čárka");
}

CsvTable readCsvBytes(const QByteArray& bytes) {
    CsvTable table;
    const QString text = csvreader::decode(bytes, &table.encoding);
    table.separator = csvreader::detectSeparator(text);
    QList<QStringList> records = csvreader::parse(text, table.separator);
    if (!records.isEmpty())
        table.header = records.takeFirst();
    table.rows = std::move(records);
    return table;
}

CsvTable readCsvFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Soubor \"%1\" nelze přečíst: %2").arg(path, file.errorString()));
    const CsvTable table = csvreader::readCsvBytes(file.readAll());
    if (table.header.isEmpty())
        throw AppError(QStringLiteral("Soubor \"%1\" neobsahuje žádné hodnoty CSV.").arg(path));
    return table;
}

} // namespace csvreader
