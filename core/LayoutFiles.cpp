#include "core/LayoutFiles.h"

#include "core/TextLineReader.h"
#include "storage/TextFile.h"

namespace layoutfiles {

namespace {

QStringList NumberLines(const QList<int>& numbers) {
    QStringList lines;
    for (const int number : numbers)
        lines << QString::number(number);
    return lines;
}

} // namespace

void ReadColumnWidths(const QString& path, const std::function<void(int, int)>& setWidth) {
    TextLineReader reader(ReadTextLines(path));
    int column = 0;
    // The first line is read even from an empty file, as the loop tests for the
    // end only after a line.
    do {
        const int width = reader.ReadInteger();
        setWidth(column++, width);
    } while (!reader.AtEnd());
}

void ReadBandLefts(const QString& path, int bandCount,
                   const std::function<void(int, int)>& setLeft) {
    TextLineReader reader(ReadTextLines(path));
    for (int band = 0; band < bandCount; ++band)
        setLeft(band, reader.ReadInteger());
}

void ReadWindowPlacement(const QString& path, const std::function<void(int)>& setLeft,
                         const std::function<void(int)>& setTop,
                         const std::function<void(bool)>& setMaximized) {
    TextLineReader reader(ReadTextLines(path));
    setLeft(reader.ReadInteger());
    setTop(reader.ReadInteger());
    setMaximized(reader.ReadLine() == QStringLiteral("1"));
}

void WriteColumnWidths(const QString& path, const QList<int>& widths) {
    WriteTextLines(path, NumberLines(widths));
}

void WriteBandLefts(const QString& path, const QList<int>& lefts) {
    WriteTextLines(path, NumberLines(lefts));
}

void WriteWindowPlacement(const QString& path, int left, int top, bool maximized) {
    WriteTextLines(path, {QString::number(left), QString::number(top),
                          maximized ? QStringLiteral("1") : QStringLiteral("0")});
}

} // namespace layoutfiles
