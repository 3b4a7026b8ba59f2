// The saving side of the kill-during-save loop (kill_during_save.py): saves the
// cards of a program directory one after another, for ever, until it is
// killed, logging each save before it starts and after it is done.
//
//   kartoteka_savestress init  DIR COUNT   cards Karta0 … with generation 0
//   kartoteka_savestress save  DIR COUNT   save round-robin until killed
//   kartoteka_savestress start DIR         what start-up does to FILES
//
// A card of generation g holds the table "Generace=g", "Karta=i", notes of
// 2000 lines "generace g" and a 256 KB picture member of PictureBytes(g), so the
// checker can tell which save a card file comes from.

#include "storage/CardArchive.h"
#include "storage/FileBytes.h"
#include "storage/NotesFile.h"
#include "storage/StaleTemporaryCards.h"
#include "storage/TableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kPictureBytes = 256 * 1024;

// The same generator as in kill_during_save.py.
QByteArray PictureBytes(quint64 generation) {
    QByteArray bytes(kPictureBytes, Qt::Uninitialized);
    quint32 x = quint32(generation * 2654435761u + 1);
    for (char& byte : bytes) {
        x = x * 1103515245u + 12345u;
        byte = char((x >> 16) & 0xFF);
    }
    return bytes;
}

QString Notes(quint64 generation) {
    QStringList lines;
    for (int i = 0; i < 2000; ++i)
        lines << QStringLiteral("generace %1").arg(generation);
    return lines.join(u'\n');
}

struct Program {
    QString dir;
    QString cards() const { return dir + QStringLiteral("FILES/"); }
    QString work() const { return dir + QStringLiteral("TEMP/"); }
    QString library() const { return dir + QStringLiteral("7z.so"); }
};

// One unbuffered line per event: what was written is kept when the process is
// killed.
void Log(const Program& program, const char* event, int card, quint64 generation) {
    static const int fd =
        ::open(QFile::encodeName(program.dir + QStringLiteral("save.log")).constData(),
               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const QByteArray line = QByteArray(event) + ' ' + QByteArray::number(card) + ' ' +
                            QByteArray::number(generation) + '\n';
    if (::write(fd, line.constData(), size_t(line.size())) != line.size())
        std::perror("save.log");
}

void SaveCard(const Program& program, CardWriter& writer, int card, quint64 generation) {
    const QString name = QStringLiteral("Karta%1").arg(card);
    tablefile::SaveTable(
        program.work() + name + QStringLiteral(".tbl"),
        {QStringLiteral("Generace=%1").arg(generation), QStringLiteral("Karta=%1").arg(card)});
    notesfile::saveNotes(program.work() + name + QStringLiteral(".txt"), Notes(generation));
    filebytes::write(program.work() + name + QStringLiteral("1.bmp"), PictureBytes(generation));
    writer.packCard(program.library(), program.work(), name,
                    program.cards() + name + QStringLiteral(".krt"));
}

// The generation to save next: one past the highest in the log.
quint64 NextGeneration(const Program& program) {
    QFile log(program.dir + QStringLiteral("save.log"));
    quint64 highest = 0;
    if (log.open(QIODevice::ReadOnly))
        for (const QByteArray& line : log.readAll().split('\n'))
            if (const QList<QByteArray> parts = line.split(' '); parts.size() == 3)
                highest = qMax(highest, parts[2].toULongLong());
    return highest + 1;
}

int Init(const Program& program, int count) {
    QDir().mkpath(program.cards());
    QDir().mkpath(program.work());
    CardWriter writer;
    for (int card = 0; card < count; ++card) {
        cardarchive::createEmptyCardFile(program.library(),
                                         program.cards() + QStringLiteral("Karta%1.krt").arg(card));
        SaveCard(program, writer, card, 0);
        Log(program, "done", card, 0);
    }
    return 0;
}

[[noreturn]] void SaveForEver(const Program& program, int count) {
    CardWriter writer;
    for (quint64 generation = NextGeneration(program);; ++generation) {
        const int card = int(generation % quint64(count));
        Log(program, "start", card, generation);
        SaveCard(program, writer, card, generation);
        Log(program, "done", card, generation);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: %s init|save DIR COUNT | start DIR\n", argv[0]);
        return 2;
    }
    Program program{QDir(arguments[2]).absolutePath() + u'/'};
    const QString command = arguments[1];
    try {
        if (command == QStringLiteral("start")) {
            std::printf("%d\n", temporarycards::removeStaleTemporaryCards(program.cards()));
            return 0;
        }
        const int count = arguments.value(3).toInt();
        if (command == QStringLiteral("init"))
            return Init(program, count);
        if (command == QStringLiteral("save"))
            SaveForEver(program, count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 2;
}
