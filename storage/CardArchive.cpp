#include "storage/CardArchive.h"

#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/KeptCardVersion.h"
#include "storage/SystemErrorText.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/SafeItemPath.h"
#include "storage/sevenzip/SevenZip.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 kNewCardLevel = 3;

void renameOver(const QString& source, const QString& target) {
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        throw AppError(filebytes::writeError(target, systemerror::systemErrorText(errno)));
}

// The file a save replaces: a card file that is a symbolic link is saved through
// the link, so its target gets the new content and the link stays a link.
QString fileToReplace(const QString& cardPath) {
    // Exactly the named file: one spelled otherwise is another card.
    const QString& path = cardPath;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return path;
}

// The permission bits of the new card file: those of the file it replaces, so
// that a private card stays private; for a new card those a plain create gives.
quint32 modeFor(const QString& target) {
    struct stat info {};
    if (::stat(QFile::encodeName(target).constData(), &info) == 0)
        return info.st_mode & 07777;
    return sevenzip::plainCreateMode();
}

// The temporary file is created anew, never opened through whatever stands
// under its name. Its name carries this process's id, so a file found there is
// left from an earlier process with the same id, or was planted: it goes (a
// link is removed, not followed), and should anything come back in between,
// the exclusive create fails rather than write through it.
int createTemporaryFile(const QString& temporary, quint32 mode) {
    const QByteArray name = QFile::encodeName(temporary);
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0 && !S_ISDIR(info.st_mode))
        ::unlink(name.constData());
    return sevenzip::createExclusive(temporary, mode);
}

void closeWritten(int fd, const QString& path) {
    if (::close(fd) != 0)
        throw AppError(filebytes::writeError(path, systemerror::systemErrorText(errno)));
}

// Writes the archive beside the card file and puts it in the card file's place
// only once complete, so that a failed write never costs the previous card file.
// The data are on the disk before the rename and the folder entry after it, so
// after a crash or a power cut the card file is either the old one or the new
// one, never a mixture, and a save reported as done stays done.
// The card file replaced becomes a version in historyDir (none when empty).
void writeCardFile(T7zOutArchive& writer, const QString& cardPath, const QString& historyDir) {
    const QString target = fileToReplace(cardPath);
    const QString temporary = cardarchive::temporaryCardPath(target);
    const int fd = createTemporaryFile(temporary, modeFor(target));
    try {
        try {
            writer.writeArchiveTo(fd, temporary);
        } catch (...) {
            ::close(fd);
            throw;
        }
        closeWritten(fd, temporary);
        const KeptCardVersion version(historyDir, target);
        renameOver(temporary, target);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    sevenzip::syncFolder(QFileInfo(target).path());
}

void queueMember(T7zOutArchive& writer, const QString& workDir, const QString& memberName) {
    const QString source = filenames::existingPath(workDir, memberName);
    if (!source.isEmpty())
        writer.QueueFile(source, memberName);
}

// A card's members lie at the root of its archive under visible names; an item
// in a folder or with a hidden name is never used, and unpacking it would only
// leave a folder or a file that stands in the way of a later card.
bool isRootMember(const QString& itemPath) {
    const QStringList parts = sevenzip::safeItemPathParts(itemPath);
    return parts.size() == 1 && !parts.first().startsWith(u'.');
}

} // namespace

namespace cardarchive {

QString temporaryCardPath(const QString& cardPath) {
    // Joined, not formatted: a "%1" in a folder name must stay as it is.
    const QFileInfo info(cardPath);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp-") +
           QString::number(QCoreApplication::applicationPid());
}

void unpackCard(const QString& libraryPath, const QString& cardPath, const QString& workDir) {
    T7zInArchivePtr reader = sevenzip::MakeInArchive(libraryPath, ZipFormatId);
    reader->OpenArchive(cardPath);
    reader->ExtractAllTo(workDir, isRootMember);
}

} // namespace cardarchive

void CardWriter::packCard(const QString& libraryPath, const QString& workDir,
                          const QString& cardName, const QString& cardPath,
                          const QString& historyDir) {
    writer_ = sevenzip::MakeOutArchive(libraryPath, ZipFormatId);
    for (const QString& member : cardfile::memberNames(cardName))
        queueMember(*writer_, workDir, member);
    sevenzip::SetArchiveLevel(*writer_, cardarchive::SaveLevel);
    writeCardFile(*writer_, cardPath, historyDir);
}

namespace cardarchive {

void createEmptyCardFile(const QString& libraryPath, const QString& path) {
    T7zOutArchivePtr writer = sevenzip::MakeOutArchive(libraryPath, ZipFormatId);
    sevenzip::SetArchiveLevel(*writer, kNewCardLevel);
    writeCardFile(*writer, path, {});
}

} // namespace cardarchive
