#pragma once

#include <QList>
#include <QString>

// The overview window's columns as the user left them, kept in the layout
// file prehled.ini of the program directory: code page 1250, CR LF, line 1
// the title of the column sorted by (empty: the card list's order), line 2
// "1" for a descending sort, then one line per column in the order shown,
// "width;shown;title" with shown "1" or "0".
struct OverviewColumnLayout {
    QString title;
    int width = 0;
    bool shown = true;

    bool operator==(const OverviewColumnLayout&) const = default;
};

struct OverviewLayout {
    QList<OverviewColumnLayout> columns; // in the order shown
    QString sortTitle;
    bool descending = false;

    bool operator==(const OverviewLayout&) const = default;
};

namespace overviewlayout {

inline const QString FileName = QStringLiteral("prehled.ini");

// The layout in the file at path; the empty layout when there is no file.
// Lines that make no sense are passed over. Throws AppError naming the file
// when it cannot be read.
OverviewLayout read(const QString& path);
// Throws AppError naming the file when it cannot be written.
void write(const QString& path, const OverviewLayout& layout);

} // namespace overviewlayout
