// The table member reader: any bytes give rows, and rows read from a file are
// written back and read again unchanged.

#include "storage/AppError.h"
#include "storage/TableFile.h"
#include "tools/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList rows = tablefile::parseTable(bytes);
    QByteArray stored;
    try {
        stored = tablefile::formatTable(rows);
    } catch (const AppError&) {
        fuzz::fail("rows read from a table member cannot be stored again");
    }
    if (tablefile::parseTable(stored) != rows)
        fuzz::fail("a table changes when it is stored and read again");
    return 0;
}
