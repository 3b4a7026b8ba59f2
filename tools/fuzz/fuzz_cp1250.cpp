// Code page 1250 both ways: every byte string survives decode and encode; a
// UTF-16 text either encodes and decodes back to itself or names the
// characters it cannot hold.

#include "storage/AppError.h"
#include "storage/Cp1250.h"
#include "tools/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (cp1250::encode(cp1250::decode(bytes)) != bytes)
        fuzz::fail("bytes change through decode and encode");

    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / sizeof(QChar)));
    const QString refused = cp1250::unencodable(text);
    try {
        const QByteArray encoded = cp1250::encode(text);
        if (!refused.isEmpty())
            fuzz::fail("encode accepted characters that unencodable refuses");
        if (cp1250::decode(encoded) != text)
            fuzz::fail("a text changes through encode and decode");
    } catch (const AppError&) {
        if (refused.isEmpty())
            fuzz::fail("encode refused a text that unencodable accepts");
    }
    return 0;
}
