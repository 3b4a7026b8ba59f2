// The search's member reader on any file in a card file's place: it reads the
// notes and table members through the real 7z.so or raises an AppError, and a
// member it returns is never larger than the limits allow.

#include "core/CardTextMembers.h"
#include "storage/AppError.h"
#include "storage/sevenzip/UnpackLimits.h"
#include "tools/fuzz/FuzzInputFile.h"
#include "tools/fuzz/FuzzTarget.h"

#include <cstdlib>

namespace {

QString libraryPath() {
    const char* given = std::getenv("KARTOTEKA_7Z_SO");
    return QString::fromLocal8Bit(given ? given : KARTOTEKA_7Z_SO);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::InputFile file(data, size, QStringLiteral("Karta.krt"));
    try {
        const CardTextMembers members =
            textmembers::readCardTextMembers(libraryPath(), file.path(), QStringLiteral("Karta"));
        const UnpackLimits limits;
        if (quint64(members.notes.size()) > limits.maxTextBytes ||
            quint64(members.table.size()) > limits.maxTextBytes)
            fuzz::fail("a member larger than the limit");
    } catch (const AppError&) {
    }
    return 0;
}
