#include "storage/NotesFile.h"

#include "storage/Cp1250.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/TextLines.h"

QString ParseNotes(const QByteArray& bytes) {
    return textlines::withLineEnds(cp1250::decode(textlines::beforeNul(bytes)), u"\n");
}

QByteArray FormatNotes(const QString& text) {
    QString lines = text;
    lines.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
    return cp1250::encode(textlines::withLineEnds(lines, u"\r\n"));
}

QString LoadNotes(const QString& path) {
    return ParseNotes(filebytes::read(filenames::actualPath(path)));
}

void SaveNotes(const QString& path, const QString& text) {
    const QByteArray bytes = FormatNotes(text);
    filebytes::write(filenames::pathForWriting(path), bytes);
}
