#include "storage/CardVersionName.h"

#include "storage/CardFileNames.h"

namespace cardversionname {
namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// The value of a run of decimal digits; -1 when it is empty or holds anything else.
int number(QStringView digits) {
    if (digits.isEmpty())
        return -1;
    int value = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return -1;
        value = value * 10 + (digit.unicode() - u'0');
    }
    return value;
}

} // namespace

bool Stamp::newerThan(const Stamp& other) const {
    if (savedUtc != other.savedUtc)
        return savedUtc > other.savedUtc;
    return sequence > other.sequence;
}

QString make(const QDateTime& savedUtc, int sequence) {
    QString name = savedUtc.toUTC().toString(kTimeFormat);
    if (sequence > 0)
        name += u'-' + QString::number(sequence);
    return name + cardfile::extension();
}

// Read digit by digit: the save lists a card's history every time, and a
// pattern or date format parsed a hundred times would cost it a millisecond.
std::optional<Stamp> parse(const QString& fileName) {
    const QString extension = cardfile::extension();
    if (!fileName.endsWith(extension))
        return std::nullopt;
    const QStringView body = QStringView(fileName).chopped(extension.size());
    constexpr qsizetype kStampLength = 19; // yyyyMMdd-HHmmss-zzz
    if (body.size() < kStampLength || body[8] != u'-' || body[15] != u'-')
        return std::nullopt;
    const int year = number(body.mid(0, 4));
    const QDate date(year, number(body.mid(4, 2)), number(body.mid(6, 2)));
    const QTime time(number(body.mid(9, 2)), number(body.mid(11, 2)), number(body.mid(13, 2)),
                     number(body.mid(16, 3)));
    if (year < 0 || !date.isValid() || !time.isValid())
        return std::nullopt;
    int sequence = 0;
    if (body.size() > kStampLength) {
        const QStringView counter = body.mid(kStampLength + 1);
        if (body[kStampLength] != u'-' || counter.size() > 9 || counter.startsWith(u'0'))
            return std::nullopt;
        sequence = number(counter);
        if (sequence <= 0)
            return std::nullopt;
    }
    return Stamp{QDateTime(date, time, Qt::UTC), sequence};
}

} // namespace cardversionname
