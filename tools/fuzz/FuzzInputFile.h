#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

// One fuzz input as a file, for readers that take a path. The file lives in a
// private folder of this process (in /dev/shm when there is one, so that the
// disk is not worn) and is rewritten for every input.
class InputFile {
public:
    InputFile(const uint8_t* data, size_t size, const QString& name = QStringLiteral("input"));

    const QString& path() const { return path_; }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    QString path_;
};

} // namespace fuzz
