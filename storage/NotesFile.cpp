#include "storage/NotesFile.h"

#include "storage/Cp1250.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/TextLines.h"

namespace notesfile {

QString parseNotes(const QByteArray& bytes) {
    return textlines::withLineEnds(cp1250::decode(textlines::beforeNul(bytes)), u"\n");
}

QByteArray formatNotes(const QString& text) {
    QString lines = text;
    lines.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
    return cp1250::encode(textlines::withLineEnds(lines, u"\r\n"));
}

QString loadNotes(const QString& path) {
    return notesfile::parseNotes(filebytes::read(filenames::actualPath(path)));
}

void saveNotes(const QString& path, const QString& text) {
    const QByteArray bytes = notesfile::formatNotes(text);
    filebytes::write(filenames::pathForWriting(path), bytes);
}

} // namespace notesfile
