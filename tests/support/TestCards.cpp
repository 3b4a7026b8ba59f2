#include "tests/support/TestCards.h"

#include "storage/Cp1250.h"
#include "storage/sevenzip/SevenZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stdexcept>

namespace testcards {

void writeArchive(const QString& libraryPath, const QString& path, const Members& members) {
    QTemporaryDir staging;
    T7zOutArchivePtr writer = MakeOutArchive(libraryPath, ZipFormatId);
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

void writeCard(const QString& libraryPath, const QString& cardDir, const QString& name,
               const QStringList& tableLines, const QString& notes) {
    QString table;
    for (const QString& line : tableLines)
        table += line + QStringLiteral("\r\n");
    writeArchive(libraryPath, cardDir + name + QStringLiteral(".krt"),
                 {{name + QStringLiteral(".tbl"), cp1250::encode(table)},
                  {name + QStringLiteral(".txt"), cp1250::encode(notes)}});
}

} // namespace testcards
