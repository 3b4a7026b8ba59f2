#include "tools/fuzz/FuzzInputFile.h"

#include "tools/fuzz/FuzzTarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace fuzz {

namespace {

const QString& folder() {
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        return std::make_unique<QTemporaryDir>(base + QStringLiteral("/kartoteka-fuzz-XXXXXX"));
    }();
    static const QString path = dir->path() + u'/';
    return path;
}

} // namespace

InputFile::InputFile(const uint8_t* data, size_t size, const QString& name)
    : bytes_(reinterpret_cast<const char*>(data), qsizetype(size)), path_(folder() + name) {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes_) != bytes_.size())
        fail("cannot write the input file");
}

} // namespace fuzz
