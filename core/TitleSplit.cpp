#include "core/TitleSplit.h"

namespace {

constexpr QChar kDelimiter = u';';
constexpr QChar kQuote = u'"';

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

void skipBlanks(const QString& text, qsizetype& pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
}

// Reads a quoted item starting at the opening mark; pos ends past the closing
// mark, or at the end of the text when the item is not closed.
QString readQuoted(const QString& text, qsizetype& pos) {
    QString item;
    ++pos;
    while (pos < text.size()) {
        const QChar c = text[pos++];
        if (c != kQuote) {
            item += c;
            continue;
        }
        if (pos < text.size() && text[pos] == kQuote) {
            item += kQuote;
            ++pos;
            continue;
        }
        break;
    }
    return item;
}

QString readPlain(const QString& text, qsizetype& pos) {
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != kDelimiter && !isBlank(text[pos]))
        ++pos;
    return text.mid(start, pos - start);
}

} // namespace

namespace titlesplit {

QStringList splitTitles(const QString& text) {
    QStringList items;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        items << (text[pos] == kQuote ? readQuoted(text, pos) : readPlain(text, pos));
        skipBlanks(text, pos);
        if (pos < text.size() && text[pos] == kDelimiter) {
            // A trailing delimiter still closes an (empty) last item.
            if (pos == text.size() - 1)
                items << QString();
            ++pos;
            skipBlanks(text, pos);
        }
    }
    return items;
}

} // namespace titlesplit
