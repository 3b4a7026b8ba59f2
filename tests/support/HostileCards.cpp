#include "tests/support/HostileCards.h"

#include "tests/support/ZipTools.h"

#include <QFile>
#include <stdexcept>

namespace hostilecards {

namespace {

const char* const largeMemberScript = R"(
import struct, sys, zipfile
path, name, size, fill, declared = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4], int(sys.argv[5])
chunk = fill.encode("latin-1") * (1 << 20)

class Unseekable:
    """Makes zipfile write a data descriptor after the member (flag bit 3)."""
    def __init__(self, file):
        self.file = file
    def write(self, data):
        return self.file.write(data)
    def flush(self):
        self.file.flush()

target = open(path, "wb")
with zipfile.ZipFile(Unseekable(target) if declared >= 0 else target, "w",
                     zipfile.ZIP_DEFLATED, compresslevel=1) as archive:
    info = zipfile.ZipInfo(name, date_time=(2021, 3, 4, 5, 6, 8))
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o100644 << 16
    with archive.open(info, "w", force_zip64=size >= 0xFFFFFFFF) as member:
        left = size
        while left > 0:
            part = chunk[:min(left, len(chunk))]
            member.write(part)
            left -= len(part)
target.close()
if declared >= 0:
    # The sizes stand in the data descriptor and the central directory.
    data = bytearray(open(path, "rb").read())
    struct.pack_into("<I", data, data.find(b"PK\x07\x08") + 12, declared)
    struct.pack_into("<I", data, data.find(b"PK\x01\x02") + 24, declared)
    open(path, "wb").write(data)
)";

const char* const manyItemsScript = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_STORED) as archive:
    for i in range(int(sys.argv[2])):
        archive.writestr("item%d.txt" % i, b"x")
)";

void runPython(const char* script, const QStringList& arguments) {
    const ziptools::Run run = ziptools::runProgram(
        QStringLiteral("python3"),
        QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
    if (run.exitCode != 0)
        throw std::runtime_error("python zipfile failed: " + run.output.toStdString());
}

} // namespace

void writeLargeMember(const QString& zipPath, const QString& memberName, qint64 size, char fill,
                      qint64 declaredSize) {
    runPython(largeMemberScript, {zipPath, memberName, QString::number(size),
                                  QString(QLatin1Char(fill)), QString::number(declaredSize)});
}

void writeManyItems(const QString& zipPath, int count) {
    runPython(manyItemsScript, {zipPath, QString::number(count)});
}

int replaceBytes(const QString& path, const QByteArray& from, const QByteArray& to) {
    QFile file(path);
    if (from.size() != to.size() || !file.open(QIODevice::ReadWrite))
        throw std::runtime_error("cannot patch test file");
    QByteArray bytes = file.readAll();
    const int count = int(bytes.count(from));
    bytes.replace(from, to);
    if (!file.seek(0) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot patch test file");
    return count;
}

} // namespace hostilecards
