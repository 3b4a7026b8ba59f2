#include "tests/support/ZipTools.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <stdexcept>

namespace ziptools {

Run runProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
               const QString& workingDirectory) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw std::runtime_error("cannot start " + program.toStdString());
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    Run run;
    run.output = process.readAll();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

QMap<QString, QByteArray> filesBelow(const QString& root) {
    QMap<QString, QByteArray> found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        found.insert(QDir(root).relativeFilePath(file.fileName()), file.readAll());
    }
    return found;
}

QByteArray randomBytes(int size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

namespace {

const char* const writerScript = R"(
import json, sys, zipfile
request = json.load(sys.stdin)
method = zipfile.ZIP_DEFLATED if request["deflated"] else zipfile.ZIP_STORED
import warnings
warnings.simplefilter("ignore")  # a member written again is meant
with zipfile.ZipFile(request["path"], request["mode"]) as archive:
    for entry in request["entries"]:
        info = zipfile.ZipInfo(entry["name"], date_time=(2021, 3, 4, 5, 6, 8))
        info.compress_type = method
        info.external_attr = (0o40755 << 16) | 0x10 if entry["name"].endswith("/") else 0o100644 << 16
        archive.writestr(info, bytes.fromhex(entry["data"]))
)";

const char* const readerScript = R"(
import json, sys, zipfile
result = []
with zipfile.ZipFile(sys.argv[1]) as archive:
    for info in archive.infolist():
        result.append({"name": info.filename, "compress_type": info.compress_type,
                       "external_attr": info.external_attr, "flag_bits": info.flag_bits,
                       "date_time": list(info.date_time),
                       "data": archive.read(info).hex()})
print(json.dumps(result))
)";

} // namespace

namespace {

void runPythonWriter(const QString& zipPath, const QList<Entry>& entries, bool deflated,
                     const QString& mode) {
    QJsonArray list;
    for (const Entry& entry : entries)
        list.append(
            QJsonObject{{"name", entry.name}, {"data", QString::fromLatin1(entry.data.toHex())}});
    const QJsonObject request{
        {"path", zipPath}, {"deflated", deflated}, {"mode", mode}, {"entries", list}};
    const Run run = runProgram(QStringLiteral("python3"),
                               {QStringLiteral("-c"), QString::fromUtf8(writerScript)},
                               QJsonDocument(request).toJson());
    if (run.exitCode != 0)
        throw std::runtime_error("python zipfile failed: " + run.output.toStdString());
}

} // namespace

void writeWithPython(const QString& zipPath, const QList<Entry>& entries, bool deflated) {
    runPythonWriter(zipPath, entries, deflated, QStringLiteral("w"));
}

void appendWithPython(const QString& zipPath, const QList<Entry>& entries) {
    runPythonWriter(zipPath, entries, true, QStringLiteral("a"));
}

QJsonArray readWithPython(const QString& zipPath) {
    const Run run = runProgram(QStringLiteral("python3"),
                               {QStringLiteral("-c"), QString::fromUtf8(readerScript), zipPath});
    if (run.exitCode != 0)
        throw std::runtime_error("python zipfile failed: " + run.output.toStdString());
    return QJsonDocument::fromJson(run.output).array();
}

qsizetype findInFile(const QString& path, const QByteArray& needle) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().indexOf(needle);
}

void patchByte(const QString& path, qsizetype offset, char value) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(&value, 1) != 1)
        throw std::runtime_error("cannot patch test file");
}

} // namespace ziptools
