#include "core/DroppedText.h"

#include "storage/Cp1250.h"
#include "storage/FileBytes.h"
#include "storage/TextLines.h"

#include <QStringDecoder>

namespace {

QString decodeBytes(const QByteArray& bytes) {
    // A byte-order mark names the encoding outright (UTF-16 from some editors).
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        const QString text = decoder(bytes);
        if (!decoder.hasError())
            return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return cp1250::decode(bytes);
}

} // namespace

namespace droppedtext {

QString decodeDroppedText(const QByteArray& bytes) {
    QString text = decodeBytes(bytes);
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text.truncate(nul);
    return textlines::withLineEnds(text, u"\n");
}

QString readDroppedText(const QString& path) {
    // A regular file only: a folder is refused with a reason naming it, and a
    // FIFO is not waited on.
    return droppedtext::decodeDroppedText(filebytes::read(path));
}

} // namespace droppedtext
