#include "tests/support/TestCards.h"

#include "storage/Cp1250.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/TestProgramDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <stdexcept>

namespace testcards {

void writeArchive(const QString& libraryPath, const QString& path, const Members& members) {
    QTemporaryDir staging;
    T7zOutArchivePtr writer = sevenzip::MakeOutArchive(libraryPath, ZipFormatId);
    for (int i = 0; i < members.size(); ++i) {
        // One folder per member, so members may share a name that differs in case.
        const QString staged = staging.path() + QStringLiteral("/%1/").arg(i) + members[i].first;
        QDir().mkpath(QFileInfo(staged).absolutePath());
        QFile file(staged);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(members[i].second) != members[i].second.size())
            throw std::runtime_error("cannot stage a card member");
        file.close();
        writer->QueueFile(file.fileName(), members[i].first);
    }
    writer->WriteArchive(path);
}

void writeCard(const TestProgramDir& dir, const QString& name, const QStringList& tableLines,
               const QString& notes, const QByteArray& bitmap) {
    QString table;
    for (const QString& line : tableLines)
        table += line + QStringLiteral("\r\n");
    Members members{{name + QStringLiteral(".tbl"), cp1250::encode(table)},
                    {name + QStringLiteral(".txt"), cp1250::encode(notes)}};
    if (!bitmap.isEmpty())
        members.append({name + QStringLiteral("1.bmp"), bitmap});
    QDir().mkpath(dir.cardDir());
    writeArchive(dir.library(), dir.cardDir() + name + QStringLiteral(".krt"), members);
}

void replaceCard(const TestProgramDir& dir, const QString& name, const QStringList& tableLines,
                 const QString& notes, const QByteArray& bitmap) {
    QString table;
    for (const QString& line : tableLines)
        table += line + QStringLiteral("\r\n");
    Members members{{name + QStringLiteral(".tbl"), cp1250::encode(table)},
                    {name + QStringLiteral(".txt"), cp1250::encode(notes)}};
    if (!bitmap.isEmpty())
        members.append({name + QStringLiteral("1.bmp"), bitmap});
    const QString target = dir.cardDir() + name + QStringLiteral(".krt");
    const QString incoming =
        dir.cardDir() + QStringLiteral(".syncthing.") + name + QStringLiteral(".krt.tmp");
    writeArchive(dir.library(), incoming, members);
    if (std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(target).constData()))
        throw std::runtime_error("cannot rename the incoming card file");
}

QMap<QString, QByteArray> readCard(const TestProgramDir& dir, const QString& fileName) {
    const T7zInArchivePtr reader = sevenzip::MakeInArchive(dir.library(), ZipFormatId);
    reader->OpenArchive(dir.cardDir() + fileName);
    QMap<QString, QByteArray> members;
    for (const auto& [path, bytes] : reader->readItems([](const QString&) { return true; }))
        members.insert(path, bytes);
    return members;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage filledImage(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray bitmapBytes(int width, int height, QColor color) {
    const QImage image = filledImage(QSize(width, height), color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace testcards
