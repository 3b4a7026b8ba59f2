#pragma once

#include "storage/AppState.h"

#include <QString>
#include <QTemporaryDir>

// A fresh, temporary program directory for one test: it holds a copy of the
// real 7z.so and nothing else until the test adds files.
class TestProgramDir {
public:
    explicit TestProgramDir(bool withLibrary = true);

    // P, with a trailing "/".
    QString path() const;
    QString filePath(const QString& relative) const { return path() + relative; }
    QString cardDir() const { return path() + QStringLiteral("FILES/"); }
    QString workDir() const { return path() + QStringLiteral("TEMP/"); }
    QString library() const { return path() + QStringLiteral("7z.so"); }

    // Creates FILES/ and TEMP/ as start-up would.
    void makeDirectories() const;
    // Creates FILES/ and TEMP/ and returns the shared state with its paths set,
    // as start-up leaves them.
    AppState startedState() const;
    // Writes bytes to P + relative, creating folders as needed.
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;
    // Writes a program that records how it was started: its argument count and
    // arguments, as "count:arguments", into P + recordRelative.
    void writeRecordingProgram(const QString& relative, const QString& recordRelative) const;

private:
    QTemporaryDir dir_;
};
