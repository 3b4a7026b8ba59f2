#pragma once

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QImage>
#include <QList>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// Reading printed PDF files with poppler's command-line tools.
namespace pdftools {

inline bool available() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

inline QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

inline int pageCount(const QString& pdf) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString& line : info.split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The text of pages first..last (all pages when 0), one string per printed line.
inline QStringList textLines(const QString& pdf, int first = 0, int last = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l")
                  << QString::number(last);
    arguments << pdf << QStringLiteral("-");
    QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), arguments));
    text.remove(u'\f');
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

// The page rendered at dpi dots per inch.
inline QImage pageImage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         QString::number(page), QStringLiteral("-l"), QString::number(page),
         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The printable area of a page printed on printer, rendered at twice the
// printer's resolution.
inline QImage printableArea(const QString& pdf, int page, const QPrinter& printer) {
    const int dpi = 2 * printer.resolution();
    const QImage paper = pageImage(pdf, page, dpi);
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const qreal scale = qreal(dpi) / printer.resolution();
    return paper.copy(qRound(area.x() * scale), qRound(area.y() * scale),
                      qRound(area.width() * scale), qRound(area.height() * scale));
}

// An image embedded in a PDF, as pdfimages lists it.
struct PdfImage {
    int page = 0;
    int width = 0; // in image pixels
    int height = 0;
    int xPpi = 0; // pixels per inch on the page
    int yPpi = 0;
};

// The images of every page, in order.
inline QList<PdfImage> images(const QString& pdf) {
    const QString listing =
        QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}));
    QList<PdfImage> found;
    // Two header lines, then: page num type width height color comp bpc enc
    // interp object ID x-ppi y-ppi size ratio.
    for (const QString& line : listing.split(u'\n').mid(2)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() < 14)
            continue;
        found.append({fields.at(0).toInt(), fields.at(3).toInt(), fields.at(4).toInt(),
                      fields.at(12).toInt(), fields.at(13).toInt()});
    }
    return found;
}

// The PDF files in dir now.
inline QStringList pdfFiles(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// Waits until a complete PDF file that was not among before appears in dir
// with nameMarker in its name and is accepted; an empty string after timeoutMs.
// It looks again whenever the folder or a file in it being written changes.
inline QString waitForPdf(const QString& dir, const QStringList& before, const QString& nameMarker,
                          const std::function<bool(const QString&)>& accept = {},
                          int timeoutMs = 60000) {
    QFileSystemWatcher watcher({dir});
    QEventLoop changed;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &changed, &QEventLoop::quit);
    QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &changed, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &changed, &QEventLoop::quit);
    limit.start(timeoutMs);
    QStringList rejected = before;
    while (limit.isActive()) {
        for (const QString& name : pdfFiles(dir)) {
            if (rejected.contains(name) || !name.contains(nameMarker))
                continue;
            const QString path = QDir(dir).filePath(name);
            // Watched before it is read, so that a write finishing meanwhile
            // is still noticed.
            watcher.addPath(path);
            if (pageCount(path) <= 0)
                continue; // still being written
            if (!accept || accept(path))
                return path;
            rejected << name;
        }
        changed.exec();
    }
    return {};
}

// The PDF printer that scripts/start-printer.sh installs.
inline const QString PdfPrinter = QStringLiteral("KartotekaPDF");

// Where the PDF printer writes its files.
inline QString pdfDirectory() {
    const QString configured = qEnvironmentVariable("KARTOTEKA_PDF_DIR");
    return configured.isEmpty() ? QStringLiteral("/var/spool/cups-pdf/KartotekaPDF") : configured;
}

// A marker, beginning with prefix, that tells this run's jobs from any other
// on the same printer. Digits only: letters such as "ff" are set as one
// ligature glyph, which does not read back as text from the PDF.
inline QString uniqueMarker(QChar prefix) {
    return prefix + QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(1000000000u), 9,
                                             10, QChar(u'0'));
}

// Why printing to the PDF printer cannot be tested here; empty when it can.
inline QString missingForPrinting() {
    if (!QPrinterInfo::availablePrinterNames().contains(PdfPrinter))
        return QStringLiteral(
            "the PDF printer is not installed (scripts/start-printer.sh adds it)");
    if (!available())
        return QStringLiteral("poppler-utils is not installed");
    return {};
}

} // namespace pdftools
