#include "storage/CardArchive.h"

#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/KeptCardVersion.h"
#include "storage/sevenzip/SevenZip.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr quint32 kSaveLevel = 2;
constexpr quint32 kNewCardLevel = 3;

void renameOver(const QString& source, const QString& target) {
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        throw AppError(filebytes::writeError(target, QString::fromLocal8Bit(std::strerror(errno))));
}

// Writes the archive beside the card file and puts it in the card file's place
// only once complete, so that a failed write never costs the previous card file.
// WriteArchive has flushed the data to the disk before the rename, so after a
// crash the card file is either the old one or the new one, never a mixture.
// The card file replaced becomes a version in historyDir (none when empty).
void writeCardFile(T7zOutArchive& writer, const QString& cardPath, const QString& historyDir) {
    const QString target = filenames::actualPath(cardPath);
    const QString temporary = TemporaryCardPath(target);
    try {
        writer.WriteArchive(temporary);
        const KeptCardVersion version(historyDir, target);
        renameOver(temporary, target);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
}

void queueMember(T7zOutArchive& writer, const QString& workDir, const QString& memberName) {
    const QString source = filenames::existingPath(workDir, memberName);
    if (!source.isEmpty())
        writer.QueueFile(source, memberName);
}

} // namespace

QString TemporaryCardPath(const QString& cardPath) {
    const QFileInfo info(cardPath);
    return QStringLiteral("%1/.%2.tmp-%3")
        .arg(info.path(), info.fileName())
        .arg(QCoreApplication::applicationPid());
}

void UnpackCard(const QString& libraryPath, const QString& cardPath, const QString& workDir) {
    T7zInArchivePtr reader = MakeInArchive(libraryPath, ZipFormatId);
    reader->OpenArchive(cardPath);
    reader->ExtractAllTo(workDir);
}

void CardWriter::PackCard(const QString& libraryPath, const QString& workDir,
                          const QString& cardName, const QString& cardPath,
                          const QString& historyDir) {
    writer_ = MakeOutArchive(libraryPath, ZipFormatId);
    for (const QString& member : cardfile::memberNames(cardName))
        queueMember(*writer_, workDir, member);
    SetArchiveLevel(*writer_, kSaveLevel);
    writeCardFile(*writer_, cardPath, historyDir);
}

void CreateEmptyCardFile(const QString& libraryPath, const QString& path) {
    T7zOutArchivePtr writer = MakeOutArchive(libraryPath, ZipFormatId);
    SetArchiveLevel(*writer, kNewCardLevel);
    writeCardFile(*writer, path, {});
}
