#include "core/LayoutFiles.h"

#include "core/TextLineReader.h"
#include "storage/TextFile.h"

namespace layoutfiles {

namespace {

QStringList numberLines(const QList<int>& numbers) {
    QStringList lines;
    for (const int number : numbers)
        lines << QString::number(number);
    return lines;
}

} // namespace

void readColumnWidths(const QString& path, const std::function<void(int, int)>& setWidth) {
    TextLineReader reader(textfile::readTextLines(path));
    int column = 0;
    // The first line is read even from an empty file, as the loop tests for the
    // end only after a line.
    do {
        const int width = reader.readInteger();
        setWidth(column++, width);
    } while (!reader.atEnd());
}

void readBandLefts(const QString& path, int bandCount,
                   const std::function<void(int, int)>& setLeft) {
    TextLineReader reader(textfile::readTextLines(path));
    for (int band = 0; band < bandCount; ++band)
        setLeft(band, reader.readInteger());
}

void readWindowPlacement(const QString& path, const std::function<void(int)>& setLeft,
                         const std::function<void(int)>& setTop,
                         const std::function<void(bool)>& setMaximized) {
    TextLineReader reader(textfile::readTextLines(path));
    setLeft(reader.readInteger());
    setTop(reader.readInteger());
    setMaximized(reader.readLine() == QStringLiteral("1"));
}

void writeColumnWidths(const QString& path, const QList<int>& widths) {
    textfile::writeTextLines(path, numberLines(widths));
}

void writeBandLefts(const QString& path, const QList<int>& lefts) {
    textfile::writeTextLines(path, numberLines(lefts));
}

void writeWindowPlacement(const QString& path, int left, int top, bool maximized) {
    textfile::writeTextLines(path, {QString::number(left), QString::number(top),
                                    maximized ? QStringLiteral("1") : QStringLiteral("0")});
}

} // namespace layoutfiles
