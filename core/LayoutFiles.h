#pragma once

#include <QList>
#include <QString>
#include <functional>

// The three layout files of the program directory: colw.ini (the table's
// column widths), cbar.ini (the left edges of the tool bar bands) and
// winpos.ini (the window's position and whether it is maximised). One value per
// line, code page 1250, CR LF. Every error is an AppError with a readable text;
// values read before a failing line have been handed over already.
namespace layoutfiles {

// Calls setWidth(k, width) for line k (from 0) until the end of the file;
// setWidth throws for a column the table does not have.
void readColumnWidths(const QString& path, const std::function<void(int, int)>& setWidth);
// Calls setLeft(band, left) for each of bandCount lines.
void readBandLefts(const QString& path, int bandCount,
                   const std::function<void(int, int)>& setLeft);
// Line 1 the left edge, line 2 the top edge, line 3 "1" when maximised.
void readWindowPlacement(const QString& path, const std::function<void(int)>& setLeft,
                         const std::function<void(int)>& setTop,
                         const std::function<void(bool)>& setMaximized);

void writeColumnWidths(const QString& path, const QList<int>& widths);
void writeBandLefts(const QString& path, const QList<int>& lefts);
void writeWindowPlacement(const QString& path, int left, int top, bool maximized);

} // namespace layoutfiles
