#pragma once

#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

// One card as the main window opens and saves it: a 320 x 240 24-bit picture
// and 50 table rows, in a program directory of its own.
namespace bench {

struct CardFixture {
    QTemporaryDir programDir;
    QString library, cardDir, workDir, historyDir, name = QStringLiteral("Karta");
    QStringList rows;
    QString notes;

    CardFixture() {
        library = programDir.filePath(QStringLiteral("7z.so"));
        cardDir = programDir.filePath(QStringLiteral("FILES/"));
        workDir = programDir.filePath(QStringLiteral("TEMP/"));
        historyDir = programDir.filePath(QStringLiteral("HISTORY/"));
        QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), library);
        QDir().mkpath(cardDir);
        QDir().mkpath(workDir);
        for (int i = 0; i < 50; ++i)
            rows << QStringLiteral("Položka %1=Hodnota řádku číslo %1").arg(i);
        for (int i = 0; i < 20; ++i)
            notes += QStringLiteral("Poznámka, řádek %1 s nějakým delším textem.\n").arg(i);
        writePicture();
    }
    QString cardPath() const { return cardDir + name + QStringLiteral(".krt"); }
    QString member(const QString& suffix) const { return workDir + name + suffix; }

    // A photograph-like picture: smooth colours with noise, which compresses
    // about as badly as a real one.
    void writePicture() const {
        QImage picture(320, 240, QImage::Format_RGB888);
        auto* random = QRandomGenerator::global();
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                picture.setPixel(x, y,
                                 qRgb((x + random->bounded(24)) % 256,
                                      (y + random->bounded(24)) % 256,
                                      (x + y + random->bounded(24)) % 256));
        picture.save(member(QStringLiteral("1.bmp")), "BMP");
    }

    // Saves as the open card does; with versions kept in historyDir, or none.
    void save(CardWriter& writer, bool keepVersion = true) const {
        tablefile::SaveTable(member(QStringLiteral(".tbl")), rows);
        notesfile::saveNotes(member(QStringLiteral(".txt")), notes);
        writer.packCard(library, workDir, name, cardPath(), keepVersion ? historyDir : QString());
    }
    void open() const {
        workdir::ClearWorkDir(workDir);
        cardarchive::unpackCard(library, cardPath(), workDir);
        const QStringList table = tablefile::LoadTable(member(QStringLiteral(".tbl")));
        const QString text = notesfile::loadNotes(member(QStringLiteral(".txt")));
        const QImage picture(member(QStringLiteral("1.bmp")));
        if (table.size() != 50 || text.isEmpty() || picture.size() != QSize(320, 240))
            qFatal("the card did not load back");
    }
};

} // namespace bench
