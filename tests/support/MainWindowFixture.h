#pragma once

// Helpers for the main window tests: card files made and read through the real
// 7z.so, and a main window started on a test program directory.

#include "mainwindow/CardList.h"
#include "mainwindow/CommandGuard.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <memory>

namespace fixture {

// Writes CardDir/name.krt holding the table and notes members and, when
// bitmap is not empty, the picture member with those bytes.
inline void WriteCard(const TestProgramDir& dir, const QString& name, const QStringList& table,
                      const QString& notes = {}, const QByteArray& bitmap = {}) {
    QTemporaryDir scratch;
    const QString work = scratch.path() + u'/';
    SaveTable(work + name + QStringLiteral(".tbl"), table);
    SaveNotes(work + name + QStringLiteral(".txt"), notes);
    if (!bitmap.isEmpty()) {
        QFile picture(work + name + QStringLiteral("1.bmp"));
        picture.open(QIODevice::WriteOnly);
        picture.write(bitmap);
    }
    QDir().mkpath(dir.cardDir());
    CardWriter().PackCard(dir.library(), work, name, dir.cardDir() + name + QStringLiteral(".krt"));
}

// The members of a card file, by name.
inline QMap<QString, QByteArray> ReadCard(const TestProgramDir& dir, const QString& fileName) {
    const T7zInArchivePtr reader = MakeInArchive(dir.library(), ZipFormatId);
    reader->OpenArchive(dir.cardDir() + fileName);
    QMap<QString, QByteArray> members;
    for (const auto& [path, bytes] : reader->ReadItems([](const QString&) { return true; }))
        members.insert(path, bytes);
    return members;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small Windows bitmap file.
inline QByteArray BitmapBytes(int width = 64, int height = 48, QColor color = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The main window started on a test program directory, with scripted prompts
// and a process end that only records its exit codes.
struct Started {
    explicit Started(const TestProgramDir& dir) {
        state.programDir = dir.path();
        form = std::make_unique<TForm1>(state, prompts, [this](int code) { endCodes << code; });
    }
    // Selects entry index and opens it as a double click does.
    void Open(int index) {
        form->List->SetItemIndex(index);
        RunGuarded(prompts, [this] { form->ListDblClick(); });
    }
    void Save() {
        RunGuarded(prompts, [this] { form->SpeedButton3Click(); });
    }

    AppState state;
    ScriptedPrompts prompts;
    QList<int> endCodes;
    std::unique_ptr<TForm1> form;
};

} // namespace fixture
