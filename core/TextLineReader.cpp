#include "core/TextLineReader.h"

#include "storage/AppError.h"

namespace {

bool isBlank(QChar ch) {
    return ch.unicode() >= 1 && ch.unicode() <= 32;
}

bool parseInteger(QString text, qint32& value) {
    while (!text.isEmpty() && text.front() == u' ')
        text.remove(0, 1);
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, 10);
    const bool digitsOnly = !text.isEmpty() && !text.contains(u' ') && text.back().isDigit();
    if (!ok || !digitsOnly || number < INT32_MIN || number > INT32_MAX)
        return false;
    value = qint32(number);
    return true;
}

} // namespace

namespace textnumbers {

qint32 strToInt(const QString& text) {
    qint32 value = 0;
    if (!parseInteger(text, value))
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace textnumbers

QString TextLineReader::readLine() {
    return atEnd() ? QString() : lines_.at(line_++);
}

qint32 TextLineReader::readInteger() {
    return textnumbers::strToInt(readLine());
}

qint32 TextLineReader::readNumberToken() {
    while (!atEnd()) {
        const QString line = lines_.at(line_++);
        qsizetype start = 0;
        while (start < line.size() && isBlank(line.at(start)))
            ++start;
        if (start == line.size())
            continue;
        qsizetype end = start;
        while (end < line.size() && !isBlank(line.at(end)))
            ++end;
        qint32 value = 0;
        if (!parseInteger(line.mid(start, end - start), value))
            break;
        return value;
    }
    throw AppError(QStringLiteral("Invalid numeric input"));
}
