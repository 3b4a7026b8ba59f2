#include "core/OverviewLayout.h"

#include "storage/TextFile.h"

#include <QFileInfo>
#include <optional>

namespace overviewlayout {

namespace {

constexpr int FirstColumnLine = 2;

std::optional<OverviewColumnLayout> parseColumn(const QString& line) {
    const qsizetype first = line.indexOf(u';');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u';', first + 1);
    if (second < 0)
        return std::nullopt;
    bool widthRead = false;
    const int width = line.left(first).toInt(&widthRead);
    const QString shown = line.mid(first + 1, second - first - 1);
    const QString title = line.mid(second + 1);
    if (!widthRead || width < 0 || (shown != u"0" && shown != u"1") || title.isEmpty())
        return std::nullopt;
    return OverviewColumnLayout{title, width, shown == u"1"};
}

} // namespace

OverviewLayout read(const QString& path) {
    OverviewLayout layout;
    if (!QFileInfo::exists(path))
        return layout;
    const QStringList lines = textfile::readTextLines(path);
    layout.sortTitle = lines.value(0);
    layout.descending = lines.value(1) == u"1";
    for (qsizetype line = FirstColumnLine; line < lines.size(); ++line) {
        if (const auto column = parseColumn(lines[line]))
            layout.columns.append(*column);
    }
    return layout;
}

void write(const QString& path, const OverviewLayout& layout) {
    QStringList lines{layout.sortTitle,
                      layout.descending ? QStringLiteral("1") : QStringLiteral("0")};
    for (const OverviewColumnLayout& column : layout.columns)
        lines.append(QStringLiteral("%1;%2;%3")
                         .arg(column.width)
                         .arg(column.shown ? 1 : 0)
                         .arg(column.title));
    textfile::writeTextLines(path, lines);
}

} // namespace overviewlayout
