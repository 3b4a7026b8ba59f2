// The notes member reader: any bytes give a text, and a text read from a file
// is written back and read again unchanged.

#include "storage/AppError.h"
#include "storage/NotesFile.h"
#include "tools/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString notes = notesfile::parseNotes(bytes);
    QByteArray stored;
    try {
        stored = notesfile::formatNotes(notes);
    } catch (const AppError&) {
        fuzz::fail("notes read from a notes member cannot be stored again");
    }
    if (notesfile::parseNotes(stored) != notes)
        fuzz::fail("notes change when they are stored and read again");
    return 0;
}
