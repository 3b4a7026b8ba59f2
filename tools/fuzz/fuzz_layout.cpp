// The layout files colw.ini, cbar.ini and winpos.ini as start-up reads them,
// and the line reader under them: any file content either gives values or an
// AppError, never a crash.

#include "storage/AppError.h"
#include "tools/fuzz/FuzzInputFile.h"
#include "tools/fuzz/FuzzTarget.h"

#include "LayoutFiles.h"
#include "TextLineReader.h"

#include "storage/TextLines.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

namespace {

constexpr int kColumns = 2; // the table's columns
constexpr int kBands = 6;   // the tool bar's bands

void readLayoutFiles(const QString& path) {
    try {
        layoutfiles::readColumnWidths(path, [](int column, int) {
            if (column >= kColumns)
                throw AppError(QStringLiteral("no such column"));
        });
    } catch (const AppError&) {
    }
    try {
        layoutfiles::readBandLefts(path, kBands, [](int band, int) {
            if (band < 0 || band >= kBands)
                fuzz::fail("a band outside the tool bar");
        });
    } catch (const AppError&) {
    }
    try {
        layoutfiles::readWindowPlacement(
            path, [](int) {}, [](int) {}, [](bool) {});
    } catch (const AppError&) {
    }
}

// The reader's three ways of reading, chosen by the input's first byte.
void readLines(const QByteArray& bytes) {
    TextLineReader reader(textlines::fromBytes(bytes));
    const uchar choice = bytes.isEmpty() ? 0 : uchar(bytes.front());
    for (int step = 0; step < 16; ++step) {
        try {
            switch ((choice >> (step % 4 * 2)) & 3) {
            case 0:
                reader.readLine();
                break;
            case 1:
                reader.readInteger();
                break;
            default:
                reader.readNumberToken();
                break;
            }
        } catch (const AppError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::InputFile file(data, size);
    readLayoutFiles(file.path());
    readLines(file.bytes());
    return 0;
}
