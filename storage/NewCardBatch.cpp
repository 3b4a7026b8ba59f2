#include "storage/NewCardBatch.h"

#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/FileBytes.h"
#include "storage/SystemErrorText.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/SevenZip.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

QString batchFolderPrefix() {
    return QStringLiteral(".import.tmp-");
}

// The descriptor through which a batch is flushed: opened before the batch's
// first card file is written, so that syncfs tells of every write that failed
// on the way to the disk since.
int openForFlushing(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw AppError(filebytes::writeError(folder, systemerror::systemErrorText(errno)));
    return fd;
}

} // namespace

NewCardBatch::NewCardBatch(const QString& libraryPath, const QString& cardDir)
    : library_(sevenzip::loadArchiveLibrary(libraryPath)), cardDir_(cardDir),
      private_(cardDir + batchFolderPrefix() + QString::number(QCoreApplication::applicationPid()) +
               QStringLiteral("-XXXXXX")) {
    if (!private_.isValid())
        throw AppError(QStringLiteral("Dočasnou složku pro nové karty nelze vytvořit ve složce "
                                      "%1: %2")
                           .arg(cardDir, private_.errorString()));
}

NewCardBatch::~NewCardBatch() {
    discard();
}

void NewCardBatch::stage(const QString& cardName, const QByteArray& table,
                         const QByteArray& notes) {
    T7zOutArchivePtr writer = sevenzip::MakeOutArchive(library_, ZipFormatId);
    writer->queueBytes(table, cardfile::tableMember(cardName));
    writer->queueBytes(notes, cardfile::notesMember(cardName));
    sevenzip::SetArchiveLevel(*writer, cardarchive::SaveLevel); // as a card save
    // The two small members are packed one after the other on this thread:
    // threads of their own would each take and clear megabytes of fresh memory
    // for every card file.
    sevenzip::SetUIntProperty(*writer, QStringLiteral("MT"), 1);
    if (flushFd_ < 0)
        flushFd_ = openForFlushing(private_.path());
    // Numbered, not named after the card: the private folder's names never clash.
    const QString path =
        private_.path() + u'/' + QString::number(++written_) + cardfile::extension();
    const int fd = sevenzip::createExclusive(path, sevenzip::plainCreateMode());
    try {
        writer->writeArchiveTo(fd, path, T7zOutArchive::Flush::ByCaller);
    } catch (...) {
        ::close(fd);
        QFile::remove(path);
        throw;
    }
    if (::close(fd) != 0) {
        const int error = errno;
        QFile::remove(path);
        throw AppError(filebytes::writeError(path, systemerror::systemErrorText(error)));
    }
    staged_.append({cardName, path});
}

void NewCardBatch::publish(const std::function<bool(const QString&)>& mayPlace) {
    fates_.clear();
    flushStaged();
    try {
        while (!staged_.isEmpty()) {
            fates_.append(place(staged_.first(), mayPlace));
            staged_.removeFirst();
        }
    } catch (...) {
        if (fates_.contains(Fate::Placed))
            sevenzip::syncFolder(cardDir_);
        throw;
    }
    if (fates_.contains(Fate::Placed))
        sevenzip::syncFolder(cardDir_);
}

// One wait for the disk for the whole batch: the file system writes the data
// and the new files' records of all the batch's card files together, instead
// of one file after another with a wait for the disk each.
void NewCardBatch::flushStaged() {
    if (staged_.isEmpty())
        return;
    const int fd = std::exchange(flushFd_, -1);
    if (::syncfs(fd) != 0) {
        const int error = errno;
        ::close(fd);
        throw AppError(filebytes::writeError(private_.path(), systemerror::systemErrorText(error)));
    }
    ::close(fd);
}

NewCardBatch::Fate NewCardBatch::place(const Staged& card,
                                       const std::function<bool(const QString&)>& mayPlace) {
    if (mayPlace && !mayPlace(card.cardName)) {
        QFile::remove(card.path);
        return Fate::LeftOut;
    }
    if (newcardfiles::placeWithoutReplacing(card.path,
                                            cardDir_ + cardfile::fileNameOf(card.cardName)))
        return Fate::Placed;
    QFile::remove(card.path);
    return Fate::NameTaken;
}

void NewCardBatch::discard() {
    for (const Staged& card : std::as_const(staged_))
        QFile::remove(card.path);
    staged_.clear();
    sevenzip::closeQuietly(std::exchange(flushFd_, -1));
}

namespace newcardfiles {

bool placeWithoutReplacing(const QString& source, const QString& target) {
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return true;
        }
    }
    if (errno == EEXIST)
        return false;
    throw AppError(filebytes::writeError(target, systemerror::systemErrorText(errno)));
}

qint64 batchFolderProcess(const QString& name) {
    static const QRegularExpression folderName(QStringLiteral("^\\.import\\.tmp-(\\d{1,10})-.+$"));
    const QRegularExpressionMatch match = folderName.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

} // namespace newcardfiles
