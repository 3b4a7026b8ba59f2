#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TestProgramDir::TestProgramDir(bool withLibrary) {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary program directory");
    if (withLibrary && !QFile::copy(QStringLiteral(KARTOTEKA_7Z_SO), library()))
        throw std::runtime_error("cannot copy 7z.so into the test program directory");
}

QString TestProgramDir::path() const {
    return dir_.path() + u'/';
}

void TestProgramDir::makeDirectories() const {
    QDir().mkpath(cardDir());
    QDir().mkpath(workDir());
}

AppState TestProgramDir::startedState() const {
    makeDirectories();
    AppState state;
    state.programDir = path();
    state.CardDir = cardDir();
    state.WorkDir = workDir();
    return state;
}

void TestProgramDir::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void TestProgramDir::writeRecordingProgram(const QString& relative,
                                           const QString& recordRelative) const {
    writeFile(relative,
              "#!/bin/sh\necho \"$#:$*\" > '" + filePath(recordRelative).toUtf8() + "'\n");
    QFile::setPermissions(filePath(relative),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray TestProgramDir::readFile(const QString& relative) const {
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
